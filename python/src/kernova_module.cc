// The Python module kernova._kernova: split, stem and summarize over the
// library's public interface. Options have the names, defaults and error
// words of `kernova summarize`. Every call holds references to its texts
// and views their bytes in place, so the interpreter lock is released
// while the library works.
#include <pybind11/pybind11.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "kernova/kernova.hpp"

namespace py = pybind11;
namespace api = kernova::api;

namespace {

// A file named in the texts could not be read: becomes OSError.
struct FileError {
  int error_number;
  std::string name;
};

// ---------------------------------------------------------------------------
// Options, checked as the command line checks them.

template <typename Value>
struct Choice {
  std::string_view name;
  Value value;
};

template <typename Value, std::size_t N>
Value choose(const Choice<Value> (&choices)[N], const std::string& name, std::string_view what) {
  std::string known;
  for (const Choice<Value>& choice : choices) {
    if (choice.name == name) return choice.value;
    if (!known.empty()) known += ", ";
    known += choice.name;
  }
  throw py::value_error("unknown " + std::string(what) + " '" + name + "' (known: " + known + ")");
}

constexpr Choice<api::Encoding> kEncodings[] = {
    {"auto", api::Encoding::kAutomatic}, {"latin1", api::Encoding::kLatin1}, {"utf8", api::Encoding::kUtf8}};

api::Language language_of(const std::string& code) {
  std::string known;
  for (const api::LanguageInfo& language : api::languages()) {
    if (language.code == code) return language.language;
    if (!known.empty()) known += ", ";
    known += language.code;
  }
  throw py::value_error("unknown language '" + code + "' (known: " + known + ")");
}

api::ReadOptions read_options(const std::string& lang, const std::string& encoding, bool unwrap) {
  return api::ReadOptions{
      .language = language_of(lang), .encoding = choose(kEncodings, encoding, "encoding"), .unwrap = unwrap};
}

std::string repr_of(const py::handle& value) { return py::str(py::repr(value)); }

// keep=F: the exact fraction that F's decimal form writes, as --keep reads
// it; a float is taken in its shortest form (0.3 is 3/10).
api::Share share_of(const py::object& keep) {
  const std::string shown = py::isinstance<py::str>(keep) ? keep.cast<std::string>() : repr_of(keep);
  auto refuse = [&] {
    return py::value_error("keep: '" + shown + "' is not a decimal number above 0 and at most 1");
  };
  if (!py::isinstance<py::str>(keep) && !py::isinstance<py::float_>(keep) &&
      !py::isinstance<py::int_>(keep)) {
    throw refuse();
  }
  std::uint64_t numerator = 0;
  std::uint64_t denominator = 1;
  std::uint64_t whole = 0;
  bool point = false;
  bool digits = false;
  for (char c : shown) {
    if (c == '.' && !point) {
      point = true;
    } else if (c < '0' || c > '9' || (!point && whole > 1)) {
      throw refuse();
    } else if (!point) {
      whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
      digits = true;
    } else if (denominator < 1'000'000'000'000'000'000ULL) {
      numerator = numerator * 10 + static_cast<std::uint64_t>(c - '0');
      denominator *= 10;
      digits = true;
    } else if (c != '0') {
      throw refuse();
    }
  }
  if (!digits || whole > 1 || (whole == 1 && numerator != 0) || (whole == 0 && numerator == 0))
    throw refuse();
  return whole == 1 ? api::Share{1, 1} : api::Share{numerator, denominator};
}

// An int (not a bool) that fits in a long long.
std::optional<long long> integer_of(const py::object& value) {
  if (py::isinstance<py::bool_>(value) || !py::isinstance<py::int_>(value)) return std::nullopt;
  int overflow = 0;
  const long long number = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
  if (overflow != 0) return std::nullopt;
  return number;
}

api::Length length_of(const py::object& rate, const py::object& keep, const py::object& words) {
  const bool has_rate = !rate.is_none(), has_keep = !keep.is_none(), has_words = !words.is_none();
  if (has_rate && has_keep) throw py::value_error("rate excludes keep");
  if (has_rate && has_words) throw py::value_error("rate excludes words");
  if (has_keep && has_words) throw py::value_error("keep excludes words");
  if (has_rate) {
    if (py::isinstance<py::bool_>(rate) ||
        !(py::isinstance<py::float_>(rate) || py::isinstance<py::int_>(rate))) {
      throw py::value_error("rate: '" + repr_of(rate) + "' is not a number");
    }
    return api::Rate{static_cast<float>(rate.cast<double>())};
  }
  if (has_keep) return share_of(keep);
  if (has_words) {
    const std::optional<long long> count = integer_of(words);
    if (!count || *count < 0)
      throw py::value_error("words: '" + repr_of(words) + "' is not a number of words");
    return api::MaxWords{*count};
  }
  return api::Rate{};
}

constexpr Choice<api::Method> kMethods[] = {
    {"classic", api::Method::kClassic}, {"centroid", api::Method::kCentroid}, {"best", api::kBestMethod}};

unsigned jobs_of(const py::object& jobs) {
  if (jobs.is_none()) return std::max(1u, std::thread::hardware_concurrency());
  const std::optional<long long> count = integer_of(jobs);
  if (!count || *count < 1 || *count > 4096) {
    throw py::value_error("jobs: '" + repr_of(jobs) + "' is not a number of jobs (1 or more)");
  }
  return static_cast<unsigned>(*count);
}

// ---------------------------------------------------------------------------
// Texts: str, bytes or a path, viewed or read without copying where the
// interpreter allows.

struct Text {
  py::object owner;        // keeps the viewed bytes alive
  std::string_view bytes;  // the text, unless it is a file to read
  std::optional<std::string> path;
  std::string loaded;  // the file's bytes, once read
  std::string_view view() const { return path ? std::string_view(loaded) : bytes; }
};

bool is_path(const py::handle& item) { return PyObject_HasAttrString(item.ptr(), "__fspath__") == 1; }

bool is_text(const py::handle& item) {
  return py::isinstance<py::str>(item) || py::isinstance<py::bytes>(item) || is_path(item);
}

// A str is UTF-8, or ISO 8859-1 under encoding="latin1" (then a character
// above U+00FF is an error); bytes are read in `encoding`.
Text text_of(const py::handle& item, api::Encoding encoding) {
  Text text;
  if (py::isinstance<py::str>(item)) {
    if (encoding == api::Encoding::kLatin1) {
      text.owner = py::reinterpret_steal<py::object>(PyUnicode_AsLatin1String(item.ptr()));
      if (!text.owner) throw py::error_already_set();
      text.bytes = std::string_view(PyBytes_AS_STRING(text.owner.ptr()), PyBytes_GET_SIZE(text.owner.ptr()));
    } else {
      Py_ssize_t size = 0;
      const char* data = PyUnicode_AsUTF8AndSize(item.ptr(), &size);
      if (data == nullptr) throw py::error_already_set();
      text.owner = py::reinterpret_borrow<py::object>(item);
      text.bytes = std::string_view(data, static_cast<std::size_t>(size));
    }
  } else if (py::isinstance<py::bytes>(item)) {
    text.owner = py::reinterpret_borrow<py::object>(item);
    text.bytes = std::string_view(PyBytes_AS_STRING(item.ptr()), PyBytes_GET_SIZE(item.ptr()));
  } else if (is_path(item)) {
    py::object name = py::module_::import("os").attr("fsencode")(item);
    text.path = name.cast<std::string>();
  } else {
    throw py::type_error("a text is str, bytes or a path, not " +
                         std::string(py::str(py::type::handle_of(item).attr("__name__"))));
  }
  return text;
}

// The texts of one summary: one text, or a list or tuple of them.
std::vector<Text> texts_of(const py::handle& texts, api::Encoding encoding) {
  std::vector<Text> result;
  if (is_text(texts)) {
    result.push_back(text_of(texts, encoding));
    return result;
  }
  for (const py::handle item : py::iter(texts)) result.push_back(text_of(item, encoding));
  return result;
}

// Reads the files among `texts`; called without the interpreter lock.
void load_files(std::vector<Text>& texts) {
  for (Text& text : texts) {
    if (!text.path) continue;
    std::FILE* file = std::fopen(text.path->c_str(), "rb");
    if (file == nullptr) throw FileError{errno, *text.path};
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.loaded.append(buffer, got);
    const int error_number = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(file);
    if (error_number != 0) throw FileError{error_number, *text.path};
  }
}

[[noreturn]] void raise_file_error(const FileError& error) {
  py::object name = py::module_::import("os").attr("fsdecode")(py::bytes(error.name));
  errno = error.error_number;
  PyErr_SetFromErrnoWithFilenameObject(PyExc_OSError, name.ptr());
  throw py::error_already_set();
}

// The library's error, naming the text at fault as `where`[index], or as
// `where` alone when it is the only text.
[[noreturn]] void raise_library_error(const api::Error& error, const std::string& where, bool one_text) {
  if (!error.input()) throw py::value_error(error.what());
  const std::string index = one_text ? "" : "[" + std::to_string(*error.input()) + "]";
  throw py::value_error(where + index + ": " + error.what());
}

// ---------------------------------------------------------------------------
// Results.

py::str decoded(std::string_view bytes, bool utf8) {
  PyObject* text = utf8
                       ? PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "strict")
                       : PyUnicode_DecodeLatin1(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), nullptr);
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(text);
}

