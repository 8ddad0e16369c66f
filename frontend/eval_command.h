// `kernova eval`: ROUGE scores of candidate summaries against references.
#ifndef KERNOVA_FRONTEND_EVAL_COMMAND_H_
#define KERNOVA_FRONTEND_EVAL_COMMAND_H_

#include <cstdio>
#include <string>
#include <vector>

#include "frontend/command_line.h"
#include "kernova/kernova.hpp"

namespace kernova::frontend {

// One scored pair.
struct EvalPair {
  std::string name;
  api::RougeScores scores;
};

// The table that `kernova eval` writes: one row per pair, then the average
// of each column (text: aligned columns; tsv: a header line and the row
// "average"; json: {"pairs": [...], "average": {...}}, each pair holding
// "name" and rouge1, rouge2, rougeL with recall, precision and f).
std::string format_eval(const std::vector<EvalPair>& pairs, OutputFormat format);

// Scores the candidate against the reference: two files, or two folders
// whose files are paired by name (every file of the reference folder needs
// a candidate of the same name; other candidates are ignored). Throws
// Failure when a file or folder cannot be read, a candidate is missing, or
// one path is a folder and the other not.
void run_eval(const EvalOptions& options, std::FILE* out);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_EVAL_COMMAND_H_
