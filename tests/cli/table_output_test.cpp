#include "cli/table_output.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "gpa/evaluation.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::cli {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::Gbk;

struct WidthRow {
  const char* label;
  std::string text;
  std::size_t width;
};

class DisplayWidthOf : public ::testing::TestWithParam<WidthRow> {};

TEST_P(DisplayWidthOf, CountsWideCharactersTwice) {
  EXPECT_EQ(DisplayWidth(GetParam().text), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DisplayWidthOf,
    ::testing::Values(WidthRow{"Ascii", "abc", 3}, WidthRow{"Chinese", "高等数学", 8},
                      WidthRow{"Mixed", "C语言2", 4 + 2}, WidthRow{"FullwidthDigit", "１", 2},
                      WidthRow{"Replacement", "\xEF\xBF\xBD", 1},
                      WidthRow{"CombiningMark", "e\xCC\x81", 1}, WidthRow{"Empty", "", 0}),
    [](const auto& info) { return std::string(info.param.label); });

std::string Written(OutputFormat format, const std::vector<std::string>& titles,
                    const gpa::ResultTable& table) {
  std::FILE* file = std::tmpfile();
  EXPECT_TRUE(WriteTable(file, format, TableRows(titles, table)));
  return testing::ReadAndClose(file);
}

TEST(WriteTable, TsvConvertsAndBlanksSeparators) {
  const gpa::ResultTable table =
      gpa::EvaluateCourses({{Gbk("数学") + "\ta\rb", "2", "60"}}, grading::RuleSet{});
  EXPECT_EQ(Written(OutputFormat::Tsv, {"n", "c", "s"}, table),
            "n\tc\ts\n"
            "数学 a b\t2\t60\n"
            "\t\t\n" +
                std::string("总计/加权平均") + "\t2.0\t60.0\n" + "共计1门课\t\t\n");
}

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

TEST(WriteTable, TextAlignsWideCharactersWithoutTrailingBlanks) {
  const gpa::ResultTable table =
      gpa::EvaluateCourses({{Gbk("数学"), "2", "60"}, {"ab", "10", "7"}}, grading::RuleSet{});
  EXPECT_EQ(Written(OutputFormat::Text, {"name", "c", "s"}, table),
            "name" + Blanks(11) + "c" + Blanks(5) + "s\n" + "数学" + Blanks(11) + "2" + Blanks(5) +
                "60\n" + "ab" + Blanks(13) + "10" + Blanks(4) + "7\n" + "\n" + "总计/加权平均" +
                Blanks(2) + "12.0" + Blanks(2) + "15.8\n" + "共计2门课\n");
}

TEST(WriteTable, InvalidGbkBecomesReplacementCharacter) {
  const gpa::ResultTable table = gpa::EvaluateCourses({{"\xff", "1", "60"}}, grading::RuleSet{});
  const std::string text = Written(OutputFormat::Tsv, {"n", "c", "s"}, table);
  EXPECT_NE(text.find("\xEF\xBF\xBD\t1\t60\n"), std::string::npos);
}

}  // namespace
}  // namespace gradova::cli
