#include "splitter/splitter.h"

#include <array>
#include <cstring>

namespace kernova::splitter {
namespace {

using language::is_digit;
using language::is_letter;

// The bytes that some sentence rule looks at.
constexpr std::array<bool, 256> make_rule_bytes() {
  std::array<bool, 256> table{};
  for (unsigned char c : std::string_view("\"([{)]}\n!?.")) table[c] = true;
  for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = true;
  return table;
}
constexpr std::array<bool, 256> kRuleByte = make_rule_bytes();

// Blanks that never start a written sentence.
constexpr bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Appends line[from..through] to `out`, leaving out the blanks in front.
// When everything up to `through` is blank, nothing is written.
void write_through(std::string_view line, std::size_t from, std::size_t through, std::string& out) {
  while (from <= through && is_blank(line[from])) ++from;
  if (from <= through) out.append(line.data() + from, through - from + 1);
}

// Finds, as the scan moves on, the latest place where a mark of a web or
// e-mail address ("http", "ftp", "www", "@") begins. Each byte is looked at
// once, so a long token with many periods costs no more than a short one.
class AddressMarks {
 public:
  explicit AddressMarks(std::string_view line) : line_(line) {}

  // The start of the latest mark that lies wholly before `end`, or -1.
  std::ptrdiff_t latest_before(std::size_t end) {
    for (; scanned_ < end; ++scanned_) {
      const std::size_t j = scanned_;
      const char c = line_[j];
      if (c == '@') {
        latest_ = static_cast<std::ptrdiff_t>(j);
      } else if (c == 'p' && j >= 2 && line_.substr(j - 2, 3) == "ftp") {
        latest_ = static_cast<std::ptrdiff_t>(j - 2);
      } else if (c == 'p' && j >= 3 && line_.substr(j - 3, 4) == "http") {
        latest_ = static_cast<std::ptrdiff_t>(j - 3);
      } else if (c == 'w' && j >= 2 && line_.substr(j - 2, 3) == "www") {
        latest_ = static_cast<std::ptrdiff_t>(j - 2);
      }
    }
    return latest_;
  }

