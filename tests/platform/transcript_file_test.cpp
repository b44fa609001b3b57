#include "platform/transcript_file.h"

#include <gtest/gtest.h>

#include "courses/course_file.h"
#include "courses/transcript.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/xlsx_module.h"
#include "support/temp_dir.h"
#include "support/zip_file.h"

namespace gradova::platform {
namespace {

using Parts = testing::ZipParts;
using testing::WriteZip;

// The records in UTF-8, joined by "/" and "|"; or the error.
std::string Read(const std::string& path) {
  const TranscriptFile file = ReadTranscriptFile(path);
  if (file.error) return "error " + std::to_string(static_cast<int>(*file.error));
  std::string text;
  for (const auto& record : file.records) {
    for (const auto& cell : record) text += GbkToUtf8(cell) + (&cell == &record.back() ? "/" : "|");
  }
  return text;
}

TEST(TranscriptFile, TextInEveryEncodingBecomesGbk) {
  const std::pair<std::string_view, std::string_view> rows[] = {
      {"\xEF\xBB\xBF课程,学分\r\n", "课程|学分/"},
      {"优\t良", "优\t良/"},
      {"\xD3\xC5,\xC1\xBC,\x81\x30\x81\x30", "优|良|?/"},
  };
  testing::TempDir dir;
  for (const auto& [bytes, records] : rows) {
    ASSERT_EQ(ReplaceFile(dir.Path("t.CSV"), bytes), ReplaceStatus::Replaced);
    EXPECT_EQ(Read(dir.Path("t.CSV")), records) << bytes;
  }
  EXPECT_EQ(Read(dir.Path("none.tsv")), "error 0");
  EXPECT_TRUE(IsTranscriptPath("a.Xlsx") && IsTranscriptPath("b.tsv") &&
              !IsTranscriptPath("c.txt"));
}

// clang-format off
constexpr std::string_view kRels =
    R"(<Relationships><Relationship Id="rId1" Target="worksheets/s1.xml"/>)"
    R"(<Relationship Id="rId7" Target="/xl/worksheets/s7.xml"/></Relationships>)";
constexpr std::string_view kBook =
    R"(<workbook xmlns:r="r"><sheets><sheet name="B" r:id="rId7"/><sheet r:id="rId1"/></sheets></workbook>)";
constexpr std::string_view kShared =
    R"(<sst><si><t>课程</t></si><si><r><t>优</t></r><r><t xml:space="preserve">秀 </t></r><rPh><t>ゆう</t></rPh></si></sst>)";
constexpr std::string_view kSheet =
    R"(<worksheet><sheetData><row r="2"><c r="A2" t="s"><v>0</v></c><c r="C2"><f>1+2</f><v>3.5</v></c></row>)"
    R"(<row><c t="inlineStr"><is><t>x</t></is></c><c t="s"><v>1</v></c></row></sheetData></worksheet>)";
// clang-format on

TEST(TranscriptFile, XlsxFirstSheetOrTheReasonWhyNot) {
  std::string deep;  // well-formed, but nested past any workbook's depth
  for (int i = 0; i < 100; ++i) deep = "<x>" + deep + "</x>";
  // clang-format off
  const std::pair<Parts, std::string_view> rows[] = {
      {{{"xl/workbook.xml", kBook}, {"xl/_rels/workbook.xml.rels", kRels}, {"xl/sharedStrings.xml", kShared}, {"xl/worksheets/s7.xml", kSheet}}, "/课程||3.5/x|优秀 /"},
      {{{"xl/workbook.xml", kBook}, {"xl/_rels/workbook.xml.rels", kRels}, {"xl/worksheets/s1.xml", kSheet}}, "error 3"},
      {{{"xl/workbook.xml", kBook}, {"xl/_rels/workbook.xml.rels", kRels}, {"xl/worksheets/s7.xml", kSheet.substr(0, 80)}}, "error 4"},
      {{{"xl/workbook.xml", kBook}, {"xl/_rels/workbook.xml.rels", kRels}, {"xl/worksheets/s7.xml", deep}}, "error 4"},
      {{{"xl/workbook.xml", kBook}, {"xl/_rels/workbook.xml.rels", kRels}, {"xl/worksheets/s7.xml", "<x><row><c><v>1</v></c></row></x>"}}, "1/"},
      {{{"xl/workbook.xml", kBook}, {"xl/_rels/workbook.xml.rels", kRels}, {"xl/worksheets/s7.xml", R"(<x><row r="65537"><c><v>1</v></c></row><row r="1"><c r="IW1"><v>2</v></c><c r="B1"><v>3</v></c></row></x>)"}}, "|3/"},
  };
  // clang-format on
  testing::TempDir dir;
  for (const auto& [parts, records] : rows) {
    WriteZip(dir.Path("t.xlsx"), parts);
    EXPECT_EQ(Read(dir.Path("t.xlsx")), records);
  }
  ASSERT_EQ(ReplaceFile(dir.Path("t.xlsx"), "a,b"), ReplaceStatus::Replaced);
  EXPECT_EQ(Read(dir.Path("t.xlsx")), "error 1");
  SetXlsxModuleForTesting("no-such-module.so");
  EXPECT_EQ(Read(GRADOVA_TEST_DATA_DIR "/transcript.xlsx"), "error 5");
  SetXlsxModuleForTesting("");
  EXPECT_NE(Read(GRADOVA_TEST_DATA_DIR "/transcript.xlsx").substr(0, 5), "error");
}

// One transcript exported four ways (tools/make_transcript_fixtures.py: GBK and UTF-8 CSV, .xlsx
// from openpyxl and from XlsxWriter) imports to the same courses: the retake's highest grade, the
// worded grades mapped, the pass/fail course left out, a quoted name with a comma kept.
TEST(TranscriptFile, GbkAndUtf8CsvAndXlsxGiveTheSameCourses) {
  const std::string expected =
      "高等数学 5 95\r\n大学英语 3 85\r\n线性代数 4 65\r\n"
      "Linear Algebra, Honours 2.5 88.5\r\n";
  for (const char* name :
       {"transcript_gbk.csv", "transcript_utf8.csv", "transcript.xlsx", "transcript_shared.xlsx"}) {
    const courses::TextRecords records =
        ReadTranscriptFile(GRADOVA_TEST_DATA_DIR "/" + std::string(name)).records;
    const courses::TranscriptSettings settings{courses::FindTranscriptColumns(records)};
    EXPECT_EQ(
        GbkToUtf8(courses::FormatCourseFile(courses::ImportTranscript(records, settings).courses)),
        expected)
        << name;
  }
}

}  // namespace
}  // namespace gradova::platform
