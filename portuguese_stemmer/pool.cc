#include "portuguese_stemmer/pool.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "base/error.h"

namespace kernova::portuguese_stemmer {

int count_slashes(std::span<const irregular_row> s) {
  int slashes = 0;
  for (const irregular_row& row : s)
    slashes += static_cast<int>(std::count(row.forms.begin(), row.forms.end(), '/'));
  return slashes;
}

pool create_pool(std::span<const irregular_row> s, std::ostream& diagnostics) {
  pool result;
  result.entries.reserve(static_cast<std::size_t>(count_slashes(s)));
  for (const irregular_row& row : s) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < row.forms.size(); ++i) {
      if (row.forms[i] != '/') continue;
      result.entries.push_back({row.translation, row.forms.data() + start, static_cast<int>(i - start)});
      start = i + 1;
    }
    if (start != row.forms.size()) {
      // A form without its '/' would be silently lost; the table is wrong.
      const std::string message = std::string(row.forms) + " lacks final '/'\n";
      diagnostics << message;
      throw Error(message);
    }
  }
  sort(std::span<pool_entry>(result.entries), compare);
  // Sorting brings equal forms together: a form listed twice (in one verb or
  // in two) is a mistake in the table, but a harmless one, so it is reported
  // and kept.
  for (std::size_t i = 1; i < result.entries.size(); ++i) {
    const pool_entry& later = result.entries[i];
    const pool_entry& earlier = result.entries[i - 1];
    if (later.form() == earlier.form()) {
      diagnostics << "warning: ";
      print_entry(later, diagnostics);
      diagnostics << " and ";
      print_entry(earlier, diagnostics);
    }
  }
  return result;
}

bool compare(const pool_entry& char_p, const pool_entry& char_q) {
  if (char_p.length != char_q.length) return char_p.length < char_q.length;
  return std::memcmp(char_p.pointer, char_q.pointer, static_cast<std::size_t>(char_p.length)) < 0;
}

int compare_to_pool(std::string_view s, std::string_view s_p) {
  if (s.size() != s_p.size()) {
    // The difference, held within int's range for keys of any length.
    const auto difference = static_cast<std::ptrdiff_t>(s.size()) - static_cast<std::ptrdiff_t>(s_p.size());
    return static_cast<int>(std::clamp<std::ptrdiff_t>(difference, -INT_MAX, INT_MAX));
  }
  if (s.empty()) return 0;
  const int bytes = std::memcmp(s.data(), s_p.data(), s.size());
  return (bytes > 0) - (bytes < 0);
}

std::optional<std::string_view> search_pool(const pool& p, std::string_view s) {
  const std::vector<pool_entry>& entries = p.entries;
  if (entries.empty() || compare_to_pool(s, entries[0].form()) < 0) return std::nullopt;
  // Invariant: entries[i] <= key < entries[j] (j == size stands for +inf).
  std::size_t i = 0;
  std::size_t j = entries.size();
  for (;;) {
    const std::size_t h = (i + j) / 2;
    const int d = compare_to_pool(s, entries[h].form());
    if (d == 0) return entries[h].translation;
    if (j - i <= 1) return std::nullopt;
    if (d < 0) {
      j = h;
    } else {
      i = h;
    }
  }
}

void print_entry(const pool_entry& p, std::ostream& out) {
  out << p.form() << " --> " << p.translation << '\n';
}

const pool& irregular_pool() {
  // Built once: the table never changes, and rebuilding it for every word
  // would cost more than stemming the word.
  // The shipped table is checked by the tests, so its diagnostics (there
  // are none) go nowhere: no library call prints.
  static const pool irregulars = [] {
    std::ostream nowhere(nullptr);
    return create_pool(irregular_forms, nowhere);
  }();
  return irregulars;
}

}  // namespace kernova::portuguese_stemmer