// A score as the JSON output writes it: the shortest decimal that reads
// back as the same single-precision number, read as a Python float.
double shown_score(float value) {
  if (!std::isfinite(value)) return static_cast<double>(value);
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  double shown = 0;
  std::from_chars(buffer, written.ptr, shown);
  return shown;
}

struct Sentence {
  py::str text;
  std::size_t index = 0;
  std::size_t input = 0;
  std::int64_t words = 0;
  double score = 0;
  bool selected = false;
  bool gist = false;
};

class Summary {
 public:
  explicit Summary(api::Summary summary) : summary_(std::move(summary)) {}

  bool utf8() const { return summary_.encoding == api::Encoding::kUtf8; }
  std::string encoding() const { return utf8() ? "utf8" : "latin1"; }
  double threshold() const { return shown_score(summary_.threshold); }
  std::int64_t size_text() const { return summary_.size_text; }
  std::int64_t size_extract() const { return summary_.size_extract; }
  py::object gist() const {
    return summary_.gist_sentence ? py::object(py::int_(*summary_.gist_sentence)) : py::object(py::none());
  }

  std::int64_t extract_words() const {
    std::int64_t words = 0;
    for (const api::SentenceResult& sentence : summary_.sentences) {
      if (sentence.selected) words += sentence.words;
    }
    return words;
  }

