#include "platform/xls_values.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>

namespace gradova::platform {
namespace {

std::uint32_t U16(std::string_view bytes, std::size_t at) {
  if (at + 2 > bytes.size()) return 0;
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::string ErrorText(char code) {
  constexpr std::pair<char, const char*> kErrors[] = {{0x00, "#NULL!"},  {0x07, "#DIV/0!"},
                                                      {0x0F, "#VALUE!"}, {0x17, "#REF!"},
                                                      {0x1D, "#NAME?"},  {0x24, "#NUM!"}};
  for (const auto& [known, text] : kErrors) {
    if (code == known) return text;
  }
  return "#N/A";
}

void AppendUtf8(std::string& text, std::uint32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    text += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
             static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    text += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
             static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
}

}  // namespace

std::string XlsNumberText(double number) {
  char text[32];
  return std::string(text, std::to_chars(std::begin(text), std::end(text), number).ptr);
}

std::string BoolErrText(std::string_view body) {
  if (body[7] != 0) return ErrorText(body[6]);
  return body[6] ? "TRUE" : "FALSE";
}

std::optional<std::string> FormulaResultText(std::string_view body) {
  if (U16(body, 12) != 0xFFFF) {
    double number;
    std::memcpy(&number, body.data() + 6, sizeof number);  // little-endian, as the file
    return XlsNumberText(number);
  }
  switch (body[6]) {
    case 0:
      return std::nullopt;
    case 1:
      return body[8] ? "TRUE" : "FALSE";
    case 2:
      return ErrorText(body[8]);
    default:
      return "";
  }
}

std::string StringRecordText(std::string_view body, bool biff8, std::size_t maxBytes) {
  std::string text;
  if (!biff8 || body.size() < 3) return text;
  const bool wide = body[2] & 1;
  const std::string_view characters = body.substr(3, std::size_t{U16(body, 0)} << wide);
  for (std::size_t at = 0; at < characters.size() && text.size() <= maxBytes; at += 1 + wide) {
    std::uint32_t c = wide ? U16(characters, at) : static_cast<unsigned char>(characters[at]);
    const std::uint32_t low = U16(characters, at + 2);
    if (wide && c >= 0xD800 && c < 0xDC00 && low >= 0xDC00 && low < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      at += 2;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // half of a pair
    }
    AppendUtf8(text, c);
  }
  return text;
}

}  // namespace gradova::platform