 private:
  std::string_view line_;
  std::size_t scanned_ = 0;
  std::ptrdiff_t latest_ = -1;
};

// Splits one input line. `line` ends with '\n' unless it is the unterminated
// end of the input. Appends the finished sentences to `out` and returns the
// index of the first byte not written (line.size() when all was written).
//
// `start` is the first byte not yet written: look-behind never reaches in
// front of it, so no rule sees the previous sentence.
std::size_t split_line(const language::Language& language, std::string_view line, std::string& out) {
  const std::size_t n = line.size();
  std::size_t start = 0;
  bool inside_quotes = false;
  std::size_t inside_par = 0;
  AddressMarks marks(line);
  // The nearest ' ' in front of a place, looked for only when a rule asks:
  // each byte is searched once, as the places asked about only move on.
  std::ptrdiff_t last_space = -1;
  std::size_t searched = 0;  // no ' ' lies in [last_space + 1, searched)
  auto last_space_before = [&](std::size_t end) {
    for (std::size_t j = end; j > searched; --j) {
      if (line[j - 1] == ' ') {
        last_space = static_cast<std::ptrdiff_t>(j - 1);
        break;
      }
    }
    searched = end;
    return last_space;
  };

  // The period at `i` ends the sentence unless it belongs to a number, follows
  // an abbreviation, touches another period or lies inside an address.
  auto period_ends = [&](std::size_t i) {
    const bool has_before = i > start;
    const char before = has_before ? line[i - 1] : '\0';
    const bool has_after = i + 1 < n;
    const char after = has_after ? line[i + 1] : '\0';
    if (has_before && (is_digit(before) || before == ' ') && has_after && is_digit(after)) return false;
    std::size_t word = i;
    while (word > start && is_letter(line[word - 1])) --word;
    if (language::abbrev_folded(language, line.substr(word, i - word))) return false;
    if ((has_before && before == '.') || (has_after && after == '.')) return false;
    if (has_after && is_letter(after)) {
      // The token runs from just after the nearest space (a tab does not
      // count) or from the first unwritten byte.
      const std::ptrdiff_t space = last_space_before(i);
      const std::size_t token =
          space >= static_cast<std::ptrdiff_t>(start) ? static_cast<std::size_t>(space) + 1 : start;
      if (marks.latest_before(i) >= static_cast<std::ptrdiff_t>(token)) return false;
    }
    return true;
  };

  // A capital at `i` begins a new sentence when the last byte in front of
  // it, blanks and tabs aside, is a double quote or the second of two periods.
  auto capital_ends = [&](std::size_t i) {
    std::size_t p = i;
    while (p > start && (line[p - 1] == ' ' || line[p - 1] == '\t')) --p;
    if (p == start) return false;
    const char mark = line[p - 1];
    return mark == '"' || (mark == '.' && p - 1 > start && line[p - 2] == '.');
  };

  for (std::size_t i = 0; i < n; ++i) {
    // Most bytes take part in no rule: pass over them in a tight loop.
    while (i < n && !kRuleByte[static_cast<unsigned char>(line[i])]) ++i;
    if (i == n) break;
    const char c = line[i];
    const bool outside = !inside_quotes && inside_par == 0;
    switch (c) {
      case '"':
        inside_quotes = !inside_quotes;
        break;
      case '(':
      case '[':
      case '{':
        ++inside_par;
        break;
      case ')':
      case ']':
      case '}':
        if (inside_par > 0) --inside_par;
        break;
      case '\n':
        // The input's line end is the sentence's line end.
        write_through(line, start, i, out);
        start = i + 1;
        break;
      case '!':
      case '?':
        if (outside) {
          write_through(line, start, i, out);
          out += '\n';
          start = i + 1;
        }
        break;
      case '.':
        if (outside && period_ends(i)) {
          write_through(line, start, i, out);
          out += '\n';
          start = i + 1;
        }
        break;
      default:
        if (c >= 'A' && c <= 'Z' && outside && capital_ends(i)) {
          write_through(line, start, i - 1, out);
          out += '\n';
          start = i;  // the capital begins the next sentence
        }
        break;
    }
  }
  return start;
}

// The input has ended with `rest` unwritten: it becomes the last line,
// without its leading blanks, and ends with a line end even when nothing
// but blanks was left.
void write_rest(std::string_view rest, std::string& out) {
  if (rest.empty()) return;
  std::size_t from = 0;
  while (from < rest.size() && is_blank(rest[from])) ++from;
  out.append(rest.substr(from));
  out += '\n';
}

}  // namespace

void Segmenter::feed(std::string_view text, std::string& out) {
  while (!text.empty()) {
    const void* found = std::memchr(text.data(), '\n', text.size());
    if (found == nullptr) {
      pending_.append(text);
      return;
    }
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) + 1;
    if (pending_.empty()) {
      split_line(language_, text.substr(0, length), out);
    } else {
      pending_.append(text.substr(0, length));
      split_line(language_, pending_, out);
      pending_.clear();
    }
    text.remove_prefix(length);
  }
}

void Segmenter::finish(std::string& out) {
  const std::size_t rest = split_line(language_, pending_, out);
  write_rest(std::string_view(pending_).substr(rest), out);
  pending_.clear();
}

std::string segment_text(const language::Language& language, std::string_view text) {
  Segmenter segmenter(language);
  std::string out;
  // The sentences hold the text's bytes, less some blanks, plus a line end
  // each: room for that spares the copies of a growing string.
  out.reserve(text.size() + text.size() / 8 + 16);
  segmenter.feed(text, out);
  segmenter.finish(out);
  return out;
}

}  // namespace kernova::splitter
