// The classic programs' common ground: the edition of each language (its
// splitter program, word lists, stemmer and the wording of its messages)
// and the way every run ends, with a message on standard output and an
// exit status.
#ifndef KERNOVA_CLASSIC_CLASSIC_H_
#define KERNOVA_CLASSIC_CLASSIC_H_

#include <stdexcept>
#include <string>
#include <string_view>

#include "language/language.h"
#include "summarizer/edition.h"

namespace kernova::classic {

struct ClassicEdition {
  // The splitter program of the language ("CLAVER_En"): the summarizer
  // runs it by this name, and it names itself so in its usage message.
  std::string_view splitter_program;
  const language::Language& language;
  const summarizer::Edition& summarizer;
  // The message that ends a summarizer run when comparing sentences with
  // the query runs out of memory; the two editions word it differently.
  std::string_view query_out_of_memory;
};

const ClassicEdition& english();
const ClassicEdition& portuguese();

// The message of every other allocation failure.
inline constexpr std::string_view kOutOfMemory = "\tERROR: out of memory!\n";

// A failure with the complete message the program prints.
class Failure : public std::runtime_error {
 public:
  explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// How a run ended: its exit status and what it prints on standard output.
struct Outcome {
  int status = 0;
  std::string message;
};

// Prints the outcome's message on standard output and returns its status.
int report(const Outcome& outcome);

}  // namespace kernova::classic

#endif  // KERNOVA_CLASSIC_CLASSIC_H_
