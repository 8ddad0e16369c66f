// CLAVER_En: splits one English text file into its sentence file.
#include <cstddef>
#include <span>

#include "base/cleanup.h"
#include "classic/splitter_program.h"

int main(int argc, char** argv) {
  kernova::base::remove_on_signal();
  using namespace kernova::classic;
  const auto input = parse_splitter_line(std::span(argv, static_cast<std::size_t>(argc)));
  return report(run_splitter(english(), input));
}
