#include "platform/transcript_file.h"

#include <gtest/gtest.h>

#include "courses/course_file.h"
#include "courses/transcript.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "support/temp_dir.h"
#include "support/zip_file.h"

namespace gradova::platform {
namespace {

using Parts = testing::ZipParts;
using testing::WriteZip;

// Limits small enough for a few bytes to pass each of them.
courses::TranscriptLimits Small() {
  courses::TranscriptLimits limits;
  limits.textFileBytes = 64;
  limits.partBytes = 1024;
  limits.xlsFileBytes = 5000;
  limits.tokenBytes = 128;
  limits.cellBytes = 8;
  limits.rows = 4;
  limits.columns = 4;
  limits.keptBytes = 768;
  return limits;
}

// The records in UTF-8, joined by "/" and "|"; or the error.
std::string Read(const std::string& path, const courses::TranscriptLimits& limits = {}) {
  const TranscriptFile file = ReadTranscriptFile(path, limits);
  if (file.error) return "error " + std::to_string(static_cast<int>(*file.error));
  std::string text;
  for (const auto& record : file.records) {
    for (const auto& cell : record) text += GbkToUtf8(cell) + (&cell == &record.back() ? "/" : "|");
  }
  return text;
}

TEST(TranscriptFile, TextInEveryEncodingBecomesGbkWithinTheLimits) {
  const std::pair<std::string, std::string_view> rows[] = {
      {"\xEF\xBB\xBF课程,学分\r\n", "课程|学分/"},
      {"优\t良", "优\t良/"},
      {"a,\xE6\x95", "a|鏁/"},  // UTF-8 cut off at the end is no UTF-8
      {"\xD3\xC5,\xC1\xBC,\x81\x30\x81\x30", "优|良|?/"},
      {"12345678,\"a\nb\"\n\n", "12345678|a\nb//"},
      {std::string(65, '\n'), "error 6"},
      {"123456789", "error 5"},
      {"a,b,c,d,e", "error 6"},
      {"a\nb\nc\nd\ne", "error 6"},
  };
  testing::TempDir dir;
  for (const auto& [bytes, records] : rows) {
    ASSERT_EQ(ReplaceFile(dir.Path("t.CSV"), bytes), ReplaceStatus::Replaced);
    EXPECT_EQ(Read(dir.Path("t.CSV"), Small()), records) << bytes;
  }
  EXPECT_EQ(Read(dir.Path("none.tsv")), "error 0");
  EXPECT_TRUE(IsTranscriptPath("a.Xlsx") && IsTranscriptPath("b.tsv") &&
              IsTranscriptPath("d.XLS") && !IsTranscriptPath("c.txt"));
}

// clang-format off
constexpr std::string_view kRels =
    R"(<Relationships><Relationship Id="rId1" Target="worksheets/s1.xml"/>)"
    R"(<Relationship Id="rId7" Target="/xl/worksheets/s7.xml"/></Relationships>)";
constexpr std::string_view kBook =
    R"(<workbook xmlns:r="r"><sheets><sheet name="B" r:id="rId7"/><sheet r:id="rId1"/></sheets></workbook>)";
constexpr std::string_view kShared =
    R"(<sst><si><t>课程</t></si><si><r><t>优</t></r><r><t xml:space="preserve">秀 </t></r><rPh><t>ゆう</t></rPh></si><si><t>longer than a cell</t></si></sst>)";
constexpr std::string_view kSheet =
    R"(<worksheet><sheetData><row r="2"><c r="A2" t="s"><v>0</v></c><c r="C2"><f>1+2</f><v>3.5</v></c></row>)"
    R"(<row><c t="inlineStr"><is><t>x</t></is></c><c t="s"><v>1</v></c></row></sheetData></worksheet>)";
// clang-format on

std::string Repeated(std::string_view text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

TEST(TranscriptFile, XlsxFirstSheetOrTheReasonWhyNot) {
  std::string deep;  // well-formed, but nested past any workbook's depth
  for (int i = 0; i < 100; ++i) deep = "<x>" + deep + "</x>";
  const std::string grid =
      "<x>" + Repeated("<row>" + Repeated("<c><v>12345678</v></c>", 4) + "</row>", 4) + "</x>";
  const std::string manyShared = "<sst>" + Repeated("<si><t>x</t></si>", 40) + "</sst>";
  const std::string large = "<x>" + Repeated("<y/>", 300) + "</x>";
  const std::string longToken = "<x>" + std::string(600, ' ') + "</x>";
  const std::string_view book = kBook;
  const std::string_view rels = kRels;
  // clang-format off
  const std::tuple<Parts, std::string_view, bool> rows[] = {
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/sharedStrings.xml", kShared}, {"xl/worksheets/s7.xml", kSheet}}, "/课程||3.5/x|优秀 /", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s1.xml", kSheet}}, "error 3", false},
      {{{"xl/workbook.xml", book}, {"xl/worksheets/s7.xml", kSheet}}, "error 3", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", kSheet.substr(0, 80)}}, "error 4", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", deep}}, "error 4", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", "<x><row><c><v>1</v></c></row></x>"}}, "1/", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", R"(<x><row r="9"><c r="Z9"/></row><row r="1"><c r="B1"><v>3</v></c></row></x>)"}}, "|3/", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", R"(<x><row r="5"><c><v>1</v></c></row></x>)"}}, "error 6", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", R"(<x><row><c r="IW1"><v>1</v></c></row></x>)"}}, "error 6", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", grid}}, "error 6", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/sharedStrings.xml", manyShared}, {"xl/worksheets/s7.xml", kSheet}}, "error 6", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", R"(<x><row><c t="inlineStr"><is><t>123456789</t></is></c></row></x>)"}}, "error 5", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/sharedStrings.xml", kShared}, {"xl/worksheets/s7.xml", R"(<x><row><c t="s"><v>2</v></c></row></x>)"}}, "error 5", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", large}}, "error 2", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", longToken}}, "error 6", false},
      {{{"xl/workbook.xml", book}, {"xl/_rels/workbook.xml.rels", rels}, {"xl/worksheets/s7.xml", kSheet}}, "error 2", true},
  };
  // clang-format on
  testing::TempDir dir;
  for (const auto& [parts, records, badChecksum] : rows) {
    WriteZip(dir.Path("t.xlsx"), parts, badChecksum);
    EXPECT_EQ(Read(dir.Path("t.xlsx"), Small()), records) << std::get<1>(parts.back());
  }
  // A boolean, or a number in a date format (built in or the workbook's own, of a cell format, not
  // of a cell style), is no number.
  const std::string_view styles =
      R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="yyyy&quot;年&quot;m&quot;月&quot;"/>)"
      R"(<numFmt numFmtId="165" formatCode="0.0&quot;day&quot;[Red]\d"/></numFmts><cellStyleXfs>)"
      R"(<xf numFmtId="14"/></cellStyleXfs><cellXfs><xf/><xf numFmtId="14"/><xf numFmtId="164"/>)"
      R"(<xf numFmtId="165"/></cellXfs></styleSheet>)";
  const std::string_view dated =
      R"(<x><row><c s="1"><v>45292</v></c><c s="2"><v>45292.7</v></c><c s="3"><v>3.5</v></c>)"
      R"(<c><v>2</v></c><c t="b"><v>1</v></c><c s="1" t="str"><v>4</v></c></row></x>)";
  WriteZip(dir.Path("t.xlsx"), {{"xl/workbook.xml", book},
                                {"xl/_rels/workbook.xml.rels", rels},
                                {"xl/styles.xml", styles},
                                {"xl/worksheets/s7.xml", dated}});
  EXPECT_EQ(Read(dir.Path("t.xlsx")), "2024-01-01|2024-01-01|3.5|2|TRUE|4/");
  ASSERT_EQ(ReplaceFile(dir.Path("t.xlsx"), "a,b"), ReplaceStatus::Replaced);
  EXPECT_EQ(Read(dir.Path("t.xlsx")), "error 1");
  EXPECT_EQ(Read(dir.Path("")), "error 0");
}

