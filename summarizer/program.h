// The summarizer programs (Kernova_En, Kernova_Por): the command line, the
// splitter run on every input, the extract file and the completion marker.
#ifndef KERNOVA_SUMMARIZER_PROGRAM_H_
#define KERNOVA_SUMMARIZER_PROGRAM_H_

#include <string>

#include "summarizer/edition.h"

namespace kernova::summarizer {

// One whole run of the program of `edition`: checks the command line,
// splits every input with the edition's splitter program into its sentence
// file (the input's name + ".seg"), reads and deletes that file, summarizes,
// writes the extract (all or nothing) and creates the empty marker
// "_ready_.tmp" in the working folder. A run whose extract, sentence files
// or marker would replace one of its inputs stops before it splits any.
// Prints any failure on standard output and returns the exit status: 0
// after a completed run, else 1.
int run_summarizer(const Edition& edition, int argc, char** argv);

// The sentence-file bytes of `input`: runs the splitter on it, reads what it
// wrote and deletes it. Throws kernova::Error ("\tERROR: can not open
// <input>.seg\n") when the splitter cannot be started, fails, or leaves no
// readable sentence file; an older sentence file is then never read.
std::string split_into_sentences(const Edition& edition, const std::string& input);

}  // namespace kernova::summarizer

#endif  // KERNOVA_SUMMARIZER_PROGRAM_H_
