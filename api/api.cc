// The library interface (include/kernova/kernova.hpp) over the splitter, the
// stemmers and the summarizer.
#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>

#include "api/languages.h"
#include "api/text_codec.h"
#include "base/lines.h"
#include "centroid/centroid.h"
#include "kernova/kernova.hpp"
#include "language/language.h"
#include "rouge/rouge.h"
#include "splitter/splitter.h"
#include "summarizer/method.h"
#include "summarizer/summarize.h"

namespace kernova::api {
namespace {

DecodedText read_text(std::string_view bytes, const ReadOptions& options) {
  DecodedText decoded = decode(bytes, options.encoding);
  if (options.unwrap) unwrap_lines(decoded.text);
  return decoded;
}

// Where a line of the sentence file lies in the decoded text.
struct Piece {
  std::size_t begin = 0;
  std::size_t size = 0;
};

// Every line of `sentence_file` is a piece of `text` in order, with only
// blanks, tabs and line ends between them (the splitter drops those in
// front of a sentence and adds nothing but line ends).
std::vector<Piece> locate_lines(std::string_view text, std::string_view sentence_file) {
  std::vector<Piece> pieces;
  std::size_t cursor = 0;
  std::size_t line_start = 0;
  while (line_start < sentence_file.size()) {
    const std::size_t line_end = std::min(sentence_file.find('\n', line_start), sentence_file.size());
    const std::size_t size = line_end - line_start;
    if (size > 0) {
      while (cursor < text.size() && (text[cursor] == ' ' || text[cursor] == '\t' || text[cursor] == '\n')) {
        ++cursor;
      }
    }
    if (text.substr(cursor, size) != sentence_file.substr(line_start, size)) {
      throw Error("internal error: a sentence is not a piece of its text");
    }
    pieces.push_back(Piece{cursor, size});
    cursor += size;
    line_start = line_end + 1;
  }
  return pieces;
}

// The sentence file of `text`, made by two threads on a long text. No
// sentence rule looks across a line end, so the halves, cut after a line
// end, split exactly as the whole does.
std::string split_text(const language::Language& language, std::string_view text) {
  constexpr std::size_t kParallelFrom = 1 << 20;
  const std::size_t middle =
      text.size() < kParallelFrom ? std::string_view::npos : text.find('\n', text.size() / 2);
  if (middle == std::string_view::npos) return splitter::segment_text(language, text);
  // The first half's string gets room for the whole sentence file, so that
  // the second half is appended without moving the first.
  std::string first;
  std::exception_ptr failure;
  auto split_first = [&] {
    try {
      first.reserve(text.size() + text.size() / 8 + 16);
      splitter::Segmenter segmenter(language);
      segmenter.feed(text.substr(0, middle + 1), first);
      segmenter.finish(first);
    } catch (...) {
      failure = std::current_exception();
    }
  };
  std::thread worker;
  try {
    worker = std::thread(split_first);
  } catch (const std::system_error&) {
    // No thread to be had: this one splits the whole, which comes out the
    // same.
    return splitter::segment_text(language, text);
  }
  std::string second;
  try {
    second = splitter::segment_text(language, text.substr(middle + 1));
  } catch (...) {
    worker.join();
    throw;
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
  first += second;
  return first;
}

std::int64_t count_words(std::string_view sentence_file) {
  std::int64_t words = 0;
  summarizer::method::for_each_word(sentence_file, [&words](std::string_view) { ++words; });
  return words;
}

// floor(words * numerator / denominator), exactly, at most INT32_MAX.
std::int32_t share_of(std::int64_t words, const Share& share) {
  if (share.denominator == 0 || share.numerator == 0 || share.numerator > share.denominator) {
    throw Error("the share of words kept must be above 0 and at most 1");
  }
  __extension__ using Wide = unsigned __int128;
  const Wide size =
      static_cast<Wide>(static_cast<std::uint64_t>(words)) * share.numerator / share.denominator;
  return static_cast<std::int32_t>(std::min<Wide>(size, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t words_limit(std::int64_t words) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(words, 0, std::numeric_limits<std::int32_t>::max()));
}

// The query as the summarizer reads it: ISO 8859-1, characters beyond it
// as non-word bytes.
std::string read_query(const std::string& query, Encoding encoding) {
  try {
    return decode(query, encoding).text;
  } catch (const Error& error) {
    throw Error(std::string("the query is ") + error.what());
  }
}

// Converts a text the summary keeps as ISO 8859-1 to the summary's encoding.
std::string in_encoding(std::string_view latin1, bool utf8) {
  if (!utf8) return std::string(latin1);
  std::string out;
  append_utf8(latin1, out);
  return out;
}

// The texts as the splitter reads them (step 1 of `summarize`).
struct ReadTexts {
  std::vector<DecodedText> decoded;
  // What the splitter reads of each text: the decoded copy, or the text
  // itself when reading changes nothing (ISO 8859-1 without CR, not
  // unwrapped).
  std::vector<std::string_view> readings;
  bool utf8 = false;  // some text was read as UTF-8
};

ReadTexts read_texts(std::span<const std::string_view> texts, const ReadOptions& options) {
  ReadTexts read;
  read.decoded.resize(texts.size());
  read.readings.resize(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    try {
      const bool as_is = !options.unwrap && texts[i].find('\r') == std::string_view::npos &&
                         !reads_as_utf8(texts[i], options.encoding);
      if (as_is) {
        read.readings[i] = texts[i];
      } else {
        read.decoded[i] = read_text(texts[i], options);
        read.readings[i] = read.decoded[i].text;
      }
    } catch (const Error& error) {
      throw Error(error.what(), i);
    }
  }
  read.utf8 =
      std::any_of(read.decoded.begin(), read.decoded.end(), [](const DecodedText& d) { return d.utf8; });
  if (read.utf8) {
    // The sentences are written back from the decoded texts: every text
    // needs its own.
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (read.readings[i].data() == texts[i].data()) {
        read.decoded[i] = read_text(texts[i], options);
        read.readings[i] = read.decoded[i].text;
      }
    }
  }
  return read;
}

// Where a sentence the method will see comes from.
struct Origin {
  std::size_t input;
  Piece piece;
};

// The texts cut into sentences (step 2 of `summarize`): the sentence
// files, and how many non-empty lines (sentences) they hold. A UTF-8 run
// also keeps each sentence's text and place, to write it back.
struct SplitTexts {
  std::vector<std::string> sentence_files;
  std::vector<std::size_t> sentence_ends;  // per text: the sentences up to its end
  std::vector<Origin> origins;             // UTF-8 runs only
  std::int64_t words = 0;                  // counted only when `count_words_too`
};

SplitTexts split_texts(const language::Language& language, ReadTexts& read, bool count_words_too) {
  SplitTexts split;
  split.sentence_files.reserve(read.readings.size());
  for (std::size_t i = 0; i < read.readings.size(); ++i) {
    std::string file = split_text(language, read.readings[i]);
    if (read.utf8) {
      for (const Piece& piece : locate_lines(read.readings[i], file)) {
        if (piece.size > 0) split.origins.push_back(Origin{i, piece});
      }
      split.sentence_ends.push_back(split.origins.size());
    } else {
      // ISO 8859-1 sentences are written as the summarizer keeps them: only
      // the text each comes from is needed, and the decoded copy can go.
      std::size_t sentences = split.sentence_ends.empty() ? 0 : split.sentence_ends.back();
      for (std::size_t line = 0; line < file.size();) {
        const std::size_t end = std::min(file.find('\n', line), file.size());
        if (end > line) ++sentences;
        line = end + 1;
      }
      split.sentence_ends.push_back(sentences);
      std::string().swap(read.decoded[i].text);
      read.readings[i] = {};
    }
    if (count_words_too) split.words += count_words(file);
    split.sentence_files.push_back(std::move(file));
  }
  return split;
}

// The method's options for `options` (step 3 of `summarize`); `words` is
// the input's number of words, needed for a Share only.
summarizer::SummaryOptions method_options(const SummaryOptions& options, std::int64_t words) {
  summarizer::SummaryOptions method;
  if (options.query) method.query = read_query(*options.query, options.read.encoding);
  method.remove_stopwords = options.condense;
  method.average_scores = options.average;
  if (const Rate* rate = std::get_if<Rate>(&options.length)) {
    method.compression_rate = rate->value;
  } else if (const Share* share = std::get_if<Share>(&options.length)) {
    method.size_extract = share_of(words, *share);
  } else {
    method.size_extract = words_limit(std::get<MaxWords>(options.length).words);
  }
  return method;
}

// Appends the UTF-8 text of `sentence`, which comes from `origin`, to
// `out`. A condensed sentence keeps some of the bytes of the loaded one;
// condensing it again tells which.
void append_utf8_sentence(const language::Language& language, const ReadTexts& read, const Origin& origin,
                          std::string_view sentence, bool condensed, std::string& out) {
  const DecodedText& text = read.decoded[origin.input];
  if (!text.utf8) {
    // An ISO 8859-1 text among UTF-8 ones: its bytes become characters.
    append_utf8(sentence, out);
    return;
  }
  if (!condensed) {
    append_original(text, origin.piece.begin, origin.piece.size, out);
    return;
  }
  auto is_stopword = [&language](std::string_view word) { return language::stopword_folded(language, word); };
  const std::string_view loaded = std::string_view(text.text).substr(origin.piece.begin, origin.piece.size);
  std::string again;
  std::vector<std::size_t> sources;
  summarizer::method::condense_with_sources(loaded, again, sources, is_stopword);
  if (again != sentence) throw Error("internal error: a condensed sentence does not match");
  for (std::size_t& source : sources) {
    if (source != summarizer::method::kInserted) source += origin.piece.begin;
  }
  append_original(text, again, sources, out);
}

// The result for the method's summary (step 4 of `summarize`).
Summary build_result(summarizer::Summary summary, const language::Language& language, const ReadTexts& read,
                     const SplitTexts& split, bool condensed) {
  if (summary.sentences.size() != (split.sentence_ends.empty() ? 0 : split.sentence_ends.back())) {
    throw Error("internal error: the sentences do not match their texts");
  }
  Summary result;
  result.encoding = read.utf8 ? Encoding::kUtf8 : Encoding::kLatin1;
  result.gist_sentence = summary.gist_sentence;
  result.threshold = summary.threshold;
  result.size_text = summary.size_text;
  result.size_extract = summary.size_extract;
  for (const std::string& gist_stem : summary.gist_stems) {
    result.gist_stems.push_back(in_encoding(gist_stem, read.utf8));
  }
  result.sentences.reserve(summary.sentences.size());
  std::size_t input = 0;
  for (std::size_t i = 0; i < summary.sentences.size(); ++i) {
    while (i >= split.sentence_ends[input]) ++input;
    const summarizer::Sentence& sentence = summary.sentences[i];
    result.sentences.push_back(SentenceResult{.text = sentence.text,
                                              .input = input,
                                              .words = sentence.number_of_words,
                                              .score = sentence.score,
                                              .selected = sentence.selected,
                                              .gist = sentence.gist});
  }
  if (!read.utf8) {
    // ISO 8859-1 sentences are viewed where the summarizer keeps them.
    result.storage = std::make_shared<summarizer::Summary>(std::move(summary));
    return result;
  }
  // UTF-8 sentences are written one after another into one string, and
  // viewed once it is complete.
  auto utf8_texts = std::make_shared<std::string>();
  std::vector<std::size_t> ends;
  ends.reserve(summary.sentences.size());
  for (std::size_t i = 0; i < summary.sentences.size(); ++i) {
    append_utf8_sentence(language, read, split.origins[i], summary.sentences[i].text, condensed, *utf8_texts);
    ends.push_back(utf8_texts->size());
  }
  std::size_t begin = 0;
  for (std::size_t i = 0; i < result.sentences.size(); ++i) {
    result.sentences[i].text = std::string_view(*utf8_texts).substr(begin, ends[i] - begin);
    begin = ends[i];
  }
  result.storage = std::move(utf8_texts);
  return result;
}

}  // namespace

Sentences split(std::string_view text, const ReadOptions& options) {
  const DecodedText decoded = read_text(text, options);
  const std::string sentence_file = split_text(entry_of(options.language).words(), decoded.text);
  Sentences result;
  result.encoding = decoded.utf8 ? Encoding::kUtf8 : Encoding::kLatin1;
  for (const Piece& piece : locate_lines(decoded.text, sentence_file)) {
    std::string sentence;
    append_original(decoded, piece.begin, piece.size, sentence);
    result.sentences.push_back(std::move(sentence));
  }
  return result;
}

void stem(std::string_view word, Language language, std::string& out) { entry_of(language).stem(word, out); }

std::string stem(std::string_view word, Language language) {
  std::string out;
  stem(word, language, out);
  return out;
}

Summary summarize(std::span<const std::string_view> texts, const SummaryOptions& options) {
  if (options.method == Method::kCentroid && (options.condense || options.average)) {
    throw Error("the centroid method neither condenses nor averages");
  }
  const LanguageEntry& entry = entry_of(options.read.language);
  ReadTexts read = read_texts(texts, options.read);
  // Only a share needs the number of words before summarizing.
  SplitTexts split = split_texts(entry.words(), read, std::holds_alternative<Share>(options.length));
  const summarizer::SummaryOptions method = method_options(options, split.words);
  summarizer::Summary summary =
      options.method == Method::kCentroid
          ? centroid::summarize(entry.edition(), std::move(split.sentence_files), method)
          : summarizer::summarize(entry.edition(), std::move(split.sentence_files), method);
  return build_result(std::move(summary), entry.words(), read, split, options.condense);
}

std::string extract(const Summary& summary) { return base::selected_lines(summary.sentences); }

}  // namespace kernova::api