  py::list gist_stems() const {
    py::list stems;
    for (const std::string& stem : summary_.gist_stems) stems.append(decoded(stem, utf8()));
    return stems;
  }

  // Made on first use: a caller that wants only the extract pays for no
  // sentence objects.
  py::list sentences() {
    if (!sentences_) {
      py::list list;
      for (std::size_t i = 0; i < summary_.sentences.size(); ++i) {
        const api::SentenceResult& s = summary_.sentences[i];
        list.append(py::cast(Sentence{decoded(s.text, utf8()), i, s.input, s.words, shown_score(s.score),
                                      s.selected, s.gist}));
      }
      sentences_ = std::move(list);
    }
    return *sentences_;
  }

  py::str extract() const { return decoded(api::extract(summary_), utf8()); }

  py::dict to_dict() {
    auto json_number = [](double value) -> py::object {
      return std::isfinite(value) ? py::object(py::float_(value)) : py::object(py::none());
    };
    py::list rows;
    for (const py::handle item : sentences()) {
      const Sentence& s = item.cast<const Sentence&>();
      rows.append(py::dict(py::arg("index") = s.index, py::arg("input") = s.input, py::arg("words") = s.words,
                           py::arg("score") = json_number(s.score), py::arg("selected") = s.selected,
                           py::arg("gist") = s.gist, py::arg("text") = s.text));
    }
    return py::dict(py::arg("encoding") = encoding(), py::arg("threshold") = json_number(threshold()),
                    py::arg("size_text") = size_text(), py::arg("size_extract") = size_extract(),
                    py::arg("extract_words") = extract_words(), py::arg("gist_words") = gist_stems(),
                    py::arg("sentences") = rows);
  }

