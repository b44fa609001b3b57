#include "platform/gbk.h"

#include <gtest/gtest.h>

namespace gradova::platform {
namespace {

// GBK here is code page 936: 0x80 is the euro sign, 0x40..0x7E are also trail bytes, and the
// user-defined area is Unicode's private use area.
TEST(Gbk, ConvertsBothWays) {
  const std::pair<std::string, std::string> rows[] = {
      {std::string("Linear\0 4", 9), std::string("Linear\0 4", 9)},
      {"\xb1\xea\xd7\xbc\x34.0\xcb\xe3\xb7\xa8", "标准4.0算法"},
      {"\x81\x40x\x80", "丂x€"},
      {"\xaa\xa1", "\uE000"},
  };
  for (const auto& [gbk, utf8] : rows) {
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
    EXPECT_EQ(Utf8ToGbk(utf8), gbk);
  }
}

// A byte that starts no character becomes U+FFFD, also when it is cut off at the end; ICU's table
// maps 0xFF alone. Output is always valid UTF-8.
TEST(Gbk, DecodingDropsNothing) {
  const std::tuple<std::string, std::string, std::string> rows[] = {
      // GBK, GBK as UTF-8, the same bytes as GB18030 as UTF-8
      {"ab\xb1", "ab\uFFFD", "ab\uFFFD"},
      {"\xffz\x81\n", "\uF8F5z\uFFFD\n", "\uFFFDz\uFFFD\n"},
      {"\x82\x40\x81\xff", "侤\uFFFD\uF8F5", "侤\uFFFD"},
      {"\x81\x30\x81\x30", "\uFFFD0\uFFFD0", "\u0080"},
      {"\x95\x32\x82\x36|x\x81\x30", "\uFFFD2\uFFFD6|x\uFFFD0", "\U00020000|x\uFFFD0"},
  };
  for (const auto& [bytes, gbk, gb18030] : rows) {
    EXPECT_EQ(GbkToUtf8(bytes), gbk);
    EXPECT_EQ(Gb18030ToUtf8(bytes), gb18030);
  }
}

// A character that GBK cannot hold becomes "?", one per character, also those that ICU would leave
// out (soft hyphen, zero-width space, tags); so does each byte of malformed UTF-8.
TEST(Gbk, EncodingCountsEachQuestionMark) {
  const std::tuple<std::string, std::string, std::size_t> rows[] = {
      {"数😀학Āb", "\xca\xfd???b", 3},
      {"\x80\x80x\xc3", "??x?", 3},
      {"数😀학Ā?\x80", "\xca\xfd?????", 4},
      {"\u00ADab\u200B\U000E0001\u17B4?", "?ab????", 4},
      {"\xe6\x95x", "??x", 2},
  };
  for (const auto& [utf8, gbk, replaced] : rows) {
    std::string out = "a";
    EXPECT_EQ(AppendUtf8ToGbk(utf8, out), replaced) << utf8;
    EXPECT_EQ(out, "a" + gbk);
  }
}

}  // namespace
}  // namespace gradova::platform
