#include "courses/text_encoding.h"

#include <algorithm>
#include <cstdint>

namespace gradova::courses {
namespace {

// The three-byte characters that Chinese text is written with.
bool IsChineseText(std::uint32_t code) {
  return (code >= 0x2000 && code <= 0x2BFF) || (code >= 0x3000 && code <= 0x9FFF) ||
         (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFE30 && code <= 0xFE4F) ||
         (code >= 0xFF00 && code <= 0xFFEF);
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// What a text holds beyond ASCII, read as UTF-8.
struct Utf8Census {
  bool valid = true;
  std::size_t chinese = 0;  // three-byte Chinese text
  std::size_t other = 0;
};

// A sequence cut off by the end of `text` counts as valid unless the text is whole (`whole`).
Utf8Census TakeUtf8Census(std::string_view text, bool whole = false) {
  Utf8Census census;
  for (std::size_t pos = 0; pos < text.size();) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
      ++pos;
      continue;
    }
    // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      census.valid = false;
      return census;
    }
    if (pos + length > text.size()) {
      census.valid = !whole;
      break;
    }
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    census.valid = second >= low && second <= high;
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length && census.valid; ++i) {
      const auto byte = static_cast<unsigned char>(text[pos + i]);
      census.valid = IsContinuation(byte);
      code = code << 6 | (byte & 0x3F);
    }
    if (!census.valid) return census;
    ++(length == 3 && IsChineseText(code) ? census.chinese : census.other);
    pos += length;
  }
  return census;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view text) {
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    return TakeUtf8Census(text.substr(kUtf8Bom.size())).valid ? TextEncoding::Utf8WithBom
                                                              : TextEncoding::Gbk;
  }
  const Utf8Census census = TakeUtf8Census(text);
  return census.valid && census.chinese > census.other ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

bool IsValidUtf8(std::string_view text) { return TakeUtf8Census(text, true).valid; }

std::size_t AsciiPrefixLength(std::string_view text) {
  const auto beyondAscii = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
  return static_cast<std::size_t>(std::find_if(text.begin(), text.end(), beyondAscii) -
                                  text.begin());
}

}  // namespace gradova::courses