  std::string repr() const {
    std::size_t selected = 0;
    for (const api::SentenceResult& sentence : summary_.sentences) selected += sentence.selected ? 1 : 0;
    return "<kernova.Summary: " + std::to_string(selected) + " of " +
           std::to_string(summary_.sentences.size()) + " sentences, " + std::to_string(extract_words()) +
           " words>";
  }

  // Pickling, so that a summary can travel between processes (Dask's
  // workers and client): the library's fields with the scores' exact
  // single-precision values, and the texts as bytes.
  py::tuple state() const {
    py::list sentences;
    for (const api::SentenceResult& s : summary_.sentences) {
      sentences.append(py::make_tuple(py::bytes(std::string(s.text)), s.input, s.words,
                                      static_cast<double>(s.score), s.selected, s.gist));
    }
    py::list stems;
    for (const std::string& stem : summary_.gist_stems) stems.append(py::bytes(stem));
    return py::make_tuple(utf8(), static_cast<double>(summary_.threshold), summary_.size_text,
                          summary_.size_extract, gist(), stems, sentences);
  }

  static Summary from_state(const py::tuple& state) {
    if (state.size() != 7) throw py::value_error("not the state of a kernova.Summary");
    api::Summary summary;
    summary.encoding = state[0].cast<bool>() ? api::Encoding::kUtf8 : api::Encoding::kLatin1;
    summary.threshold = static_cast<float>(state[1].cast<double>());
    summary.size_text = state[2].cast<std::int64_t>();
    summary.size_extract = state[3].cast<std::int64_t>();
    if (!state[4].is_none()) summary.gist_sentence = state[4].cast<std::size_t>();
    for (const py::handle stem : state[5]) summary.gist_stems.push_back(stem.cast<std::string>());
    auto texts = std::make_shared<std::vector<std::string>>();
    for (const py::handle item : state[6]) {
      const py::tuple row = item.cast<py::tuple>();
      texts->push_back(row[0].cast<std::string>());
      summary.sentences.push_back(api::SentenceResult{.text = {},
                                                      .input = row[1].cast<std::size_t>(),
                                                      .words = row[2].cast<std::int64_t>(),
                                                      .score = static_cast<float>(row[3].cast<double>()),
                                                      .selected = row[4].cast<bool>(),
                                                      .gist = row[5].cast<bool>()});
    }
    // The vector is complete: its strings no longer move.
    for (std::size_t i = 0; i < texts->size(); ++i) summary.sentences[i].text = (*texts)[i];
    summary.storage = std::move(texts);
    return Summary(std::move(summary));
  }

 private:
  api::Summary summary_;
  std::optional<py::list> sentences_;
};

// ---------------------------------------------------------------------------
// The calls.

struct SummarizeRequest {
  api::SummaryOptions options;

  SummarizeRequest(const std::string& lang, const py::object& rate, const py::object& keep,
                   const py::object& words, const py::object& query, bool condense, bool average,
                   const std::string& encoding, bool unwrap, const std::string& method) {
    options.method = choose(kMethods, method, "method");
    if (options.method == api::Method::kCentroid && (condense || average)) {
      throw py::value_error("condense and average belong to the classic method");
    }
    options.read = read_options(lang, encoding, unwrap);
    options.length = length_of(rate, keep, words);
    if (!query.is_none()) {
      if (!py::isinstance<py::str>(query) && !py::isinstance<py::bytes>(query)) {
        throw py::type_error("query: a text is str or bytes");
      }
      options.query = std::string(text_of(query, options.read.encoding).bytes);
    }
    options.condense = condense;
    options.average = average;
  }
};

