// Summarizes a text file with the Kernova library: half of its words at
// most, the extract on standard output and a few facts on standard error.
//
//   kernova_example FILE
#include <kernova/kernova.hpp>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kernova_example FILE\n";
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file) {
    std::cerr << "kernova_example: can not read " << argv[1] << "\n";
    return 1;
  }
  try {
    const kernova::api::Sentences sentences = kernova::api::split(text);
    std::cerr << sentences.sentences.size() << " sentences; \"summaries\" stems to \""
              << kernova::api::stem("summaries", kernova::api::Language::kEnglish) << "\"\n";

    kernova::api::SummaryOptions options;
    options.length = kernova::api::Share{1, 2};
    const std::string_view texts[] = {text};
    const kernova::api::Summary summary = kernova::api::summarize(texts, options);
    std::cerr << summary.size_text << " words, at most " << summary.size_extract << " in the extract\n";
    std::cout << kernova::api::extract(summary);
  } catch (const kernova::api::Error& error) {
    std::cerr << "kernova_example: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
