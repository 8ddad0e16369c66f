#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/error.h"
#include "portuguese_stemmer/pool.h"

namespace kernova::portuguese_stemmer {
namespace {

std::string found(const pool& p, std::string_view key) {
  const std::optional<std::string_view> translation = search_pool(p, key);
  return translation ? std::string(*translation) : "(none)";
}

// The forms of one row, split at their '/'.
std::vector<std::string_view> forms_of(const irregular_row& row) {
  std::vector<std::string_view> forms;
  std::string_view rest = row.forms;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    forms.push_back(rest.substr(0, slash));
    rest.remove_prefix(slash + 1);
  }
  return forms;
}

TEST(IrregularPoolTest, Lookups) {
  struct Case {
    std::string_view key;
    std::string_view translation;
  };
  const Case cases[] = {
      {"dou", "dar"},
      {"E", "ser"},
      {"estar", "est"},
      {"vimos", "vir"},
      {"viram", "ver"},
      {"vir", "ver"},  // listed with "ver", not with "vir"
      {"vaNo", "ir"},
      {"pOde", "pod"},
      {"estivEssemos", "est"},  // the longest form
      {"fOssemos", "ser"},
      {"hA", "hav"},
      // Not in the pool.
      {"falar", "(none)"},
      {"e", "(none)"},  // only the accented 'E' is a form
      {"dizer", "(none)"},
      {"pode", "(none)"},
      {"", "(none)"},
      {"estivEssemosX", "(none)"},  // longer than every form
      {"estivessemos", "(none)"},
      {"\351", "(none)"},  // a Latin-1 byte, which the coding never holds
      // Only the key's own characters are read.
      {std::string_view("dou/dA", 3), "dar"},
      {std::string_view("vimosX", 4), "(none)"},
  };
  const pool& p = irregular_pool();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key));
    EXPECT_EQ(found(p, c.key), c.translation);
  }
}

// Every form of the table is found, with its own row's translation.
TEST(IrregularPoolTest, FindsEveryFormOfTheTable) {
  const pool& p = irregular_pool();
  for (const irregular_row& row : irregular_forms) {
    for (std::string_view form : forms_of(row)) {
      SCOPED_TRACE(std::string(form));
      EXPECT_EQ(found(p, form), row.translation);
      // A key one character shorter or longer than a form is another key.
      std::string longer(form);
      longer += 'z';
      EXPECT_EQ(found(p, longer), "(none)");
    }
  }
}

TEST(IrregularPoolTest, FactsOfTheShippedTable) {
  struct Row {
    std::string_view translation;
    std::size_t forms;
  };
  const Row rows[] = {{"dar", 18}, {"diz", 16}, {"est", 23}, {"faz", 13}, {"hav", 6},  {"ir", 5},
                      {"pod", 5},  {"sab", 4},  {"ser", 29}, {"ter", 29}, {"ver", 25}, {"vir", 29}};
  ASSERT_EQ(std::size(rows), irregular_forms.size());
  for (std::size_t i = 0; i < irregular_forms.size(); ++i) {
    SCOPED_TRACE(std::string(rows[i].translation));
    EXPECT_EQ(irregular_forms[i].translation, rows[i].translation);
    EXPECT_EQ(forms_of(irregular_forms[i]).size(), rows[i].forms);
  }
  EXPECT_EQ(count_slashes(irregular_forms), 202);

  std::ostringstream diagnostics;
  const pool p = create_pool(irregular_forms, diagnostics);
  EXPECT_EQ(diagnostics.str(), "");  // no duplicate form, no missing '/'
  ASSERT_EQ(p.size(), 202);
  EXPECT_EQ(p.entries.front().form(), "E");
  EXPECT_EQ(p.entries.front().translation, "ser");
  EXPECT_EQ(p.entries.back().form(), "estivEssemos");
  EXPECT_EQ(p.entries.back().length, 12);
  for (std::size_t i = 1; i < p.entries.size(); ++i) {
    SCOPED_TRACE(std::string(p.entries[i].form()));
    EXPECT_TRUE(compare(p.entries[i - 1], p.entries[i]));  // strictly ascending
  }
  // The pool borrows the table's characters; nothing is copied.
  for (const pool_entry& entry : p.entries) {
    const bool inside =
        std::any_of(irregular_forms.begin(), irregular_forms.end(), [&](const irregular_row& row) {
          return entry.pointer >= row.forms.data() &&
                 entry.pointer + entry.length < row.forms.data() + row.forms.size() &&
                 entry.pointer[entry.length] == '/';
        });
    EXPECT_TRUE(inside) << entry.form();
  }
}

TEST(IrregularPoolTest, IsBuiltOncePerProcess) {
  const pool& first = irregular_pool();
  const pool& second = irregular_pool();
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(first.entries.data(), second.entries.data());
}

