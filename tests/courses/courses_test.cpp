#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "courses/course_file.h"
#include "courses/number_text.h"
#include "courses/term_order.h"
#include "support/gbk_literal.h"
#include "support/temp_dir.h"

namespace gradova::courses {
namespace {

TEST(LeadingInteger, ReadsLikeAtoiButSaturates) {
  // A field is a view into its line: reading stops at the view's end, whatever follows it.
  const std::pair<std::string_view, int> rows[] = {
      {" \t\v\f\r\n+88.5x", 88},
      {std::string_view("123", 2), 12},
      {"-1", -1},
      {"-2147483648", INT_MIN},
      {"-99999999999", INT_MIN},
      {"123456789012345678901234567890", INT_MAX},
  };
  for (const auto& [text, value] : rows) EXPECT_EQ(LeadingInteger(text), value) << text;
}

TEST(LeadingDecimal, ReadsLikeAtofButOnlyDecimals) {
  const std::string huge = "1" + std::string(400, '0');  // out of range without an exponent
  const std::string tiny = "0." + std::string(400, '0') + "1";
  // clang-format off
  const std::pair<std::string_view, double> rows[] = {
      {" +88.5", 88.5}, {std::string_view("0.59", 3), 0.5}, {std::string_view("1e23", 3), 100},
      {"-.5", -0.5}, {"5.", 5}, {"1.5e2", 150}, {"25E-1x", 2.5}, {"4e+x", 4}, {"0x10", 0},
      {"inf", 0}, {".", 0}, {"1e999", HUGE_VAL}, {"99999e99999999999999999999", HUGE_VAL},
      {"1e-999", 0}, {huge, HUGE_VAL}, {tiny, 0}, {"0.00001e310", 1e305},
      {"9626316347.630445", 9626316347.630445}};
  // clang-format on
  for (const auto& [text, value] : rows) EXPECT_EQ(LeadingDecimal(text), value) << text;
}

TEST(ParseDecimal, TakesDigitsAndOnePointAndNothingElse) {
  const std::pair<std::string_view, std::optional<double>> rows[] = {
      {"5.", 5}, {".5", 0.5}, {"88.25", 88.25}, {".", {}},
      {"", {}},  {" 5", {}},  {"5e2", {}},      {"1.2.3", {}}};
  for (const auto& [text, value] : rows) EXPECT_EQ(ParseDecimal(text), value) << text;
}

// Ties of the value held go away from zero; a float's value is no tie.
TEST(FormatFixed, RoundsTiesAwayFromZero) {
  const std::tuple<double, int, std::string_view> rows[] = {
      {87.25, 1, "87.3"},
      {-9.96, 1, "-10.0"},
      {3.125, 2, "3.13"},
      {-3.125, 2, "-3.13"},
      {99.95, 1, "100.0"},
      {2.5, 0, "3"},
      {3, 2, "3.00"},
      {87.24999, 1, "87.2"},
      {1e-7, 2, "0.00"},
      {2.675f, 2, "2.67"},
      {1e20, 1, "100000000000000000000.0"},
  };
  for (const auto& [value, decimals, text] : rows) EXPECT_EQ(FormatFixed(value, decimals), text);
}

// The courses and the outcome of a course file's `text`, read as the program reads it, but for
// the conversion of a UTF-8 file, which is the platform's: such a file is marked "UTF-8".
std::string Read(std::string text) {
  CourseFileCheck check;
  const TextEncoding encoding = CourseFileEncoding(text);
  if (encoding == TextEncoding::Utf8WithBom) text.erase(0, kUtf8Bom.size());
  const CourseList list = ReadCourseText(std::move(text), check);
  std::string read;
  for (std::size_t i = 0; i < list.Size(); ++i) {
    const CourseFields fields = list[i];
    read.append(fields.name).append("|").append(fields.credits).append("|");
    read.append(fields.score).append("\n");
  }
  if (encoding != TextEncoding::Gbk) read += "UTF-8";
  if (!check.error) return read;
  // In the order of CourseLineError; the file's error kind follows from it.
  const char* const errors[] = {"BadFormat", "CreditsNotNumber", "CreditsOutOfRange",
                                "ScoreNotNumber", "ScoreOutOfRange"};
  const bool format = *check.error == CourseFileError::BadFormat;
  EXPECT_EQ(format, check.lineError == CourseLineError::BadFormat);
  return read + errors[static_cast<int>(check.lineError)] + " at " +
         std::to_string(check.errorLine);
}

// Lines first: the last two spaces delimit the fields, and the checks run in a fixed order (empty
// credits, the credits' value, empty score, the score's value). Then files.
// Labels in UTF-8, in order of first appearance, "|" between them; then the time order.
TEST(OrderTerms, OneRowPerRule) {
  const std::pair<std::string, std::string> rows[] = {
      {"2023-2024-1|2022-2023-2", "2022-2023-2|2023-2024-1"},  // by year
      {"2023春|2022-2023-2", "2022-2023-2|2023春"},            // a school year by its first
      {"2022-2023-3|2022-2023-1|2022-2023-2", "2022-2023-1|2022-2023-2|2022-2023-3"},
      {"2022三|2022一|2022二", "2022一|2022二|2022三"},
      {"2022-2023学年第二学期|2022-2023学年第一学期",
       "2022-2023学年第一学期|2022-2023学年第二学期"},
      {"2021-2022下|2021-2022上", "2021-2022上|2021-2022下"},
      {"2021-2022-3|2021-2022下|2021-2022-1|2021-2022上",  // 上 and 下 as 1 and 2
       "2021-2022-1|2021-2022上|2021-2022下|2021-2022-3"},
      {"2023冬|2023秋|2023夏|2023春", "2023春|2023夏|2023秋|2023冬"},
      {"2022-2023夏|2022-2023春|2022-2023-1|2022-2023冬|2022-2023秋",
       "2022-2023-1|2022-2023秋|2022-2023冬|2022-2023春|2022-2023夏"},
      {"2022-1|2022", "2022|2022-1"},  // a year without a term first
      {"大一上|2022-2023-1|未分学期|22-23-1", "2022-2023-1|大一上|未分学期|22-23-1"},
      {"2022-2023学年第一学期|2022-2023-1", "2022-2023学年第一学期|2022-2023-1"},  // equal keys
  };
  for (const auto& [labels, ordered] : rows) {
    std::vector<std::string> terms;
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
      end = labels.find('|', start);
      terms.push_back(testing::Gbk(labels.substr(start, end - start)));
    }
    std::string result;
    for (const std::string& term : OrderTerms(terms)) result += testing::Utf8(term) + "|";
    EXPECT_EQ(result, ordered + "|") << labels;
  }
}

TEST(ReadCourseText, CoursesOrTheFirstBadLine) {
  using testing::Gbk;
  const std::string unnamed = Gbk("未命名课程");
  const std::string bom(kUtf8Bom);
  const std::pair<std::string, std::string> rows[] = {
      {"Linear Algebra 4 100", "Linear Algebra|4|100\n"},
      {"2 60", unnamed + "|2|60\n"},
      {" 2 60", unnamed + "|2|60\n"},
      {"Art  2 60", "Art |2|60\n"},
      {"x\t2 3 60", "x\t2|3|60\n"},
      {"x 1.5 99.5", "x|1.5|99.5\n"},
      {"a b 2.50000000 60.00000000", "a b|2.50000000|60.00000000\n"},
      {"x 0.5 +100", "x|0.5|+100\n"},
      {"x 1000 -0", "x|1000|-0\n"},
      {Gbk("x 2 优秀"), "x|2|" + Gbk("优秀") + "\n"},
      {" 60", "BadFormat at 1"},
      {"x  60", "BadFormat at 1"},
      {"x 2 ", "BadFormat at 1"},
      {"x 1e3 60", "CreditsNotNumber at 1"},
      {"x 0x1 60", "CreditsNotNumber at 1"},
      {"x 0 60", "CreditsOutOfRange at 1"},
      {"x -1 60", "CreditsOutOfRange at 1"},
      {"x 1000.01 60", "CreditsOutOfRange at 1"},
      {"x 4294967296 0", "CreditsOutOfRange at 1"},
      {"x 2 100e5", "ScoreNotNumber at 1"},
      {"x 2 inf", "ScoreNotNumber at 1"},
      {Gbk("x 2 优秀生"), "ScoreNotNumber at 1"},
      {"x 2 -0.5", "ScoreOutOfRange at 1"},
      {"x 2 100.5", "ScoreOutOfRange at 1"},
      {"x 1 4294967356", "ScoreOutOfRange at 1"},
      {"x 0 ", "CreditsOutOfRange at 1"},
      {"x  200", "BadFormat at 1"},
      {"", ""},
      {"\r\n", "BadFormat at 1"},
      {"a 1 60\r\nb c 2 70", "a|1|60\nb c|2|70\n"},
      {"a 1 60\nb 2 70\n", "a|1|60\nb|2|70\n"},
      {"a 1 60\rb 2 70\nc 3 80\r\nd 4 90\r", "a|1|60\nb|2|70\nc|3|80\nd|4|90\n"},
      {"a 1 60\r\r\n", "BadFormat at 2"},
      {"a 1 60\n" + Gbk("小学 2 60"), "a|1|60\n" + Gbk("小学") + "|2|60\n"},
      {bom + "a 1 60\r数学 2 60", "a|1|60\n数学|2|60\nUTF-8"},
      {"a 1 60\n" + bom + "数学 2 60", "a|1|60\n" + bom + "数学|2|60\nUTF-8"},
      {"a 1 60\r\n\r\n", "BadFormat at 2"},
      {"a 1 60\r\nb 2 70\r\nc 0 80\r\nd 1\r\n", "CreditsOutOfRange at 3"},
  };
  for (const auto& [text, read] : rows) EXPECT_EQ(Read(text), read) << text;
}

// Short GBK texts are often valid UTF-8 ("小学" reads as two Cyrillic letters, "学习" as a
// Cyrillic letter and a Greek symbol): UTF-8 needs more Chinese text than anything else.
TEST(DetectTextEncoding, TellsUtf8FromGbkInRealTexts) {
  using testing::Gbk;
  const std::string sample = testing::DataFile("sample_courses.txt");
  const std::pair<std::string, TextEncoding> rows[] = {
      {"Linear Algebra 4 100", TextEncoding::Gbk},
      {sample, TextEncoding::Gbk},
      {Gbk("小学 2 60"), TextEncoding::Gbk},
      {Gbk("学习 2 60"), TextEncoding::Gbk},
      {Gbk("概率论与数理统计 3 88\r\n体育（二） 1 90"), TextEncoding::Gbk},
      {"Caf\xC3\xA9 1 60", TextEncoding::Gbk},
      {"\xED\x95\x9C\xEA\xB5\xAD 2 60", TextEncoding::Gbk},  // GBK bytes that spell 한국 in UTF-8
      {std::string(kUtf8Bom) + "Caf\xC3\xA9 1 60", TextEncoding::Utf8WithBom},
      {std::string(kUtf8Bom) + "Math 1 60", TextEncoding::Utf8WithBom},
      {std::string(kUtf8Bom) + Gbk("緼 2 60"), TextEncoding::Gbk},
      {"小学 2 60", TextEncoding::Utf8},
      {"数 2 60", TextEncoding::Utf8},
      {"\u2000\u2BFF\u3000\u9FFF\uF900\uFAFF\uFE30\uFE4F\uFF00\uFFEFééééééééé", TextEncoding::Utf8},
      {"\u1FFF\u2C00\u2FFF\uA000\uF8FF\uFB00\uFE2F\uFE50\uFEFF\uFFF0数数数数数数数数数数",
       TextEncoding::Gbk},
      {"数学😀 2 60\n物理\xF3\xA0\x80\x81 1 60", TextEncoding::Utf8},  // four-byte sequences
      {testing::Utf8(sample), TextEncoding::Utf8},
      {"大学物理（上）Ⅱ 3 90\r\nCafé — 1 60", TextEncoding::Utf8},
      {"数学 2 60\n\xE6\x95", TextEncoding::Utf8},
      {"数学 2 60\n\xE6\x95x", TextEncoding::Gbk},
      {"数学 2 60\x80", TextEncoding::Gbk},
      {"数学 2 60\n\xED\xA0\x80", TextEncoding::Gbk},
  };
  for (const auto& [text, encoding] : rows) EXPECT_EQ(DetectTextEncoding(text), encoding) << text;
}

}  // namespace
}  // namespace gradova::courses
