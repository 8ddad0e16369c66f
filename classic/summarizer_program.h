// The summarizer programs (Kernova_En, Kernova_Por): the command line, the
// splitter run on every input, the extract file and the completion marker.
#ifndef KERNOVA_CLASSIC_SUMMARIZER_PROGRAM_H_
#define KERNOVA_CLASSIC_SUMMARIZER_PROGRAM_H_

#include <string>
#include <variant>

#include "classic/classic.h"
#include "summarizer/command_line.h"

namespace kernova::classic {

// One whole run of the program of `edition` on a parsed command line:
// splits every input with the edition's splitter program into its sentence
// file (the input's name + ".seg"), reads and deletes that file, summarizes,
// writes the extract (all or nothing) and creates the empty marker
// "_ready_.tmp" in the working folder. A run whose extract, sentence files
// or marker would replace one of its inputs stops before it splits any. A
// command line that cannot be run gives the usage text. Status 0 after a
// completed run, else 1 with the message.
Outcome run_summarizer(const ClassicEdition& edition,
                       const std::variant<summarizer::CommandLine, summarizer::UsageError>& command_line);

// The sentence-file bytes of `input`: runs the splitter on it, reads what it
// wrote and deletes it. Throws Failure ("\tERROR: can not open
// <input>.seg\n") when the splitter cannot be started, fails, or leaves no
// readable sentence file; an older sentence file is then never read.
std::string split_into_sentences(const ClassicEdition& edition, const std::string& input);

}  // namespace kernova::classic

#endif  // KERNOVA_CLASSIC_SUMMARIZER_PROGRAM_H_
