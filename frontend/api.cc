// The library interface (include/kernova/kernova.hpp) over the splitter, the
// stemmers and the summarizer.
#include <algorithm>
#include <exception>
#include <limits>
#include <memory>
#include <new>
#include <thread>

#include "english_stemmer/english_stemmer.h"
#include "frontend/text_codec.h"
#include "include/kernova/kernova.hpp"
#include "language/error.h"
#include "language/language.h"
#include "portuguese_stemmer/portuguese_stemmer.h"
#include "splitter/splitter.h"
#include "summarizer/method.h"
#include "summarizer/summarize.h"

namespace kernova::api {
namespace {

using frontend::DecodedText;

const language::Language& language_of(Language language) {
  return language == Language::kPortuguese ? language::portuguese() : language::english();
}

const summarizer::Edition& edition_of(Language language) {
  return language == Language::kPortuguese ? summarizer::portuguese_edition() : summarizer::english_edition();
}

DecodedText read_text(std::string_view bytes, const ReadOptions& options) {
  DecodedText decoded = frontend::decode(bytes, options.encoding);
  if (options.unwrap) frontend::unwrap_lines(decoded.text);
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
  const std::size_t middle = text.size() < kParallelFrom ? std::string_view::npos : text.find('\n', text.size() / 2);
  if (middle == std::string_view::npos) return splitter::segment_text(language, text);
  // The first half's string gets room for the whole sentence file, so that
  // the second half is appended without moving the first.
  std::string first;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      first.reserve(text.size() + text.size() / 8 + 16);
      splitter::Segmenter segmenter(language);
      segmenter.feed(text.substr(0, middle + 1), first);
      segmenter.finish(first);
    } catch (...) {
      failure = std::current_exception();
    }
  });
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
  const Wide size = static_cast<Wide>(static_cast<std::uint64_t>(words)) * share.numerator / share.denominator;
  return static_cast<std::int32_t>(std::min<Wide>(size, std::numeric_limits<std::int32_t>::max()));
}

std::int32_t words_limit(std::int64_t words) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(words, 0, std::numeric_limits<std::int32_t>::max()));
}

// The query as the summarizer reads it: ISO 8859-1, characters beyond it
// as non-word bytes.
std::string read_query(const std::string& query, Encoding encoding) {
  try {
    return frontend::decode(query, encoding).text;
  } catch (const Error& error) {
    throw Error(std::string("the query is ") + error.what());
  }
}

// Converts a text the summary keeps as ISO 8859-1 to the summary's encoding.
std::string in_encoding(std::string_view latin1, bool utf8) {
  if (!utf8) return std::string(latin1);
  std::string out;
  frontend::append_utf8(latin1, out);
  return out;
}

}  // namespace

Sentences split(std::string_view text, const ReadOptions& options) {
  const DecodedText decoded = read_text(text, options);
  const std::string sentence_file = split_text(language_of(options.language), decoded.text);
  Sentences result;
  result.encoding = decoded.utf8 ? Encoding::kUtf8 : Encoding::kLatin1;
  for (const Piece& piece : locate_lines(decoded.text, sentence_file)) {
    std::string sentence;
    frontend::append_original(decoded, piece.begin, piece.size, sentence);
    result.sentences.push_back(std::move(sentence));
  }
  return result;
}

std::string stem(std::string_view word, Language language) {
  std::string out;
  edition_of(language).stem(word, out);
  return out;
}