// xlwt's .xls (tools/make_transcript_fixtures.py), each change to it a reason why not: its Workbook
// stream runs from the first sector, the directory and the FAT follow it.
TEST(TranscriptFile, XlsFirstSheetOrTheReasonWhyNot) {
  using namespace std::literals;
  const std::string xls = ReadWholeFile(GRADOVA_TEST_DATA_DIR "/transcript.xls").value_or("");
  const auto u16 = [&](std::size_t at) {
    return static_cast<unsigned char>(xls.at(at)) | static_cast<unsigned char>(xls.at(at + 1)) << 8;
  };
  const auto record = [&](int type) {
    std::size_t at = 512;
    while (u16(at) != type) at += 4 + u16(at + 2);
    return at;
  };
  const auto patched = [&](std::size_t at, std::string_view bytes) {
    return std::string(xls).replace(at, bytes.size(), bytes);
  };
  std::string sheetInSheet = patched(record(0x0208), "\x09\x08\x10\0\0\x06\x10\0"sv);
  sheetInSheet.replace(record(0x023E), 16, "\0\x02\x12\0\0\0\0\0\x08\0\0\0\0\0\x03\0"sv);
  const std::size_t workbookEntry = (u16(0x30) + 1) * 512 + 128, fat = (u16(0x4C) + 1) * 512;
  // clang-format off
  const std::pair<std::string, std::string_view> rows[] = {
      {patched(record(0x005C), "\x2F"), "error 9"},                      // a FILEPASS record
      {patched(record(0x0085), "\x86"), "error 10"},                     // no BOUNDSHEET
      {patched(record(0x0085) + 4, "\x01"), "error 8"},                  // a sheet's BOF elsewhere
      {patched(record(0x0200) + 8, "\0\0\x01\0\0\0\0\x01"sv), "error 6"},  // a 65536 x 256 grid
      {patched(record(0x0200) + 8, "\0\0\0\xF5\0\0\0\0"sv), "error 8"},    // 4 G rows, no column
      {patched(record(0x00FC) + 8, "\xFF\xFF\xFF"), "error 8"},          // more strings than bytes
      {patched(record(0x023E), "\0\x02"sv), "error 8"},                  // a second DIMENSION
      {sheetInSheet, "error 8"},  // a second sheet's BOF and DIMENSION before the first's EOF
      {patched(record(0x0809) + 5, "\x02"), "error 7"},                  // a BIFF2 BOF
      {patched(workbookEntry + 0x78, "\xE8\x03\0"sv), "error 8"},        // in the mini stream
      {patched(fat + 4 * 7, "\x07\0\0\0"sv), "error 8"},                 // a chain that never ends
      {patched(0x4C, "\x50"), "error 8"},                                // a FAT sector past the end
      {xls.substr(0, 3000), "error 8"},
      {std::string(xls.size(), '\0'), "error 7"},
      {"a,b", "error 7"},
  };
  // clang-format on
  testing::TempDir dir;
  for (const auto& [bytes, expected] : rows) {
    ASSERT_EQ(ReplaceFile(dir.Path("t.xls"), bytes), ReplaceStatus::Replaced);
    EXPECT_EQ(Read(dir.Path("t.xls")), expected) << &bytes - &rows[0].first;
  }
  EXPECT_EQ(Read(GRADOVA_TEST_DATA_DIR "/transcript_cells.xls", Small()), "error 6");  // 5.5 KB
  // Dates, booleans and a formula, whose result xlwt leaves empty: Excel's is a number.
  std::string cells = ReadWholeFile(GRADOVA_TEST_DATA_DIR "/transcript_cells.xls").value_or("");
  cells.replace(cells.find("\x03\0\0\0\0\0\xFF\xFF"sv), 8, "\0\0\0\0\0\0\x12\x40"sv);
  ASSERT_EQ(ReplaceFile(dir.Path("t.xls"), cells), ReplaceStatus::Replaced);
  EXPECT_EQ(Read(dir.Path("t.xls")), "2024-01-01|2024-01-01|TRUE|FALSE|3.5|2|4.5/");
}

// One transcript exported four ways (tools/make_transcript_fixtures.py: GBK and UTF-8 CSV, .xlsx
// from openpyxl and from XlsxWriter) imports to the same courses: the retake's highest grade, the
// worded grades mapped, the pass/fail course left out, a quoted name with a comma kept.
TEST(TranscriptFile, GbkAndUtf8CsvAndXlsxGiveTheSameCourses) {
  const std::string expected =
      "高等数学 5 95\r\n大学英语 3 85\r\n线性代数 4 65\r\n"
      "Linear Algebra, Honours 2.5 88.5\r\n";
  for (const char* name : {"transcript_gbk.csv", "transcript_utf8.csv", "transcript.xlsx",
                           "transcript_shared.xlsx", "transcript.xls"}) {
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
