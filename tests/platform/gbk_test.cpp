#include "platform/gbk.h"

#include <gtest/gtest.h>
#include "support/row_printer.h"

namespace gradova::platform {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

struct GbkRow {
  const char* label;
  std::string gbk;
  std::string utf8;
};

class GbkRoundTrip : public ::testing::TestWithParam<GbkRow> {};

TEST_P(GbkRoundTrip, ConvertsBothWays) {
  EXPECT_EQ(GbkToUtf8(GetParam().gbk), GetParam().utf8);
  EXPECT_EQ(Utf8ToGbk(GetParam().utf8), GetParam().gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkRoundTrip,
    ::testing::Values(GbkRow{"Empty", "", ""},
                      GbkRow{"Ascii", "Linear Algebra 4 100", "Linear Algebra 4 100"},
                      GbkRow{"Chinese",
                             "\xb1\xea\xd7\xbc"
                             "4.0\xcb\xe3\xb7\xa8",
                             "标准4.0算法"},
                      // 0x40..0x7E are trail bytes too: the ASCII-looking byte belongs to the pair.
                      GbkRow{"TrailByteInAsciiRange", "\x81\x40x", "丂x"},
                      GbkRow{"Euro", "\x80", "€"}),
    [](const auto& info) { return std::string(info.param.label); });

struct OneWayRow {
  const char* label;
  std::string input;
  std::string expected;
};

class InvalidGbk : public ::testing::TestWithParam<OneWayRow> {};

TEST_P(InvalidGbk, BecomesReplacementCharacters) {
  EXPECT_EQ(GbkToUtf8(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, InvalidGbk,
    ::testing::Values(OneWayRow{"LoneLeadAtEnd", "ab\xb1", "ab\xEF\xBF\xBD"},
                      OneWayRow{"InvalidByteFF",
                                "\xff"
                                "a",
                                "\xEF\xBF\xBD"
                                "a"},
                      OneWayRow{"LeadBeforeControl", "\x81\x0a", "\xEF\xBF\xBD\n"},
                      OneWayRow{"NulKept", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.label); });

class UnmappableUnicode : public ::testing::TestWithParam<OneWayRow> {};

TEST_P(UnmappableUnicode, BecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToGbk(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UnmappableUnicode,
    ::testing::Values(OneWayRow{"Emoji", "a😀b", "a?b"}, OneWayRow{"Hangul", "한", "?"},
                      OneWayRow{"MalformedUtf8", "a\xc3", "a?"},
                      OneWayRow{"StrayContinuation",
                                "\x80\x80"
                                "x",
                                "??x"},
                      OneWayRow{"MixedWithChinese", "数😀学", "\xca\xfd?\xd1\xa7"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Gbk, LongMixedTextSurvivesBufferBoundaries) {
  std::string utf8;
  for (int i = 0; i < 5000; ++i) utf8 += "高等数学 Linear ";
  EXPECT_EQ(GbkToUtf8(Utf8ToGbk(utf8)), utf8);
}

}  // namespace
}  // namespace gradova::platform