Summary summarize(std::span<const std::string_view> texts, const SummaryOptions& options) {
  const summarizer::Edition& edition = edition_of(options.read.language);
  std::vector<DecodedText> decoded(texts.size());
  // What the splitter reads of each text: the decoded copy, or the text
  // itself when reading changes nothing (ISO 8859-1 without CR, not unwrapped).
  std::vector<std::string_view> readings(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    try {
      const bool as_is = !options.read.unwrap && texts[i].find('\r') == std::string_view::npos &&
                         !frontend::reads_as_utf8(texts[i], options.read.encoding);
      if (as_is) {
        readings[i] = texts[i];
      } else {
        decoded[i] = read_text(texts[i], options.read);
        readings[i] = decoded[i].text;
      }
    } catch (const Error& error) {
      throw Error(error.what(), i);
    }
  }
  const bool utf8 = std::any_of(decoded.begin(), decoded.end(), [](const DecodedText& d) { return d.utf8; });
  if (utf8) {
    // The sentences are written back from the decoded texts: every text
    // needs its own.
    for (std::size_t i = 0; i < texts.size(); ++i) {
      if (readings[i].data() == texts[i].data()) {
        decoded[i] = read_text(texts[i], options.read);
        readings[i] = decoded[i].text;
      }
    }
  }

  // The sentences the summarizer will see: the non-empty lines of the
  // sentence files, each with its text and place.
  struct Origin {
    std::size_t input;
    Piece piece;
  };
  std::vector<Origin> origins;
  std::vector<std::string> sentence_files;
  sentence_files.reserve(texts.size());
  std::int64_t words = 0;
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    std::string file = split_text(edition.language, readings[i]);
    if (utf8) {
      for (const Piece& piece : locate_lines(readings[i], file)) {
        if (piece.size > 0) origins.push_back(Origin{i, piece});
      }
    } else {
      // ISO 8859-1 sentences are written as the summarizer keeps them: only
      // the text each comes from is needed, and the decoded copy can go.
      for (std::size_t line = 0; line < file.size();) {
        const std::size_t end = std::min(file.find('\n', line), file.size());
        if (end > line) origins.push_back(Origin{i, Piece{}});
        line = end + 1;
      }
      std::string().swap(decoded[i].text);
      readings[i] = {};
    }
    // Only a share needs the number of words before summarizing.
    if (std::holds_alternative<Share>(options.length)) words += count_words(file);
    sentence_files.push_back(std::move(file));
  }

  summarizer::SummaryOptions method_options;
  if (options.query) method_options.query = read_query(*options.query, options.read.encoding);
  method_options.remove_stopwords = options.condense;
  method_options.average_scores = options.average;
  if (const Rate* rate = std::get_if<Rate>(&options.length)) {
    method_options.compression_rate = rate->value;
  } else if (const Share* share = std::get_if<Share>(&options.length)) {
    method_options.size_extract = share_of(words, *share);
  } else {
    method_options.size_extract = words_limit(std::get<MaxWords>(options.length).words);
  }

  summarizer::Summary summary;
  try {
    summary = summarizer::summarize(edition, std::move(sentence_files), method_options);
  } catch (const kernova::Error&) {
    // The method's only failure of its own is memory for the query.
    throw std::bad_alloc();
  }
  if (summary.sentences.size() != origins.size()) {
    throw Error("internal error: the sentences do not match their texts");
  }

  Summary result;
  result.encoding = utf8 ? Encoding::kUtf8 : Encoding::kLatin1;
  result.gist_sentence = summary.gist_sentence;
  result.threshold = summary.threshold;
  result.size_text = summary.size_text;
  result.size_extract = summary.size_extract;
  for (const std::string& gist_stem : summary.gist_stems) result.gist_stems.push_back(in_encoding(gist_stem, utf8));

  const language::Language& language = edition.language;
  auto is_stopword = [&language](std::string_view word) { return language::is_stopword(language, word); };
  // UTF-8 sentences are written one after another into one string, and
  // viewed once it is complete; ISO 8859-1 sentences are viewed where the
  // summarizer keeps them.
  auto utf8_texts = std::make_shared<std::string>();
  std::vector<std::size_t> utf8_ends;
  std::string condensed;
  std::vector<std::size_t> sources;
  result.sentences.reserve(summary.sentences.size());
  for (std::size_t i = 0; i < summary.sentences.size(); ++i) {
    const summarizer::Sentence& sentence = summary.sentences[i];
    const Origin& origin = origins[i];
    const DecodedText& text = decoded[origin.input];
    SentenceResult out{.text = {},
                       .input = origin.input,
                       .words = sentence.number_of_words,
                       .score = sentence.score,
                       .selected = sentence.selected,
                       .gist = sentence.gist};
    if (!utf8) {
      out.text = sentence.text;
    } else if (!text.utf8) {
      // An ISO 8859-1 text among UTF-8 ones: its bytes become characters.
      frontend::append_utf8(sentence.text, *utf8_texts);
    } else if (!options.condense) {
      frontend::append_original(text, origin.piece.begin, origin.piece.size, *utf8_texts);
    } else {
      // The condensed sentence keeps some of the bytes of the loaded one;
      // condensing it again tells which.
      const std::string_view loaded = std::string_view(text.text).substr(origin.piece.begin, origin.piece.size);
      summarizer::method::condense_with_sources(loaded, condensed, sources, is_stopword);
      if (condensed != sentence.text) throw Error("internal error: a condensed sentence does not match");
      for (std::size_t& source : sources) {
        if (source != summarizer::method::kInserted) source += origin.piece.begin;
      }
      frontend::append_original(text, condensed, sources, *utf8_texts);
    }
    if (utf8) utf8_ends.push_back(utf8_texts->size());
    result.sentences.push_back(out);
  }
  if (utf8) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i < result.sentences.size(); ++i) {
      result.sentences[i].text = std::string_view(*utf8_texts).substr(begin, utf8_ends[i] - begin);
      begin = utf8_ends[i];
    }
    result.storage = std::move(utf8_texts);
  } else {
    result.storage = std::make_shared<summarizer::Summary>(std::move(summary));
  }
  return result;
}

std::string extract(const Summary& summary) {
  std::string text;
  for (const SentenceResult& sentence : summary.sentences) {
    if (!sentence.selected) continue;
    text += sentence.text;
    text += '\n';
  }
  return text;
}

}  // namespace kernova::api
