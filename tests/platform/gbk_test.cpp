#include "platform/gbk.h"

#include <gtest/gtest.h>

namespace gradova::platform {
namespace {

// GBK here is code page 936: 0x80 is the euro sign, and 0x40..0x7E are also trail bytes.
TEST(Gbk, ConvertsBothWays) {
  const std::pair<std::string, std::string> rows[] = {
      {std::string("Linear\0 4", 9), std::string("Linear\0 4", 9)},
      {"\xb1\xea\xd7\xbc\x34.0\xcb\xe3\xb7\xa8", "标准4.0算法"},
      {"\x81\x40x\x80", "丂x€"},
  };
  for (const auto& [gbk, utf8] : rows) {
    EXPECT_EQ(GbkToUtf8(gbk), utf8);
    EXPECT_EQ(Utf8ToGbk(utf8), gbk);
  }
}

// A byte that GBK does not define becomes U+FFFD; a character it cannot hold becomes "?".
TEST(Gbk, NothingIsDroppedSilently) {
  EXPECT_EQ(GbkToUtf8("ab\xb1"), "ab\uFFFD");
  EXPECT_EQ(GbkToUtf8("\xffz\x81\n"), "\uFFFDz\uFFFD\n");
  EXPECT_EQ(GbkToUtf8("\x82\x40\x81\xff"), "侤\uFFFD\uFFFD");  // FF is no trail byte
  EXPECT_EQ(Utf8ToGbk("数😀학Āb"), "\xca\xfd???b");
  EXPECT_EQ(Utf8ToGbk("\x80\x80x\xc3"), "??x?");
  std::string gbk = "a";
  EXPECT_EQ(AppendUtf8ToGbk("数😀학Ā?\x80", gbk), 4u);
  EXPECT_EQ(gbk, "a\xca\xfd?????");
}

// The encoder works through a buffer of its own; no character may be lost or doubled at its end.
TEST(Gbk, LongMixedTextSurvivesBufferBoundaries) {
  std::string utf8;
  for (int i = 0; i < 5000; ++i) utf8 += "高等数学 Linear ";
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk(utf8)), utf8);
}

}  // namespace
}  // namespace gradova::platform
