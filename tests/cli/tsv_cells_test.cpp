#include "cli/tsv_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/gbk.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"

namespace gradova::cli {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

std::string Written(std::string_view gbk) {
  std::vector<char> out(TsvCellBound(gbk.size()));
  char* const end = WriteTsvCell(gbk, out.data());
  return std::string(out.data(), end);
}

struct CellRow {
  const char* label;
  std::string gbk;
  std::string utf8;
};

class TsvCell : public ::testing::TestWithParam<CellRow> {};

TEST_P(TsvCell, ConvertsAndBlanksSeparators) {
  EXPECT_EQ(Written(GetParam().gbk), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, TsvCell,
    ::testing::Values(
        CellRow{"Empty", "", ""}, CellRow{"Number", "88.5", "88.5"},
        CellRow{"Chinese", testing::Gbk("高等数学"), "高等数学"},
        CellRow{"SeparatorsInShortCell", "a\tb\rc\nd", "a b c d"},
        CellRow{"SeparatorAfterEightBytes", "abcdefgh\tijklmnop", "abcdefgh ijklmnop"},
        CellRow{"SeparatorAtEndOfLongCell", "abcdefghijklmno\n", "abcdefghijklmno "},
        CellRow{"OtherControlBytesStay", "abcdefgh\v\f\x01 x\t", "abcdefgh\v\f\x01 x "},
        CellRow{"SeparatorBetweenChinese", testing::Gbk("数学\t分析"), "数学 分析"},
        CellRow{"LeadByteBeforeTab", "\x81\tx", "\xEF\xBF\xBD x"},
        CellRow{"TrailInAsciiRange", "\x81\x40", "丂"}, CellRow{"Euro", "\x80", "€"}),
    [](const auto& info) { return std::string(info.param.label); });

// Against the plain definition: the converter's UTF-8 with each TAB, CR and LF made a space.
TEST(TsvCell, AgreesWithConvertingThenBlankingOnRandomCells) {
  std::mt19937 random(7);
  const std::string alphabet = "\t\r\n\v a1." + testing::Gbk("数学") + "\x81\x40\xff\x80";
  for (int i = 0; i < 20000; ++i) {
    std::string cell;
    const std::size_t length = random() % 40;
    for (std::size_t k = 0; k < length; ++k) cell.push_back(alphabet[random() % alphabet.size()]);
    std::string expected = platform::GbkToUtf8(cell);
    std::replace_if(
        expected.begin(), expected.end(),
        [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    ASSERT_EQ(Written(cell), expected) << ::testing::PrintToString(cell);
  }
}

}  // namespace
}  // namespace gradova::cli
