#include "gpa/evaluation.h"

#include <gtest/gtest.h>

#include <clocale>

#include "courses/course_file.h"
#include "gpa/course_snapshot.h"
#include "grading/built_in_rules.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::gpa {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using courses::CourseRecord;
using testing::Gbk;

std::vector<std::vector<std::string>> Cells(const ResultTable& table) {
  std::vector<std::vector<std::string>> cells(table.RowCount());
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    for (std::size_t column = 0; column < table.ColumnCount(); ++column) {
      cells[row].emplace_back(table.Cell(row, column));
    }
  }
  return cells;
}

grading::RuleSet OneRule(std::initializer_list<grading::RuleBand> bands) {
  grading::Rule rule{"r", grading::MakeEmptyBandTable()};
  std::size_t slot = 0;
  for (const grading::RuleBand& band : bands) rule.bands[slot++] = band;
  return grading::RuleSet{{rule}};
}

const grading::RuleSet kStandard = OneRule({{90, 40}, {80, 30}, {70, 20}, {60, 10}, {0, 0}});

TEST(EvaluateCourses, WorkedExampleCellForCell) {
  const auto file = courses::ParseCourseFile(testing::DataFile("sample_courses.txt"));
  const CourseSnapshot snapshot = MakeCourseSnapshot(file.records);
  const ResultTable table =
      EvaluateCourses(ParseCourseSnapshot(snapshot, 5), grading::MakeBuiltInRules());
  const std::vector<std::string> empty(11);
  const std::vector<std::vector<std::string>> expected{
      {Gbk("高等数学"), "5", "100", "4.0", "4.0", "4.0", "4.0", "4.3", "4.3", "4.3", "4.0"},
      {"Linear Algebra", "4", "100", "4.0", "4.0", "4.0", "4.0", "4.3", "4.3", "4.3", "4.0"},
      {Gbk("思想品德修养"), "2", "99", "4.0", "4.0", "4.0", "4.0", "4.3", "4.3", "4.3", "4.0"},
      {Gbk("马克思主义哲学"), "2", "60", "1.0", "1.0", "2.0", "1.0", "2.3", "1.0", "1.0", "2.0"},
      {Gbk("未命名课程"), "2", "60", "1.0", "1.0", "2.0", "1.0", "2.3", "1.0", "1.0", "2.0"},
      empty,
      {Gbk("总计/加权平均"), "15.0", "89.2", "3.20", "3.20", "3.47", "3.20", "3.77", "3.42", "3.42",
       "3.47"},
      {Gbk("共计5门课"), "", "", "", "", "", "", "", "", "", ""},
  };
  EXPECT_EQ(Cells(table), expected);
}

TEST(MakeColumnTitles, FixedTitlesThenRuleNames) {
  const std::vector<std::string> expected{Gbk("课程名称"), Gbk("学分"), Gbk("成绩"), "r"};
  EXPECT_EQ(MakeColumnTitles(kStandard), expected);
}

struct PointsRow {
  const char* label;
  std::string score;
  std::string points;
};

class GradePointsOf : public ::testing::TestWithParam<PointsRow> {};

