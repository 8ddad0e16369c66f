#include "frontend/formats.h"

#include <charconv>
#include <cmath>

namespace kernova::frontend {
namespace {

std::string number(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string json_number(float value) { return std::isfinite(value) ? number(value) : "null"; }

std::string tsv_field(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default: out += c;
    }
  }
  return out;
}

std::int64_t extract_words(const api::Summary& summary) {
  std::int64_t words = 0;
  for (const api::SentenceResult& sentence : summary.sentences) {
    if (sentence.selected) words += sentence.words;
  }
  return words;
}

std::string format_tsv(const api::Summary& summary) {
  std::string out = "index\tinput\twords\tscore\tselected\tgist\tsentence\n";
  for (std::size_t i = 0; i < summary.sentences.size(); ++i) {
    const api::SentenceResult& s = summary.sentences[i];
    out += std::to_string(i) + '\t' + std::to_string(s.input) + '\t' + std::to_string(s.words) + '\t' +
           number(s.score) + '\t' + (s.selected ? "1" : "0") + '\t' + (s.gist ? "1" : "0") + '\t' +
           tsv_field(s.text) + '\n';
  }
  return out;
}

std::string format_json(const api::Summary& summary) {
  const bool utf8 = summary.encoding == api::Encoding::kUtf8;
  std::string out = "{\n";
  out += std::string("  \"encoding\": \"") + (utf8 ? "utf8" : "latin1") + "\",\n";
  out += "  \"threshold\": " + json_number(summary.threshold) + ",\n";
  out += "  \"size_text\": " + std::to_string(summary.size_text) + ",\n";
  out += "  \"size_extract\": " + std::to_string(summary.size_extract) + ",\n";
  out += "  \"extract_words\": " + std::to_string(extract_words(summary)) + ",\n";
  out += "  \"gist_words\": [";
  for (std::size_t i = 0; i < summary.gist_stems.size(); ++i) {
    if (i > 0) out += ", ";
    out += json_string(summary.gist_stems[i], utf8);
  }
  out += "],\n  \"sentences\": [";
  for (std::size_t i = 0; i < summary.sentences.size(); ++i) {
    const api::SentenceResult& s = summary.sentences[i];
    out += i == 0 ? "\n" : ",\n";
    out += "    {\"index\": " + std::to_string(i) + ", \"input\": " + std::to_string(s.input) +
           ", \"words\": " + std::to_string(s.words) + ", \"score\": " + json_number(s.score) +
           ", \"selected\": " + (s.selected ? "true" : "false") + ", \"gist\": " + (s.gist ? "true" : "false") +
           ", \"text\": " + json_string(s.text, utf8) + "}";
  }
  out += summary.sentences.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace

std::string json_string(std::string_view text, bool utf8) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
      }
    } else if (byte >= 0x80 && !utf8) {
      // The ISO 8859-1 byte as the character of the same code.
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string format_summary(const api::Summary& summary, OutputFormat format) {
  switch (format) {
    case OutputFormat::kText:
      return api::extract(summary);
    case OutputFormat::kTsv:
      return format_tsv(summary);
    case OutputFormat::kJson:
      return format_json(summary);
  }
  return {};
}

}  // namespace kernova::frontend
