// The splitter programs (CLAVER_En, CLAVER_Por): one text file in, its
// sentence file out.
#ifndef KERNOVA_CLASSIC_SPLITTER_PROGRAM_H_
#define KERNOVA_CLASSIC_SPLITTER_PROGRAM_H_

#include <optional>
#include <span>
#include <string>

#include "classic/classic.h"

namespace kernova::classic {

// Splits the file `filename` into the sentence file `filename` + ".seg",
// reading a CR LF pair as one line end. Throws Failure with the program's
// message when the input cannot be opened or read, or the sentence file
// cannot be created or written, or is the input itself (through a link),
// which is then left untouched; a sentence file that could not be written
// whole is not left behind.
void split_file(const ClassicEdition& edition, const std::string& filename);

// The input file named on the command line `argv` (the first argument
// after the program's name), or nothing when there is none.
std::optional<std::string> parse_splitter_line(std::span<char* const> argv);

// One run of the splitter program: `split_file` on `input`. Every failure
// becomes its message and status 1.
Outcome run_splitter(const ClassicEdition& edition, const std::optional<std::string>& input);

}  // namespace kernova::classic

#endif  // KERNOVA_CLASSIC_SPLITTER_PROGRAM_H_