TEST_P(GradePointsOf, StandardRule) {
  const ResultTable table = EvaluateCourses({{"c", "1", GetParam().score}}, kStandard);
  EXPECT_EQ(table.Cell(0, 3), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Scores, GradePointsOf,
    ::testing::Values(PointsRow{"EqualToBound", "90", "4.0"}, PointsRow{"JustBelow", "89.9", "3.0"},
                      // Scores are compared after rounding to single precision.
                      PointsRow{"RoundsUpToBound", "89.999999", "4.0"},
                      PointsRow{"StaysBelowBound", "89.99999", "3.0"},
                      PointsRow{"LetterCountsAsZero", "a", "0.0"},
                      PointsRow{"BelowZeroFindsNoBand", "-5", "0.0"},
                      PointsRow{"Overflow", "1e999", "4.0"},
                      PointsRow{"NegativeOverflow", "-1e999", "0.0"}),
    [](const auto& info) { return std::string(info.param.label); });

struct TotalsRow {
  const char* label;
  std::vector<CourseRecord> courses;
  std::string totalCredits;
  std::string averageScore;
  std::string gpa;
};

class TotalsOf : public ::testing::TestWithParam<TotalsRow> {};

TEST_P(TotalsOf, StandardRule) {
  const ResultTable table = EvaluateCourses(GetParam().courses, kStandard);
  const std::size_t totals = GetParam().courses.size() + 1;
  EXPECT_EQ(table.Cell(totals, 1), GetParam().totalCredits);
  EXPECT_EQ(table.Cell(totals, 2), GetParam().averageScore);
  EXPECT_EQ(table.Cell(totals, 3), GetParam().gpa);
}

const std::string kUndefined = Gbk("无法计算");

INSTANTIATE_TEST_SUITE_P(
    Courses, TotalsOf,
    ::testing::Values(
        TotalsRow{"ThreeCourses",
                  {{"a", "2", "95"}, {"b", "3", "85"}, {"c", "4", "75"}},
                  "9.0",
                  "82.8",
                  "2.78"},
        TotalsRow{"DecimalCredits", {{"a", "1.5", "90"}, {"b", "2", "90"}}, "3.5", "90.0", "4.00"},
        TotalsRow{"CreditsWithLetters", {{"a", "4ab", "90"}}, "4.0", "90.0", "4.00"},
        TotalsRow{
            "NegativeCreditsCount", {{"a", "-1", "90"}, {"b", "3", "60"}}, "2.0", "45.0", "-0.50"},
        TotalsRow{"CreditsCancelOut",
                  {{"a", "2", "90"}, {"b", "-2", "60"}},
                  "0.0",
                  kUndefined,
                  kUndefined},
        TotalsRow{"CreditsUnderflowSingle", {{"a", "1e-50", "90"}}, "0.0", kUndefined, kUndefined},
        TotalsRow{
            "CreditsOverflowSingle", {{"a", "1e39", "90"}}, kUndefined, kUndefined, kUndefined},
        TotalsRow{"InfinitiesCancel",
                  {{"a", "1e999", "90"}, {"b", "-1e999", "90"}},
                  kUndefined,
                  kUndefined,
                  kUndefined},
        TotalsRow{"ScoreSumOverflows", {{"a", "1", "1e39"}}, "1.0", kUndefined, "4.00"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(EvaluateCourses, SingleCourseCountRow) {
  const ResultTable table = EvaluateCourses({{"a", "1", "60"}}, kStandard);
  EXPECT_EQ(table.RowCount(), 4u);
  EXPECT_EQ(table.Cell(3, 0), Gbk("共计1门课"));
  EXPECT_EQ(table.Cell(3, 1), "");
}

TEST(EvaluateCourses, NoRulesGivesThreeColumns) {
  const ResultTable table = EvaluateCourses({{"a", "2", "60"}}, grading::RuleSet{});
  EXPECT_EQ(table.ColumnCount(), 3u);
  EXPECT_EQ(table.Cell(2, 1), "2.0");
  EXPECT_EQ(table.Cell(2, 2), "60.0");
}

TEST(EvaluateCourses, GradePointsTextIsTenthsWithOneDecimal) {
  grading::BandTable bands = grading::MakeEmptyBandTable();
  for (std::uint16_t p = 0; p < 32; ++p) bands[p] = {static_cast<std::uint16_t>(100 - p), p};
  const grading::RuleSet rules{{{"r", bands}}};
  for (std::uint16_t p = 0; p < 32; ++p) {
    const std::string score = std::to_string(100 - p);
    const ResultTable table = EvaluateCourses({{"a", "1", score}}, rules);
    EXPECT_EQ(table.Cell(0, 3), std::to_string(p / 10) + "." + std::to_string(p % 10)) << p;
  }
}

TEST(EvaluateCourses, HighPointsAndRuleWithoutZeroBand) {
  const ResultTable table =
      EvaluateCourses({{"a", "1", "95"}, {"b", "1", "10"}}, OneRule({{90, 254}}));
  EXPECT_EQ(table.Cell(0, 3), "25.4");
  EXPECT_EQ(table.Cell(1, 3), "0.0");
  EXPECT_EQ(table.Cell(3, 3), "12.70");
}

TEST(EvaluateCourses, CellOutsideTheGridIsEmpty) {
  const ResultTable table = EvaluateCourses({{"a", "1", "60"}}, kStandard);
  EXPECT_EQ(table.Cell(0, 4), "");
  EXPECT_EQ(table.Cell(9, 0), "");
}

}  // namespace
}  // namespace gradova::gpa

namespace gradova::gpa {
namespace {

// The desktop program runs with the C library's locale taken from the environment.
TEST(EvaluateCourses, SameTextsUnderADecimalCommaLocale) {
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8")) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup.sh generates it)";
  }
  const ResultTable table = EvaluateCourses({{"a", "1.5", "88.5"}, {"b", "2", "60"}},
                                            OneRule({{85, 37}, {60, 10}, {0, 0}}));
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(table.Cell(0, 3), "3.7");
  EXPECT_EQ(table.Cell(3, 1), "3.5");
  EXPECT_EQ(table.Cell(3, 2), "72.2");
  EXPECT_EQ(table.Cell(3, 3), "2.16");
}

}  // namespace
}  // namespace gradova::gpa