// One summary, without the interpreter lock; throws FileError, api::Error
// or std::bad_alloc.
api::Summary summarize_texts(std::vector<Text>& texts, const api::SummaryOptions& options) {
  load_files(texts);
  std::vector<std::string_view> views;
  views.reserve(texts.size());
  for (const Text& text : texts) views.push_back(text.view());
  return api::summarize(views, options);
}

Summary summarize(const py::object& texts, const std::string& lang, const py::object& rate,
                  const py::object& keep, const py::object& words, const py::object& query, bool condense,
                  bool average, const std::string& encoding, bool unwrap, const std::string& method) {
  const SummarizeRequest request(lang, rate, keep, words, query, condense, average, encoding, unwrap, method);
  std::vector<Text> items = texts_of(texts, request.options.read.encoding);
  try {
    py::gil_scoped_release release;
    return Summary(summarize_texts(items, request.options));
  } catch (const FileError& error) {
    raise_file_error(error);
  } catch (const api::Error& error) {
    raise_library_error(error, "texts", false);
  }
}

py::list summarize_many(const py::object& batch, const py::object& jobs, const std::string& lang,
                        const py::object& rate, const py::object& keep, const py::object& words,
                        const py::object& query, bool condense, bool average, const std::string& encoding,
                        bool unwrap, const std::string& method) {
  const SummarizeRequest request(lang, rate, keep, words, query, condense, average, encoding, unwrap, method);
  const unsigned threads = jobs_of(jobs);
  std::vector<std::vector<Text>> items;
  std::vector<bool> one_text;
  for (const py::handle item : py::iter(batch)) {
    items.push_back(texts_of(item, request.options.read.encoding));
    one_text.push_back(is_text(item));
  }

  std::vector<std::optional<api::Summary>> summaries(items.size());
  std::vector<std::exception_ptr> failures(items.size());
  {
    py::gil_scoped_release release;
    std::atomic<std::size_t> next{0};
    auto work = [&] {
      for (std::size_t i = next++; i < items.size(); i = next++) {
        try {
          summaries[i] = summarize_texts(items[i], request.options);
        } catch (...) {
          failures[i] = std::current_exception();
        }
      }
    };
    std::vector<std::thread> workers;
    const std::size_t count = std::min<std::size_t>(threads, items.size());
    try {
      for (std::size_t t = 1; t < count; ++t) workers.emplace_back(work);
    } catch (const std::system_error&) {
      // Fewer threads than asked for: the ones started share the work.
    }
    work();
    for (std::thread& worker : workers) worker.join();
  }
  // The first failure in the batch's order is raised.
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!failures[i]) continue;
    try {
      std::rethrow_exception(failures[i]);
    } catch (const FileError& error) {
      raise_file_error(error);
    } catch (const api::Error& error) {
      raise_library_error(error, "texts[" + std::to_string(i) + "]", one_text[i]);
    }
  }
  py::list result;
  for (std::optional<api::Summary>& summary : summaries) result.append(Summary(std::move(*summary)));
  return result;
}

py::object split(const py::object& text, const std::string& lang, const std::string& encoding, bool unwrap) {
  const api::ReadOptions options = read_options(lang, encoding, unwrap);
  std::vector<Text> items;
  items.push_back(text_of(text, options.encoding));
  api::Sentences sentences;
  try {
    py::gil_scoped_release release;
    load_files(items);
    sentences = api::split(items.front().view(), options);
  } catch (const FileError& error) {
    raise_file_error(error);
  } catch (const api::Error& error) {
    throw py::value_error(error.what());
  }
  const bool as_bytes = py::isinstance<py::bytes>(text);
  const bool utf8 = sentences.encoding == api::Encoding::kUtf8;
  py::list result;
  for (const std::string& sentence : sentences.sentences) {
    if (as_bytes) {
      result.append(py::bytes(sentence));
    } else {
      result.append(decoded(sentence, utf8));
    }
  }
  return result;
}

