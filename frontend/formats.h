// The output formats of `kernova summarize`.
//
// text: the extract, each selected sentence on a line.
// tsv:  a header line, then one line per sentence with the columns index
//       (from 0), input (index of its text, from 0), words, score,
//       selected (1 or 0), gist (1 or 0) and sentence; in the sentence a
//       backslash, tab, CR and LF are written as \\, \t, \r and \n. Bytes
//       are in the summary's encoding.
// json: one object (UTF-8 always) with the encoding, the threshold, the
//       words of the text (size_text), the size limit (size_extract), the
//       words of the extract (extract_words), the gist words (their stems)
//       and every sentence with the columns above. ISO 8859-1 text appears
//       with each byte as the character of the same code.
// Scores are written in the shortest form that reads back as the same
// single-precision number.
#ifndef KERNOVA_FRONTEND_FORMATS_H_
#define KERNOVA_FRONTEND_FORMATS_H_

#include <string>

#include "frontend/command_line.h"
#include "kernova/kernova.hpp"

namespace kernova::frontend {

std::string format_summary(const api::Summary& summary, OutputFormat format);

// `text` as a JSON string, quotes included; `text` is UTF-8 when `utf8`,
// else ISO 8859-1.
std::string json_string(std::string_view text, bool utf8);

}  // namespace kernova::frontend

#endif  // KERNOVA_FRONTEND_FORMATS_H_
