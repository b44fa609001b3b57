#include "gpa/report.h"

#include <gtest/gtest.h>

#include "courses/course_file.h"
#include "gpa/evaluation.h"
#include "grading/built_in_rules.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::gpa {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::Gbk;

std::string WorkedExamplePage() {
  const grading::RuleSet rules = grading::MakeBuiltInRules();
  const auto file = courses::ParseCourseFile(testing::DataFile("sample_courses.txt"));
  return FormatReport(EvaluateCourses(file.records, rules), MakeRuleHeaderCells(rules));
}

TEST(FormatReport, WorkedExampleByteForByte) {
  EXPECT_EQ(WorkedExamplePage(), testing::DataFile("worked_example_report.html"));
}

TEST(FormatReport, EveryLineEndsInCrLfButTheLast) {
  const std::string page = WorkedExamplePage();
  ASSERT_GE(page.size(), 7u);
  EXPECT_EQ(page.substr(page.size() - 9), "\r\n</html>");
  for (std::size_t pos = page.find('\n'); pos != std::string::npos;
       pos = page.find('\n', pos + 1)) {
    ASSERT_GT(pos, 0u);
    EXPECT_EQ(page[pos - 1], '\r') << pos;
  }
  EXPECT_EQ(page.find("\r\r"), std::string::npos);
}

TEST(FormatReport, NoRulesGivesThreeCellsPerRow) {
  const ResultTable table = EvaluateCourses({{"a", "1", "60"}}, grading::RuleSet{});
  const std::string page = FormatReport(table, "");
  EXPECT_NE(page.find("<td>" + Gbk("成绩") + "</td>\r\n</tr>"), std::string::npos);
  EXPECT_NE(page.find("<tr>\r\n<td>-</td>\r\n<td>-</td>\r\n<td>-</td>\r\n</tr>"),
            std::string::npos);
}

struct EscapeRow {
  const char* label;
  std::string text;
  std::string escaped;
};

class EscapeHtmlOf : public ::testing::TestWithParam<EscapeRow> {};

TEST_P(EscapeHtmlOf, ReplacesMarkupCharacters) {
  EXPECT_EQ(EscapeHtml(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Texts, EscapeHtmlOf,
                         ::testing::Values(EscapeRow{"Plain", "Linear Algebra", "Linear Algebra"},
                                           EscapeRow{"Tag", "<b>", "&lt;b&gt;"},
                                           EscapeRow{"Ampersand", "C&A", "C&amp;A"},
                                           EscapeRow{"Quote", "\"x\"", "&quot;x&quot;"},
                                           EscapeRow{"CarriageReturn", "a\rb", "a&#13;b"},
                                           EscapeRow{"LineFeed", "a\nb", "a&#10;b"},
                                           EscapeRow{"CrLf", "a\r\n", "a&#13;&#10;"},
                                           EscapeRow{"Chinese", Gbk("高等数学"), Gbk("高等数学")}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(FormatReport, EscapesCourseAndRuleNames) {
  grading::RuleSet rules{{{"<i>", grading::MakeEmptyBandTable()}}};
  const std::string page =
      FormatReport(EvaluateCourses({{"<b>C&A</b>", "1", "60"}}, rules), MakeRuleHeaderCells(rules));
  EXPECT_NE(page.find("<td>&lt;b&gt;C&amp;A&lt;/b&gt;</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>&lt;i&gt;</td>"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_EQ(page.find("<i>"), std::string::npos);
}

// A course line with a stray CR loads with the CR in its name, and a `rules` name byte 0xFF decodes
// to LF: neither may break the page's lines.
TEST(FormatReport, LineBreaksInTextsKeepEveryLineEndingInCrLf) {
  grading::RuleSet rules{{{"a\nb", grading::MakeEmptyBandTable()}}};
  const std::string page =
      FormatReport(EvaluateCourses({{"x\ry", "1", "60"}}, rules), MakeRuleHeaderCells(rules));
  for (std::size_t pos = 0; pos < page.size(); ++pos) {
    if (page[pos] == '\r') {
      EXPECT_EQ(page[pos + 1], '\n') << pos;
    }
    if (page[pos] == '\n') {
      EXPECT_EQ(page[pos - 1], '\r') << pos;
    }
  }
  EXPECT_NE(page.find("<td>a&#10;b</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>x&#13;y</td>"), std::string::npos);
}

TEST(FormatReport, DeclaresTheGbkCharset) {
  EXPECT_NE(WorkedExamplePage().find("charset=gbk"), std::string::npos);
}

TEST(WriteReportFile, FailedWriteKeepsTheOldReport) {
  testing::TempDir dir;
  testing::WriteBytes(dir.Path(kReportFileName), "old");
  platform::SetWriteFailureAfterBytesForTesting(10);
  EXPECT_NE(WriteReportFile(dir.Path(kReportFileName), WorkedExamplePage()),
            platform::ReplaceStatus::Replaced);
  platform::SetWriteFailureAfterBytesForTesting(std::nullopt);
  EXPECT_EQ(testing::ReadBytes(dir.Path(kReportFileName)), "old");
  EXPECT_EQ(WriteReportFile(dir.Path(kReportFileName), "new"), platform::ReplaceStatus::Replaced);
  EXPECT_EQ(testing::ReadBytes(dir.Path(kReportFileName)), "new");
}

}  // namespace
}  // namespace gradova::gpa