// A word as ISO 8859-1 bytes: bytes as they are, a str encoded.
std::string word_of(const py::handle& word) {
  if (py::isinstance<py::bytes>(word)) return word.cast<std::string>();
  if (!py::isinstance<py::str>(word)) {
    throw py::type_error("a word is str or bytes, not " +
                         std::string(py::str(py::type::handle_of(word).attr("__name__"))));
  }
  py::object bytes = py::reinterpret_steal<py::object>(PyUnicode_AsLatin1String(word.ptr()));
  if (!bytes) throw py::error_already_set();
  return bytes.cast<std::string>();
}

py::object stem_as(const std::string& stem, bool as_bytes) {
  if (as_bytes) return py::bytes(stem);
  return decoded(stem, false);
}

py::object stem(const py::object& word_or_words, const std::string& lang) {
  const api::Language language = language_of(lang);
  if (py::isinstance<py::str>(word_or_words) || py::isinstance<py::bytes>(word_or_words)) {
    return stem_as(api::stem(word_of(word_or_words), language), py::isinstance<py::bytes>(word_or_words));
  }
  std::vector<std::string> words;
  std::vector<bool> as_bytes;
  for (const py::handle word : py::iter(word_or_words)) {
    words.push_back(word_of(word));
    as_bytes.push_back(py::isinstance<py::bytes>(word));
  }
  std::vector<std::string> stems(words.size());
  {
    py::gil_scoped_release release;
    for (std::size_t i = 0; i < words.size(); ++i) api::stem(words[i], language, stems[i]);
  }
  py::list result;
  for (std::size_t i = 0; i < stems.size(); ++i) result.append(stem_as(stems[i], as_bytes[i]));
  return result;
}

// Defines `name`, whose arguments `leading` are followed by the options of
// a summary, keyword-only, with the command line's defaults.
template <typename Function, typename... Leading>
void def_summarizing(py::module_& m, const char* name, Function function, const char* doc,
                     Leading... leading) {
  m.def(name, function, doc, leading..., py::arg("lang") = "en", py::arg("rate") = py::none(),
        py::arg("keep") = py::none(), py::arg("words") = py::none(), py::arg("query") = py::none(),
        py::arg("condense") = false, py::arg("average") = false, py::arg("encoding") = "auto",
        py::arg("unwrap") = false, py::arg("method") = "classic");
}

}  // namespace

