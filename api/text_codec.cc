#include "api/text_codec.h"

#include <algorithm>
#include <cstring>

#include "base/files.h"

namespace kernova::api {
namespace {

constexpr bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at bytes[i], or 0 when none
// starts there. Follows the table of well-formed sequences: no overlong
// form, no surrogate, nothing above U+10FFFF.
std::size_t sequence_length(std::string_view bytes, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char c = at(i);
  const std::size_t left = bytes.size() - i;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) return left >= 2 && is_continuation(at(i + 1)) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    if (left < 3) return 0;
    const unsigned char second = at(i + 1);
    const unsigned char low = c == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = c == 0xED ? 0x9F : 0xBF;
    return second >= low && second <= high && is_continuation(at(i + 2)) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (left < 4) return 0;
    const unsigned char second = at(i + 1);
    const unsigned char low = c == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = c == 0xF4 ? 0x8F : 0xBF;
    return second >= low && second <= high && is_continuation(at(i + 2)) && is_continuation(at(i + 3)) ? 4
                                                                                                       : 0;
  }
  return 0;
}

bool has_high_byte(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool is_line_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The stand-in for `position`, if that position holds one.
const StandIn* stand_in_at(const DecodedText& decoded, std::size_t position) {
  auto found = std::lower_bound(decoded.stand_ins.begin(), decoded.stand_ins.end(), position,
                                [](const StandIn& s, std::size_t p) { return s.position < p; });
  if (found == decoded.stand_ins.end() || found->position != position) return nullptr;
  return &*found;
}

void append_byte_utf8(unsigned char c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::optional<std::size_t> first_invalid_utf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::size_t length = sequence_length(bytes, i);
    if (length == 0) return i;
    i += length;
  }
  return std::nullopt;
}

bool reads_as_utf8(std::string_view bytes, Encoding encoding) {
  switch (encoding) {
    case Encoding::kLatin1:
      return false;
    case Encoding::kUtf8:
      if (auto invalid = first_invalid_utf8(bytes)) {
        throw Error("not valid UTF-8 (byte " + std::to_string(*invalid + 1) + ")");
      }
      return true;
    case Encoding::kAutomatic:
      break;
  }
  return has_high_byte(bytes) && !first_invalid_utf8(bytes);
}

DecodedText decode(std::string_view bytes, Encoding encoding) {
  DecodedText decoded;
  decoded.utf8 = reads_as_utf8(bytes, encoding);
  if (!decoded.utf8) {
    base::join_crlf(bytes, decoded.text);
    return decoded;
  }
  std::string& text = decoded.text;
  text.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        ++i;  // the LF follows as the line end
        continue;
      }
      text += static_cast<char>(c);
      ++i;
      continue;
    }
    const std::size_t length = sequence_length(bytes, i);  // valid: checked above
    if (length == 2 && c <= 0xC3) {
      text += static_cast<char>(((c & 0x1F) << 6) | (static_cast<unsigned char>(bytes[i + 1]) & 0x3F));
    } else {
      decoded.stand_ins.push_back(StandIn{text.size(), decoded.originals.size(), length});
      decoded.originals.append(bytes.substr(i, length));
      text += kStandIn;
    }
    i += length;
  }
  return decoded;
}

void unwrap_lines(std::string& text) {
  // `line_has_text`: the line that the next '\n' ends holds a non-blank.
  bool line_has_text = false;
  std::size_t pending = std::string::npos;  // a '\n' after a line with text
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') {
      pending = line_has_text ? i : std::string::npos;
      line_has_text = false;
    } else if (!is_line_blank(c)) {
      if (!line_has_text && pending != std::string::npos) text[pending] = ' ';
      pending = std::string::npos;
      line_has_text = true;
    }
  }
}

void append_utf8(std::string_view latin1, std::string& out) {
  for (char c : latin1) append_byte_utf8(static_cast<unsigned char>(c), out);
}

void append_original(const DecodedText& decoded, std::size_t begin, std::size_t size, std::string& out) {
  const std::string_view piece = std::string_view(decoded.text).substr(begin, size);
  if (!decoded.utf8) {
    out.append(piece);
    return;
  }
  auto next = std::lower_bound(decoded.stand_ins.begin(), decoded.stand_ins.end(), begin,
                               [](const StandIn& s, std::size_t p) { return s.position < p; });
  for (std::size_t k = 0; k < piece.size(); ++k) {
    if (next != decoded.stand_ins.end() && next->position == begin + k) {
      out.append(decoded.originals, next->original, next->size);
      ++next;
    } else {
      append_byte_utf8(static_cast<unsigned char>(piece[k]), out);
    }
  }
}

void append_original(const DecodedText& decoded, std::string_view bytes, std::span<const std::size_t> sources,
                     std::string& out) {
  if (!decoded.utf8) {
    out.append(bytes);
    return;
  }
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const StandIn* stand_in = bytes[k] == kStandIn && sources[k] != static_cast<std::size_t>(-1)
                                  ? stand_in_at(decoded, sources[k])
                                  : nullptr;
    if (stand_in != nullptr) {
      out.append(decoded.originals, stand_in->original, stand_in->size);
    } else {
      append_byte_utf8(static_cast<unsigned char>(bytes[k]), out);
    }
  }
}

}  // namespace kernova::api