TEST(ComparePoolTest, LengthFirstThenUnsignedBytes) {
  struct Case {
    std::string_view key, form;
    int sign;
  };
  const Case cases[] = {
      {"a", "b", -1},    {"b", "a", 1},
      {"abc", "abc", 0}, {"ab", "b", 1},  // the longer one sorts last
      {"b", "ab", -1},   {"", "a", -1},
      {"", "", 0},       {"\351", "z", 1},  // bytes compare as unsigned values
      {"Z", "a", -1},                       // the coding's capitals sort before the small letters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + " vs " + std::string(c.form));
    const int d = compare_to_pool(c.key, c.form);
    EXPECT_EQ((d > 0) - (d < 0), c.sign);
    if (c.key.size() != c.form.size()) {
      EXPECT_EQ(d, static_cast<int>(c.key.size()) - static_cast<int>(c.form.size()));
    }
  }
}

TEST(PrintEntryTest, FormArrowTranslation) {
  const std::string_view forms = "dou/dA/";
  std::ostringstream out;
  print_entry({"dar", forms.data() + 4, 2}, out);
  EXPECT_EQ(out.str(), "dA --> dar\n");
}

// Tables of the same shape as the shipped one, made up for the checks.
TEST(CreatePoolTest, OwnTableIsSortedAndSearched) {
  const irregular_row table[] = {
      {"x", "zz/b/\351/aa/"},
      {"y", "c/ab/"},
  };
  EXPECT_EQ(count_slashes(table), 6);
  std::ostringstream diagnostics;
  const pool p = create_pool(table, diagnostics);
  EXPECT_EQ(diagnostics.str(), "");
  std::string order;
  for (const pool_entry& entry : p.entries) order += std::string(entry.form()) + "|";
  EXPECT_EQ(order, "b|c|\351|aa|ab|zz|");
  EXPECT_EQ(found(p, "\351"), "x");
  EXPECT_EQ(found(p, "ab"), "y");
  EXPECT_EQ(found(p, "zz"), "x");
  EXPECT_EQ(found(p, "a"), "(none)");  // sorts before the first entry
  EXPECT_EQ(found(p, "zzz"), "(none)");
  EXPECT_EQ(found(pool{}, "a"), "(none)");
  EXPECT_EQ(count_slashes({}), 0);
  EXPECT_EQ(create_pool({}, diagnostics).size(), 0);
}

TEST(CreatePoolTest, WarnsOfEachAdjacentDuplicateAndKeepsIt) {
  const irregular_row table[] = {
      {"one", "ab/q/"},
      {"two", "ab/"},
      {"three", "r/ab/"},
  };
  std::ostringstream diagnostics;
  const pool p = create_pool(table, diagnostics);
  EXPECT_EQ(p.size(), 5);
  // Among equal forms the sort takes the later half's record first, so the
  // three copies of "ab" end up as three, two, one; each neighbour pair is
  // reported later entry first.
  EXPECT_EQ(diagnostics.str(),
            "warning: ab --> two\n and ab --> three\n"
            "warning: ab --> one\n and ab --> two\n");
  // The duplicates stay in the pool: one of them is found.
  EXPECT_NE(found(p, "ab"), "(none)");
  EXPECT_EQ(found(p, "q"), "one");
  EXPECT_EQ(found(p, "r"), "three");
}

TEST(CreatePoolTest, MissingFinalSlashThrowsAndWrites) {
  const struct Case {
    std::vector<irregular_row> table;
    std::string message;
  } cases[] = {
      {{{"dar", "dou/dA/"}, {"ser", "sou/E"}}, "sou/E lacks final '/'\n"},
      {{{"dar", "dou/dA"}, {"ser", "sou/E/"}}, "dou/dA lacks final '/'\n"},
      {{{"ir", "vou"}}, "vou lacks final '/'\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::ostringstream diagnostics;
    try {
      create_pool(c.table, diagnostics);
      ADD_FAILURE() << "no error";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
    EXPECT_EQ(diagnostics.str(), c.message);
  }
}

// The merge sort puts any sequence in the order of `compare`, for every
// length (full and short last runs, odd run counts).
TEST(SortTest, SortsLikeTheStandardSort) {
  std::mt19937 random(20240611);
  for (std::size_t n = 0; n <= 300; ++n) {
    SCOPED_TRACE(n);
    std::vector<int> values(n);
    for (int& v : values) v = static_cast<int>(random() % 50);
    std::vector<int> expected = values;
    std::sort(expected.begin(), expected.end());
    sort(std::span<int>(values), [](int a, int b) { return a < b; });
    ASSERT_EQ(values, expected);
  }
}

// Between equal records the later half wins at every merge, so the last of
// three equal keys comes first.
TEST(SortTest, EqualRecordsOrder) {
  std::vector<std::pair<int, char>> records = {{1, 'a'}, {0, 'x'}, {1, 'b'}, {1, 'c'}};
  sort(std::span<std::pair<int, char>>(records),
       [](const auto& p, const auto& q) { return p.first < q.first; });
  std::string order;
  for (const auto& [key, name] : records) order += name;
  EXPECT_EQ(order, "xcba");
}

}  // namespace
}  // namespace kernova::portuguese_stemmer
