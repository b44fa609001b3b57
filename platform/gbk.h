#pragma once
// The one converter between the GBK bytes that Gradova keeps everywhere and the Unicode that
// terminals and widgets speak, over Qt's converters (ICU's tables). GBK here is code page 936:
// 0x80 is the euro sign, and its user-defined double-byte areas are Unicode's private use area.
#include <string>
#include <string_view>

namespace gradova::platform {

// GBK to UTF-8. A byte that starts no character of GBK becomes U+FFFD (0xFF, which ICU's table
// maps, becomes U+F8F5), so the output is always valid UTF-8 and nothing is dropped silently.
std::string GbkToUtf8(std::string_view gbk);
// The same, appended to `out`, for callers that convert many short texts into one buffer.
void AppendGbkToUtf8(std::string_view gbk, std::string& out);

// GB18030 (GBK and its four-byte extension) to UTF-8; a byte sequence it does not define becomes
// U+FFFD, as in GbkToUtf8.
std::string Gb18030ToUtf8(std::string_view gb18030);

// UTF-8 to GBK. A character that GBK cannot hold becomes "?", as the system's code page conversion
// does; so does each byte of a malformed UTF-8 sequence.
std::string Utf8ToGbk(std::string_view utf8);
// The same, appended to `out`; returns how many characters (or malformed bytes) became "?".
std::size_t AppendUtf8ToGbk(std::string_view utf8, std::string& out);

}  // namespace gradova::platform
