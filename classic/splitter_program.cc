#include "classic/splitter_program.h"

#include <new>
#include <string>

#include "base/error.h"
#include "base/files.h"
#include "splitter/splitter.h"

namespace kernova::classic {
namespace {

constexpr std::size_t kReadSize = 1 << 20;
constexpr std::size_t kWriteSize = 1 << 20;

Failure file_failure(const Error& error) {
  return Failure("\tERROR: can not " + error.action() + " file " + error.name() + "\n");
}

}  // namespace

void split_file(const ClassicEdition& edition, const std::string& filename) {
  try {
    FileDescriptor input = base::open_input(filename);
    const std::string output_name = filename + ".seg";
    if (base::same_file(filename, output_name)) {
      throw Failure("\tERROR: sentence file " + output_name + " would overwrite its input\n");
    }
    base::OutputFile output(output_name);
    splitter::Segmenter segmenter(edition.language);
    base::CrLfJoiner joiner;
    std::string chunk(kReadSize, '\0');
    std::string text;
    std::string out;
    for (;;) {
      const ssize_t got = read_some(input.get(), chunk.data(), chunk.size());
      if (got < 0) throw Error("read", filename, "");
      if (got == 0) break;
      segmenter.feed(joiner.joined(std::string_view(chunk.data(), static_cast<std::size_t>(got)), text), out);
      if (out.size() >= kWriteSize) {
        output.write(out);
        out.clear();
      }
    }
    text.clear();
    joiner.finish(text);
    segmenter.feed(text, out);
    segmenter.finish(out);
    output.write(out);
    output.commit();
  } catch (const Error& error) {
    throw file_failure(error);
  }
}

std::optional<std::string> parse_splitter_line(std::span<char* const> argv) {
  if (argv.size() < 2) return std::nullopt;
  return std::string(argv[1]);
}

Outcome run_splitter(const ClassicEdition& edition, const std::optional<std::string>& input) {
  try {
    if (!input) {
      return {1,
              "\tERROR: no input file given (usage: " + std::string(edition.splitter_program) + " file)\n"};
    }
    split_file(edition, *input);
    return {};
  } catch (const Failure& failure) {
    return {1, failure.what()};
  } catch (const std::bad_alloc&) {
    return {1, std::string(kOutOfMemory)};
  }
}

}  // namespace kernova::classic
