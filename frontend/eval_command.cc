#include "frontend/eval_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "frontend/formats.h"
#include "frontend/io.h"

namespace kernova::frontend {
namespace {

bool is_folder(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The regular files of `folder`, by name, sorted.
std::vector<std::string> file_names(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
  }
  if (error) throw Failure("kernova: can not read the folder " + folder + ": " + error.message() + "\n");
  std::sort(names.begin(), names.end());
  return names;
}

std::string number(double value, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

constexpr const char* kColumns[] = {"rouge1", "rouge2", "rougeL"};

const api::RougeScore& column(const api::RougeScores& scores, int k) {
  return k == 0 ? scores.rouge1 : k == 1 ? scores.rouge2 : scores.rouge_l;
}

std::string text_row(const std::string& name, const api::RougeScores& scores, std::size_t width) {
  std::string row = name + std::string(width - name.size(), ' ');
  for (int k = 0; k < 3; ++k) {
    const api::RougeScore& s = column(scores, k);
    row += "  " + number(s.recall, 4) + " " + number(s.precision, 4) + " " + number(s.f, 4);
  }
  return row + "\n";
}

std::string json_scores(const api::RougeScores& scores) {
  std::string out;
  for (int k = 0; k < 3; ++k) {
    const api::RougeScore& s = column(scores, k);
    if (k > 0) out += ", ";
    out += std::string("\"") + kColumns[k] + "\": {\"recall\": " + number(s.recall, 6) +
           ", \"precision\": " + number(s.precision, 6) + ", \"f\": " + number(s.f, 6) + "}";
  }
  return out;
}

}  // namespace

std::string format_eval(const std::vector<EvalPair>& pairs, OutputFormat format) {
  std::vector<api::RougeScores> all;
  for (const EvalPair& pair : pairs) all.push_back(pair.scores);
  const api::RougeScores mean = api::average(all);
  const std::string average_name = "average (" + std::to_string(pairs.size()) + ")";
  std::string out;
  switch (format) {
    case OutputFormat::kText: {
      std::size_t width = std::max<std::size_t>(average_name.size(), 4);
      for (const EvalPair& pair : pairs) width = std::max(width, pair.name.size());
      out = "name" + std::string(width - 4, ' ');
      for (const char* group : {"R1", "R2", "RL"}) {
        for (const char* part : {"-R  ", "-P  ", "-F  "})
          out += std::string(part[1] == 'R' ? "  " : " ") + group + part;
      }
      while (out.back() == ' ') out.pop_back();
      out += "\n";
      for (const EvalPair& pair : pairs) out += text_row(pair.name, pair.scores, width);
      out += text_row(average_name, mean, width);
      break;
    }
    case OutputFormat::kTsv: {
      out = "name";
      for (const char* name : kColumns) {
        for (const char* part : {"recall", "precision", "f"}) out += std::string("\t") + name + "_" + part;
      }
      out += "\n";
      auto row = [&out](const std::string& name, const api::RougeScores& scores) {
        out += name;
        for (int k = 0; k < 3; ++k) {
          const api::RougeScore& s = column(scores, k);
          out += "\t" + number(s.recall, 6) + "\t" + number(s.precision, 6) + "\t" + number(s.f, 6);
        }
        out += "\n";
      };
      for (const EvalPair& pair : pairs) row(pair.name, pair.scores);
      row("average", mean);
      break;
    }
    case OutputFormat::kJson: {
      out = "{\"pairs\": [";
      for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (i > 0) out += ", ";
        out += "{\"name\": " + json_string(pairs[i].name, true) + ", " + json_scores(pairs[i].scores) + "}";
      }
      out += "], \"average\": {" + json_scores(mean) + "}}\n";
      break;
    }
  }
  return out;
}

void run_eval(const EvalOptions& options, std::FILE* out) {
  const bool candidate_folder = is_folder(options.candidate);
  if (candidate_folder != is_folder(options.reference)) {
    throw Failure("kernova: " + options.candidate + " and " + options.reference +
                  " must be two files or two folders\n");
  }
  const api::RougeOptions rouge_options{.stem = options.stem, .words = options.words};
  auto score_files = [&](const std::string& name, const std::string& candidate,
                         const std::string& reference) {
    return EvalPair{
        name, api::rouge(read_input(candidate, nullptr), read_input(reference, nullptr), rouge_options)};
  };
  std::vector<EvalPair> pairs;
  if (!candidate_folder) {
    pairs.push_back(score_files(options.candidate, options.candidate, options.reference));
  } else {
    for (const std::string& name : file_names(options.reference)) {
      const std::string candidate = options.candidate + "/" + name;
      if (is_folder(candidate) || ::access(candidate.c_str(), F_OK) != 0) {
        throw Failure("kernova: " + candidate + ": no candidate for the reference " + options.reference +
                      "/" + name + "\n");
      }
      pairs.push_back(score_files(name, candidate, options.reference + "/" + name));
    }
  }
  write_output(format_eval(pairs, options.format), out);
}

}  // namespace kernova::frontend
