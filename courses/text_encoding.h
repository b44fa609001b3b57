#pragma once
// Which encoding a course file is in. The program keeps GBK; a file a Linux editor wrote is
// UTF-8, which it reads and writes back as such.
#include <cstddef>
#include <string_view>

namespace gradova::courses {

enum class TextEncoding {
  Gbk,  // also every file of ASCII text only, which reads the same either way
  Utf8,
  Utf8WithBom,  // UTF-8 that starts with the byte-order mark EF BB BF
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The encoding of a text, judged from its start (a sequence cut off at the end of `text` is taken
// as complete further on). A byte-order mark makes it UTF-8 when the rest is valid UTF-8 too: a GBK
// text can start with the same three bytes ("锘" and a character whose first byte is BF). Without
// one, being valid UTF-8 is not
// enough, since short GBK texts often are ("小学" in GBK reads as two Cyrillic letters): the text
// is UTF-8 only when it is valid UTF-8 and more of its characters beyond ASCII are Chinese text in
// three-byte sequences (CJK ideographs and punctuation, full-width forms, general punctuation,
// number forms such as "Ⅱ") than anything else. Everything else is GBK.
TextEncoding DetectTextEncoding(std::string_view text);

// Whether the whole of `text` is well-formed UTF-8 (no overlong form, surrogate, code point past
// U+10FFFF or cut-off sequence).
bool IsValidUtf8(std::string_view text);

// How many bytes at the start of `text` are ASCII.
std::size_t AsciiPrefixLength(std::string_view text);

}  // namespace gradova::courses
