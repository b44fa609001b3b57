#include <gtest/gtest.h>

#include "courses/course_table.h"
#include "courses/transcript.h"
#include "support/gbk_literal.h"

namespace gradova::courses {
namespace {

using testing::Gbk;

// Records joined by "/", fields by "|".
std::string Joined(const TextRecords& records) {
  std::string text;
  for (const auto& record : records) {
    for (const auto& field : record) text += field + (&field == &record.back() ? "/" : "|");
  }
  return text;
}

TEST(ParseDelimitedText, QuotedFieldsAndLineEnds) {
  const std::tuple<std::string_view, char, std::string_view> rows[] = {
      {"a,b\r\nc,\"d,\"\"e\"\"\r\nf\"\n", ',', "a|b/c|d,\"e\"\r\nf/"},
      {"a\tb,c\n\n\"x\"y\"\t\"", '\t', "a|b,c//xy\"|/"},
      {"a\"b\",\r", ',', "a\"b\"|\r/"},
      {"", ',', ""},
  };
  for (const auto& [text, separator, records] : rows) {
    EXPECT_EQ(Joined(ParseDelimitedText(text, separator).records), records) << text;
  }
}

// Each row as "record name credits score [term/category]: what becomes of it", joined by "; ",
// then how many courses the list takes.
std::string Imported(std::string_view csv, RetakePolicy retake) {
  const TextRecords records = ParseDelimitedText(Gbk(csv), ',').records;
  const TranscriptImport result =
      ImportTranscript(records, {FindTranscriptColumns(records), DefaultGradeMap(), retake});
  std::string text;
  for (const TranscriptRow& row : result.rows) {
    const bool groups = !row.course.term.empty() || !row.course.category.empty();
    text += std::to_string(row.record) + ' ' + FormatCourseLine(row.course) +
            (groups ? " [" + row.course.term + '/' + row.course.category + ']' : "") +
            (row.course.points.empty() ? "" : " {" + row.course.points + '}') + ": " +
            DescribeRow(row) + "; ";
  }
  EXPECT_EQ(result.courses.size(), result.Count(RowFate::Counted));
  return platform::GbkToUtf8(text) + std::to_string(result.listed.size());
}

TEST(ImportTranscript, HeaderGradesRetakesAndChecks) {
  constexpr auto H = RetakePolicy::Highest;
  // clang-format off
  const std::tuple<std::string_view, RetakePolicy, std::string_view> rows[] = {
      {"x,3,88.5\n,2,良好\n\" a\nb \",1,P", H, "1 x 3 88.5: 计入，成绩 88.5; 2 未命名课程 2 85: 计入，成绩 85; 3 a b 1 P: ""只计入已获学分; 3"},
      {"成绩单\n代码,SCORE,课程名称,学分\n1,及格,A,2\n,,,\n2,A,B,2", H, "3 A 2 65: 计入，成绩 65; 5 B 2 A: 略过：无法识别的成绩; 1"},
      {"课程,学分,成绩\nA,2,60\nB,2,fail\nA,2,90\nA,2,70", H, "2 A 2 60: 不计入：重修，以第4行为准; 3 B 2 fail: 不计入：通过/不通过课程; 4 A 2 90: ""计入，成绩 90; 5 A 2 70: 不计入：重修，以第4行为准; 1"},
      {"A,2,60\nA,2,90\nA,2,70", RetakePolicy::Latest, "1 A 2 60: 不计入：重修，以第3行为准; 2 A 2 90: 不计入：重修，以第3行为准; 3 A 2 70: ""计入，成绩 70; 1"},
      {"学分,成绩\n2,90", H, "1 学分 成绩 : 略过：无法识别的成绩; 2 2 90 : 略过：无法识别的成绩; 0"},
      {",2,70\n,2,80", H, "1 未命名课程 2 70: 计入，成绩 70; 2 未命名课程 2 80: 计入，成绩 80; 2"},
      {"A,2,60\nA,2,60\n,2,70\n,2,80", RetakePolicy::All, "1 A 2 60: 计入，成绩 60; 2 A 2 60: 计入，成绩 60; 3 未命名课程 2 70: 计入，成绩 70; 4 ""未命名课程 2 80: 计入，成绩 80; 4"},
      {"A,0.5,90\nB,,90\nC,2,101\nD,2 1,90\nE,2\nF,2,-5\nG,\"2\r5\",90", H, "1 A 0.5 90: 计入，成绩 90; 2 B  90: 略过：学分或成绩为空或含空格; 3 C 2 ""101: 略过：分数应在 0~100 之间; 4 D 2 1 90: 略过：学分或成绩为空或含空格; 5 E 2 : ""略过：无法识别的成绩; 6 F 2 -5: 略过：无法识别的成绩; 7 G 2\r5 90: 略过：学分或成绩为空或含空格; 1"},
      {"A,0,90\nB,1e3,90\nC,2,100.5", H, "1 A 0 90: 略过：学分应大于 0 且不超过 1000; 2 B 1e3 90: 略过：学分应为数字，如 3 或 0.5; 3 C 2 100.5: 略过：分数应在 0~100 之间; 0"},
      {"学年,学期,课程名称,学分,成绩,类别\n2023-2024,1,A,2,90,必修\n2023-2024,,B,1,通过,选修\n,,C,0,P,\n,,D,1,不合格,", H, "2 A 2 90 [2023-2024-1/必修]: 计入，成绩 90; 3 B 1 通过 [2023-2024/选修]: 只计入已获学分; 4 C 0 P: 不计入：通过/不通过课程; 5 D 1 不合格: 不计入：通过/不通过课程; 2"},
      {"学年学期,学年,课程,学分,成绩,Category\n2023-2024-2,2023,A,2,90, x\n", H, "2 A 2 90 [2023-2024-2/x]: 计入，成绩 90; 1"},
      {"课程,学分绩点,学分,成绩\nA,4.0,2,90\nB, ,1,80\nC,x,1,P", H, "2 A 2 90 {4.0}: 计入，成绩 90; 3 B 1 80: 计入，成绩 80; 4 C 1 P {x}: 只计入已获学分; 3"},
      {"Course,Credits,Grade,Grade Point\nA,2,90,3.7", H, "2 A 2 90 {3.7}: 计入，成绩 90; 1"},
  };
  // clang-format on
  for (const auto& [csv, retake, imported] : rows)
    EXPECT_EQ(Imported(csv, retake), imported) << csv;
}

// Every field comes back as written, quotes, commas, grade words, passes and retakes included,
// the 绩点 column only in a table of a list with transcript points; only the exact header makes a
// course table.
TEST(CourseTable, ImportsBackWhatItFormats) {
  std::vector<CourseRecord> records = {{Gbk("高数 \"A\", 1"), "2", Gbk("优秀"), "2023-1", "x"},
                                       {"b", "0.5", "P", "", Gbk("必修"), "4,0"},
                                       {"c", "1", "70", "", "", Gbk("无")},
                                       {"c", "1", "60"}};
  for (const std::size_t width : {6, 5}) {
    const TextRecords table = ParseDelimitedText(FormatCourseTable(records), ',').records;
    EXPECT_EQ(table[0].size(), width);
    EXPECT_TRUE(IsCourseTable(table));
    EXPECT_EQ(ImportTranscript(table, CourseTableSettings()).listed, records);
    for (CourseRecord& record : records) record.points.clear();
  }
  EXPECT_FALSE(
      IsCourseTable(ParseDelimitedText(Gbk(",课程名称,学分,成绩,学期,类别"), ',').records));
}

TEST(ParseGradeMap, ReadsWhatItFormats) {
  const std::pair<std::string_view, std::string_view> rows[] = {
      {" 优 = 95，良=85.5,A=100 ", "优=95,良=85.5,A=100"},
      {"", ""},
      {"优=95,", "优=95"},
      {"仯珸=1", "仯珸=1"},
      {"优", "-"},
      {"=95", "-"},
      {"优=101", "-"},
      {"优=100.5", "-"},
      {"优=-1", "-"},
      {"优=", "-"},
  };
  for (const auto& [text, formatted] : rows) {
    const auto map = ParseGradeMap(Gbk(text));
    EXPECT_EQ(map ? platform::GbkToUtf8(FormatGradeMap(*map)) : "-", formatted) << text;
  }
  EXPECT_EQ(FormatGradeMap(DefaultGradeMap()),
            Gbk("优=95,优秀=95,良=85,良好=85,中=75,中等=75,及格=65,不及格=0"));
}

}  // namespace
}  // namespace gradova::courses
