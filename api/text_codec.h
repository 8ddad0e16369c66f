// Reading texts in ISO 8859-1 or UTF-8 into the bytes the splitter and the
// summarizer work on, and writing pieces of them back in the text's own
// encoding.
//
// A UTF-8 text is decoded to ISO 8859-1: characters up to U+00FF become
// that byte, every other character becomes the stand-in byte 0x80, which
// is not a word byte and which no sentence rule looks at. The stand-ins are
// remembered by position (a genuine U+0080 decodes to 0x80 as well), so
// that a piece of the decoded text can be written back with the original
// characters in place.
#ifndef KERNOVA_API_TEXT_CODEC_H_
#define KERNOVA_API_TEXT_CODEC_H_

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kernova/kernova.hpp"

namespace kernova::api {

inline constexpr char kStandIn = '\x80';

// A character that ISO 8859-1 cannot hold.
struct StandIn {
  std::size_t position = 0;  // of its stand-in byte in the decoded text
  std::size_t original = 0;  // where its UTF-8 bytes start in `originals`
  std::size_t size = 0;      // 2 to 4 bytes
};

struct DecodedText {
  std::string text;  // ISO 8859-1 bytes; each CR LF pair is one '\n'
  bool utf8 = false;
  std::vector<StandIn> stand_ins;  // in order of position
  std::string originals;           // the stand-ins' UTF-8 bytes, one after another
};

// The index of the first byte that does not begin a valid UTF-8 sequence
// (overlong forms, surrogates and code points above U+10FFFF are invalid),
// or nothing when all of `bytes` is valid.
std::optional<std::size_t> first_invalid_utf8(std::string_view bytes);

// True when `encoding` (kAutomatic resolved by the bytes) reads `bytes`
// as UTF-8. Throws Error("not valid UTF-8 (byte N)", N from 1) when
// kUtf8 is asked for and `bytes` is not valid UTF-8.
bool reads_as_utf8(std::string_view bytes, Encoding encoding);

// Decodes `bytes` as `encoding` asks; throws like `reads_as_utf8`.
DecodedText decode(std::string_view bytes, Encoding encoding);

// Joins the lines of a hard-wrapped text in place: a '\n' between two
// lines that both hold a byte other than ' ', '\t' and '\r' becomes ' '.
void unwrap_lines(std::string& text);

// Appends ISO 8859-1 bytes as UTF-8.
void append_utf8(std::string_view latin1, std::string& out);

// Appends decoded.text[begin, begin + size) in the text's own encoding.
void append_original(const DecodedText& decoded, std::size_t begin, std::size_t size, std::string& out);

// Appends `bytes`, made from the decoded text: `sources[k]` is the position
// in the decoded text that bytes[k] was copied from, or -1 (size_t) for a
// byte that was put in. Only a copied stand-in becomes its original again.
void append_original(const DecodedText& decoded, std::string_view bytes, std::span<const std::size_t> sources,
                     std::string& out);

}  // namespace kernova::api

#endif  // KERNOVA_API_TEXT_CODEC_H_
