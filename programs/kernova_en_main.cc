// Kernova_En: summarizes English texts; see summarizer/command_line.h.
#include "summarizer/edition.h"
#include "summarizer/program.h"

int main(int argc, char** argv) {
  return kernova::summarizer::run_summarizer(kernova::summarizer::english_edition(), argc, argv);
}
