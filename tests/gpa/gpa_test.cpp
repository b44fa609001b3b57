#include <gtest/gtest.h>

#include "courses/course_file.h"
#include "gpa/course_snapshot.h"
#include "gpa/evaluation.h"
#include "gpa/report.h"
#include "gpa/subset.h"
#include "gpa/summary.h"
#include "gpa/term_table.h"
#include "grading/built_in_rules.h"
#include "platform/gbk.h"
#include "support/gbk_literal.h"
#include "support/temp_dir.h"

namespace gradova::gpa {
namespace {

using courses::CourseRecord;
using testing::Gbk;

grading::RuleSet OneRule(std::initializer_list<grading::RuleBand> bands, std::string name = "r") {
  grading::Rule rule{std::move(name), grading::MakeEmptyBandTable()};
  std::size_t slot = 0;
  for (const grading::RuleBand& band : bands) rule.bands[slot++] = band;
  return grading::RuleSet{{rule}};
}

ResultTable Evaluate(const std::vector<CourseRecord>& courses, const grading::RuleSet& rules) {
  const courses::CourseList list = courses::ListOf(courses);
  return EvaluateCourses(list, rules, list.HasPoints());
}

// The courses as "name|credits|score/", a nameless one as "-".
std::string Fields(const courses::CourseList& list) {
  std::string fields;
  for (std::size_t i = 0; i < list.Size(); ++i) {
    const bool named = list[i].name != Gbk("未命名课程");
    fields += (named ? std::string(list[i].name) : "-") + "|" + std::string(list[i].credits) + "|" +
              std::string(list[i].score) + "/";
    if (!list[i].term.empty() || !list[i].category.empty()) {
      fields += std::string(list[i].term) + "|" + std::string(list[i].category);
    }
    if (!list[i].points.empty()) fields += "|" + std::string(list[i].points);
  }
  return fields;
}

std::string Page(const ResultTable& table, const grading::RuleSet& rules) {
  std::string page;
  EXPECT_TRUE(WriteReport(table, MakeColumnTitles(rules), [&page](std::string_view bytes) {
    page += bytes;
    return true;
  }));
  return page;
}

// The cells file holds the worked example's table in UTF-8 as the page shows it: the titles
// first, and "-" in each cell of the empty row between the courses and the totals.
TEST(EvaluateCourses, WorkedExampleCellForCellAndItsReportByteForByte) {
  courses::CourseFileCheck check;
  const grading::RuleSet rules = grading::MakeBuiltInRules();
  const ResultTable table = EvaluateCourses(
      courses::ReadCourseText(testing::DataFile("sample_courses.txt"), check), rules);
  std::string cells;
  for (const std::string& title : MakeColumnTitles(rules))
    cells += platform::GbkToUtf8(title) + "\t";
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    EXPECT_EQ(table.Cell(row, table.ColumnCount()), "");  // outside the grid
    cells.back() = '\n';
    for (std::size_t column = 0; column < table.ColumnCount(); ++column) {
      const std::string_view cell = table.Cell(row, column);
      cells += (row == 5 && cell.empty() ? "-" : platform::GbkToUtf8(cell)) + "\t";
    }
  }
  cells.back() = '\n';
  EXPECT_EQ(cells, testing::DataFile("worked_example_report_cells.tsv"));
  EXPECT_EQ(Page(table, rules), testing::DataFile("worked_example_report.html"));
}

// Scores are compared after rounding to single precision; a worded score counts through the
// default grade map; a score that finds no band gets 0.0.
TEST(EvaluateCourses, GradePointsOfTheBandOfTheSingleScore) {
  const grading::RuleSet rules = OneRule({{90, 254}, {60, 10}, {0, 5}});
  grading::RuleSet full = OneRule({});  // 32 bands, none at 0
  for (std::uint16_t slot = 0; slot < 32; ++slot)
    full.rules[0].bands[slot] = {std::uint16_t(100 - slot), slot};
  const std::tuple<const char*, const grading::RuleSet&, std::string, const char*> rows[] = {
      {"EqualToABound", rules, "90", "25.4"},
      {"JustBelow", rules, "89.9", "1.0"},
      {"RoundsUpToABound", rules, "89.999999", "25.4"},
      {"StaysBelow", rules, "89.99999", "1.0"},
      {"WordedAsTheImportCountsIt", rules, Gbk("优秀"), "25.4"},
      {"WordedBelowABound", rules, Gbk("良"), "1.0"},
      {"ZeroFindsTheLastBand", rules, "0", "0.5"},
      {"LastOf32Bands", full, "69", "3.1"},
      {"BelowTheLastOf32Bands", full, "68.9", "0.0"},
  };
  for (const auto& [label, ruleSet, score, points] : rows) {
    EXPECT_EQ(Evaluate({{"c", "1", score}}, ruleSet).Cell(0, 3), points) << label;
  }
}

const grading::RuleSet kStandard = OneRule({{90, 40}, {80, 30}, {70, 20}, {60, 10}, {0, 0}});

// Sums are single precision, rounded at every store, and shown with ties away from zero; a total
// that divides by zero credits shows "无法计算". A passed pass/fail course is no row and counts
// only for the earned credits, as does every score of at least 60 in single precision. Transcript
// points, when a course has them, average over the courses whose points are a value.
TEST(EvaluateCourses, TotalsRowAndEarnedCredits) {
  const std::string x = Gbk("无法计算"), pass = Gbk("通过");
  // Per row: the courses, then the total credits, the average score, the GPA, the transcript's
  // average points when there are any, the earned credits.
  const std::pair<std::vector<CourseRecord>, std::vector<std::string>> rows[] = {
      {{{"a", "2", "95"}, {"b", "3", "85"}, {"c", "4", "75"}}, {"9.0", "82.8", "2.78", "9.0"}},
      {{{"a", "0.5", "90"}, {"b", "1", "60"}}, {"1.5", "70.0", "2.00", "1.5"}},
      {{{"a", "2", "87.5"}, {"b", "2", "87"}}, {"4.0", "87.3", "3.00", "4.0"}},
      {{{"a", "1", "95"}, {"b", "7", "85"}}, {"8.0", "86.3", "3.13", "8.0"}},
      {{}, {"0.0", x, x, "0.0"}},
      {{{"p", "3", pass}, {"a", "2", "95"}, {"f", "1", "59.99"}, {"g", "1", "59.999999"}},
       {"4.0", "77.5", "2.25", "6.0"}},
      {{{"p", "3", pass}, {"n", "1", Gbk("不通过")}, {"q", "0.5", "P"}},
       {"1.0", "0.0", "0.00", "3.5"}},
      {{{"a", "2", "95", "", "", "4.0"},
        {"b", "3", "85", "", "", "x"},
        {"c", "1", "75", "", "", "3"}},
       {"6.0", "86.7", "3.17", "3.67", "6.0"}},
      {{{"a", "2", "95", "", "", "-1"}, {"p", "3", pass, "", "", "4"}},
       {"2.0", "95.0", "4.00", x, "5.0"}},
  };
  for (const auto& [courses, totals] : rows) {
    const ResultTable table = Evaluate(courses, kStandard);
    std::vector<std::string> row(table.totalsRow.begin() + 1, table.totalsRow.end());
    row.push_back(table.earnedCredits);
    EXPECT_EQ(row, totals) << totals[1];
    EXPECT_FALSE(table.totalsInexact);
    EXPECT_EQ(Fields(table.courses).find("p|"), std::string::npos) << "a pass course is no row";
    if (table.transcriptPoints) {
      EXPECT_EQ(table.Cell(0, 4), courses[0].points);
    }
  }
}

// Out of order, both label styles, a course without a term, a pass course (e). Names a to f; all
// but c have transcript points.
courses::CourseList Record() {
  const std::pair<std::string, std::string> terms[] = {
      {"2023-2024-1", "必修"}, {"2022-2023学年第二学期", "选修"}, {"2022-2023-1", "必修"}, {"", ""},
      {"2022-2023-1", "必修"}, {"2022-2023学年第一学期", "选修"}};
  const char* marks[][3] = {{"2", "95", "4"}, {"3", "85", "3"}, {"4", "75", ""},
                            {"1", "60", "1"}, {"2", "P", "9"},  {"1", "50", "0"}};
  courses::CourseList list;
  for (int i = 0; i < 6; ++i) {
    list.Add(std::string(1, char('a' + i)), marks[i][0], marks[i][1], Gbk(terms[i].first),
             Gbk(terms[i].second), marks[i][2]);
  }
  return list;
}

TEST(EvaluateTerms, PerTermAndCumulativeFromTheTotalsRowsSums) {
  const std::vector<std::string> expected = {"2022-2023-1|4.0|75.0|2.00|无法计算",
                                             "累计至2022-2023-1|4.0|75.0|2.00|无法计算",
                                             "2022-2023学年第一学期|1.0|50.0|0.00|0.00",
                                             "累计至2022-2023学年第一学期|5.0|70.0|1.60|0.00",
                                             "2022-2023学年第二学期|3.0|85.0|3.00|3.00",
                                             "累计至2022-2023学年第二学期|8.0|75.6|2.13|2.25",
                                             "2023-2024-1|2.0|95.0|4.00|4.00",
                                             "累计至2023-2024-1|10.0|79.5|2.50|2.83",
                                             "未分学期|1.0|60.0|1.00|1.00",
                                             "累计至未分学期|11.0|77.7|2.36|2.57",
                                             "累计|11.0|77.7|2.36|2.57"};
  for (const bool cumulative : {true, false}) {
    std::vector<std::string> rows;
    for (const auto& row : EvaluateTerms(Record(), kStandard, cumulative, true)) {
      rows.push_back(
          testing::Utf8(row[0] + "|" + row[1] + "|" + row[2] + "|" + row[3] + "|" + row[4]));
    }
    std::vector<std::string> want;
    for (const std::string& row : expected) {
      if (cumulative || row.rfind("累计至", 0) != 0) want.push_back(row);
    }
    EXPECT_EQ(rows, want);
  }
  std::vector<std::string> totals = EvaluateCourses(Record(), kStandard, true).totalsRow;
  totals[0] = Gbk("累计");
  EXPECT_EQ(EvaluateTerms(Record(), kStandard, false, true).back(), totals);
}

// Term by term in time order, each course under its term's label and the term's figures after it,
// the pass course in none; without terms, the list's order. The totals row ends both.
TEST(MakeSummaryRows, CoursesGroupedUnderTheirTermsWithEachTermsFigures) {
  const ResultTable table = EvaluateCourses(Record(), kStandard, true);
  const auto rows = [&](bool byTerm) {
    std::string text;
    for (const SummaryRow& row : MakeSummaryRows(table, kStandard, byTerm)) {
      text += "CHTS"[static_cast<int>(row.kind)] + testing::Utf8(row.cells[0]);
      for (std::size_t cell = 1; cell < std::min<std::size_t>(row.cells.size(), 4); ++cell)
        text += "|" + row.cells[cell];
      text += "/";
    }
    return text;
  };
  const std::string totals = "S总计/加权平均|11.0|77.7|2.36/";
  EXPECT_EQ(rows(true),
            "H2022-2023-1/Cc|4|75|2.0/T本学期|4.0|75.0|2.00/H2022-2023学年第一学期/Cf|1|50|0.0/"
            "T本学期|1.0|50.0|0.00/H2022-2023学年第二学期/Cb|3|85|3.0/T本学期|3.0|85.0|3.00/"
            "H2023-2024-1/Ca|2|95|4.0/T本学期|2.0|95.0|4.00/H未分学期/Cd|1|60|1.0/"
            "T本学期|1.0|60.0|1.00/" +
                totals);
  EXPECT_EQ(rows(false), "Ca|2|95|4.0/Cb|3|85|3.0/Cc|4|75|2.0/Cd|1|60|1.0/Cf|1|50|0.0/" + totals);
}

// Terms in the time order of the whole record; a bound that is no term, or a start after the end,
// chooses nothing. Per row: categories, from, to (UTF-8), the names chosen and the description.
TEST(SelectCourses, CategoriesAndARangeOfTermsAndTheirDescription) {
  using Row =
      std::tuple<std::vector<std::string>, std::string, std::string, std::string, std::string>;
  const Row rows[] = {
      {{}, "", "", "abcdef", ""},
      {{"必修"}, "", "", "ace", "仅统计：必修"},
      {{"必修", ""}, "", "", "acde", "仅统计：必修、未分类"},
      {{},
       "2022-2023学年第一学期",
       "2022-2023学年第二学期",
       "bf",
       "仅统计：2022-2023学年第一学期 至 2022-2023学年第二学期"},
      {{"选修"}, "", "2022-2023学年第一学期", "f", "仅统计：选修；至 2022-2023学年第一学期"},
      {{}, "2023-2024-1", "", "ad", "仅统计：2023-2024-1 起"},
      {{}, "2022-2023-1", "2022-2023-1", "ce", "仅统计：2022-2023-1"},
      {{}, "2023-2024-1", "2022-2023-1", "", "仅统计：2023-2024-1 至 2022-2023-1"},
      {{}, "2030-1", "", "", "仅统计：2030-1 起"},
  };
  for (const auto& [categories, from, to, names, description] : rows) {
    Subset subset{{}, Gbk(from), Gbk(to)};
    for (const std::string& category : categories) subset.categories.push_back(Gbk(category));
    const courses::CourseList chosen = SelectCourses(Record(), subset);
    std::string chosenNames;
    for (std::size_t i = 0; i < chosen.Size(); ++i) chosenNames += chosen[i].name;
    EXPECT_EQ(chosenNames, names) << description;
    EXPECT_EQ(testing::Utf8(DescribeSubset(subset)), description);
  }
}

// The remaining credits as one course at the same score, summed as the evaluation sums; a target
// counts as reached when the GPA shows at least the target to two decimals.
TEST(PlanTarget, NeededPointsAndLowestScorePerRule) {
  const std::string x = Gbk("无法计算"), reached = Gbk("已达到"), unreachable = Gbk("无法达到");
  const grading::RuleSet standard = OneRule({{90, 40}, {80, 30}, {70, 20}, {60, 10}, {0, 0}});
  const grading::RuleSet skipping = OneRule({{90, 40}, {60, 20}, {0, 0}});
  const std::vector<CourseRecord> three{{"a", "2", "95"}, {"b", "3", "85"}, {"c", "4", "75"}};
  // Per row: rule, courses, target, remaining credits, then current GPA, needed points, score.
  const std::tuple<grading::RuleSet, std::vector<CourseRecord>, double, double,
                   std::vector<std::string>>
      rows[] = {
          {standard, three, 3.0, 3, {"2.78", "3.67", "90"}},
          {standard, three, 2.5, 3, {"2.78", "1.67", "70"}},
          {standard, {{"a", "2", "80"}}, 3.5, 2, {"3.00", "4.00", "90"}},
          {skipping, {{"a", "2", "95"}}, 3.0, 2, {"4.00", "2.00", "60"}},
          {standard, {{"a", "10", "95"}}, 2.0, 10, {"4.00", "0.00", reached}},
          {standard, {{"a", "10", "50"}}, 3.0, 5, {"0.00", "9.00", unreachable}},
          {standard, three, 2.78, 0, {"2.78", x, reached}},
          {standard, three, 2.79, 0, {"2.78", x, unreachable}},
          {standard,
           {{"a", "3", "95"}, {"b", "3", "95"}, {"c", "1", "0"}},
           3.43,
           0,
           {"3.43", x, reached}},
          {standard, {{"a", "6", "95"}, {"b", "1.0077", "0"}}, 3.43, 0, {"3.42", x, unreachable}},
          {standard, {}, 3.0, 2, {x, "3.00", "80"}},
          {OneRule({{100, 50}, {0, 0}}), {{"a", "1", "0"}}, 2.5, 1, {"0.00", "5.00", "100"}},
          {standard, three, 3.0, 1e7, {"2.78", "3.00", "80"}},
      };
  for (const auto& [rules, courses, target, remaining, expected] : rows) {
    const TargetPlanRow row = PlanTarget(Evaluate(courses, rules).basis, target, remaining)[0];
    EXPECT_EQ((std::vector<std::string>{row.currentGpa, row.neededPoints, row.scoreText}), expected)
        << target << " " << remaining;
  }
}

TEST(CourseSnapshot, FieldsEndWithCrAndACrInsideBecomesASpace) {
  CourseSnapshot snapshot;
  AppendCourse(snapshot, "a b", "5", "100");
  AppendCourse(snapshot, "", "2\r", "\r60", "t\r1", "c", "4\r");
  EXPECT_EQ(snapshot, "a b\r5\r100\r\r\r\r\r2 \r 60\rt 1\rc\r4 \r");
  // Fields past the end are empty.
  const std::tuple<std::string, std::size_t, std::string> rows[] = {
      {snapshot, 2, "a b|5|100/-|2 | 60/t 1|c|4 "},
      {"", 1, "-||/"},
      {"a\r1\r60\r\r\r\rb", 2, "a|1|60/b||/"},
      {"a\r1\r60\r\r\r\r", 1, "a|1|60/"},
      {"a\r1\r60\r", 0, ""},
  };
  for (const auto& [text, count, fields] : rows) {
    EXPECT_EQ(Fields(ParseCourseSnapshot(text, count)), fields) << text;
  }
}

// No text adds markup or a line end to the page: a course line with a stray CR loads with the CR
// in its name, and a rule name byte 0xFF decodes to LF.
TEST(WriteReport, EscapesMarkupAndLineBreaksInEveryText) {
  const grading::RuleSet rules = OneRule({}, "<i>a\nb");
  const std::string page = Page(Evaluate({{"<b>\"C&A\"</b>\r", "1", "60"}}, rules), rules);
  EXPECT_NE(page.find("<td>&lt;b&gt;&quot;C&amp;A&quot;&lt;/b&gt;&#13;</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>&lt;i&gt;a&#10;b</td>"), std::string::npos);
}

// The page goes out about a megabyte at a time; after a failed write nothing more is written.
TEST(ReportWriter, StopsAtTheFirstFailedWrite) {
  int writes = 0;
  ReportWriter report({"t"}, [&writes](std::string_view) { return ++writes > 1; });
  for (int row = 0; row < 30; ++row) report.Row({std::string(100'000, 'x')});
  EXPECT_FALSE(report.Finish());
  EXPECT_EQ(writes, 1);
}

}  // namespace
}  // namespace gradova::gpa