PYBIND11_MODULE(_kernova, m) {
  m.doc() = "Extractive summaries of English and Portuguese plain text.";
  // Each docstring opens with the signature in Python's words.
  py::options options;
  options.disable_function_signatures();

  py::class_<Sentence>(m, "Sentence", "One sentence of a summary's texts, in order.")
      .def_readonly("text", &Sentence::text, "The sentence (condensed with condense=True).")
      .def_readonly("index", &Sentence::index, "Its place among all the sentences, from 0.")
      .def_readonly("input", &Sentence::input, "The index of the text it comes from.")
      .def_readonly("words", &Sentence::words, "Its number of words.")
      .def_readonly("score", &Sentence::score, "Its score, as the JSON output writes it.")
      .def_readonly("selected", &Sentence::selected, "Whether it is part of the extract.")
      .def_readonly("gist", &Sentence::gist, "Whether it is the gist sentence (always selected).")
      .def("__repr__", [](const Sentence& s) {
        return "<kernova.Sentence " + std::to_string(s.index) + (s.selected ? " selected" : "") +
               (s.gist ? " gist" : "") + ": " + std::string(py::str(py::repr(s.text))) + ">";
      });

  py::class_<Summary>(m, "Summary",
                      "A summary: every sentence of the texts with its score and marks.\n\n"
                      "str() gives the extract, each selected sentence followed by a line end.")
      .def_property_readonly("encoding", &Summary::encoding,
                             "'utf8' when a text was read as UTF-8, else 'latin1'.")
      .def_property_readonly("sentences", &Summary::sentences, "Every sentence of every text, in order.")
      .def_property_readonly("threshold", &Summary::threshold, "The average score.")
      .def_property_readonly("size_text", &Summary::size_text, "Words of all the texts.")
      .def_property_readonly("size_extract", &Summary::size_extract, "The most words the extract may hold.")
      .def_property_readonly("extract_words", &Summary::extract_words, "Words of the selected sentences.")
      .def_property_readonly("gist", &Summary::gist, "Index of the gist sentence; None without sentences.")
      .def_property_readonly("gist_stems", &Summary::gist_stems,
                             "Stems of the gist sentence's words that are not stopwords, each once.")
      .def_property_readonly("extract", &Summary::extract, "The extract, as str() gives it.")
      .def("to_dict", &Summary::to_dict,
           "The fields of `kernova summarize --format json`, as a dict (non-finite numbers as None).")
      .def("__str__", &Summary::extract)
      .def("__repr__", &Summary::repr)
      .def(py::pickle([](const Summary& summary) { return summary.state(); },
                      [](const py::tuple& state) { return Summary::from_state(state); }));

  const char* summarize_doc =
      "summarize(texts, lang='en', rate=None, keep=None, words=None, query=None, condense=False,\n"
      "          average=False, encoding='auto', unwrap=False, method='classic') -> Summary\n\n"
      "One summary of `texts` taken together, as `kernova summarize` writes it.\n\n"
      "texts: a text or a list of texts. A text is str (Unicode), bytes (read in\n"
      "`encoding`: by default UTF-8 when valid and not ASCII, else ISO 8859-1) or\n"
      "a path (os.PathLike) to a file, read as bytes.\n"
      "Size, one at most: rate (below 1 the share of words left out, from 1 up the\n"
      "most words, negative the gist sentence alone), keep (the share of words\n"
      "kept, 0 < keep <= 1, exact as written: 0.3 is 3/10) or words (the most\n"
      "words). Without one the extract is every sentence the method selects.\n"
      "query ranks the sentences against a text; condense removes stopwords inside\n"
      "the sentences; average scores a sentence by its words' average frequency;\n"
      "unwrap joins the lines of a hard-wrapped paragraph.\n"
      "method: 'classic' (default), 'centroid' or 'best' (centroid: sentences early\n"
      "in the text, central and not redundant; a size is the words to reach, the\n"
      "last sentence may cross it; no condense or average).\n\n"
      "Raises ValueError for a bad option or a text that cannot be read in the\n"
      "encoding, OSError for a file, MemoryError. The interpreter lock is released\n"
      "while the library works.";
  def_summarizing(m, "summarize", &summarize, summarize_doc, py::arg("texts"), py::kw_only());

  def_summarizing(m, "summarize_many", &summarize_many,
                  "summarize_many(batch, jobs=None, **options) -> list[Summary]\n\n"
                  "A summary of each item of `batch` on its own (an item is a text or a list of\n"
                  "texts), by `jobs` threads (None: one per core), in the batch's order. The\n"
                  "options are those of summarize(). The first failing item, in order, raises\n"
                  "its error, naming it as texts[i].",
                  py::arg("batch"), py::kw_only(), py::arg("jobs") = py::none());

  m.def("split", &split,
        "split(text, lang='en', encoding='auto', unwrap=False) -> list\n\n"
        "The sentences of `text`, as `kernova split` writes them, one item per line.\n"
        "A str text gives str sentences, bytes give bytes in the text's encoding, a\n"
        "path gives str.",
        py::arg("text"), py::kw_only(), py::arg("lang") = "en", py::arg("encoding") = "auto",
        py::arg("unwrap") = false);

  m.def("stem", &stem,
        "stem(word_or_words, lang) -> str | bytes | list\n\n"
        "The stem of a word, or a list of the stems of several, as `kernova stem`\n"
        "computes them. A word is ISO 8859-1: bytes, or a str of characters up to\n"
        "U+00FF; each stem has its word's type.",
        py::arg("word_or_words"), py::kw_only(), py::arg("lang"));

  py::list codes;
  for (const api::LanguageInfo& language : api::languages())
    codes.append(py::str(std::string(language.code)));
  m.attr("languages") = py::tuple(codes);
}
