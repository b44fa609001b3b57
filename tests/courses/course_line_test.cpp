#include "courses/course_line.h"

#include <gtest/gtest.h>

#include "support/gbk_literal.h"
#include "support/row_printer.h"

namespace gradova::courses {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::Gbk;

struct LineRow {
  const char* label;
  std::string line;
  std::variant<CourseRecord, CourseLineError> expected;
};

class ParseCourseLineOf : public ::testing::TestWithParam<LineRow> {};

TEST_P(ParseCourseLineOf, GivesRecordOrError) {
  const auto parsed = ParseCourseLine(GetParam().line);
  if (const auto* error = std::get_if<CourseLineError>(&GetParam().expected)) {
    ASSERT_TRUE(std::holds_alternative<CourseLineError>(parsed));
    EXPECT_EQ(std::get<CourseLineError>(parsed), *error);
  } else {
    ASSERT_TRUE(std::holds_alternative<CourseRecord>(parsed));
    const auto& expected = std::get<CourseRecord>(GetParam().expected);
    const auto& record = std::get<CourseRecord>(parsed);
    EXPECT_EQ(record.name, expected.name);
    EXPECT_EQ(record.credits, expected.credits);
    EXPECT_EQ(record.score, expected.score);
  }
}

const std::string kUnnamed = Gbk("未命名课程");
constexpr auto kBadFormat = CourseLineError::BadFormat;
constexpr auto kBadData = CourseLineError::BadData;

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCourseLineOf,
    ::testing::Values(
        LineRow{"ChineseName", Gbk("高等数学 5 100"), CourseRecord{Gbk("高等数学"), "5", "100"}},
        LineRow{"NameWithSpace", "Linear Algebra 4 100",
                CourseRecord{"Linear Algebra", "4", "100"}},
        LineRow{"NoName", "2 60", CourseRecord{kUnnamed, "2", "60"}},
        LineRow{"TwoSpacesBeforeCredits", "Art  2 60", CourseRecord{"Art ", "2", "60"}},
        LineRow{"LeadingSpaceNoName", " 2 60", CourseRecord{kUnnamed, "2", "60"}},
        LineRow{"ManyWords", "a b c d 3 70", CourseRecord{"a b c d", "3", "70"}},
        LineRow{"DecimalCreditsAndScore", "x 1.5 100.5", CourseRecord{"x", "1.5", "100.5"}},
        LineRow{"NegativeHalfScore", "x 2 -0.5", CourseRecord{"x", "2", "-0.5"}},
        LineRow{"LetterScore", "x 2 abc", CourseRecord{"x", "2", "abc"}},
        LineRow{"TabIsNoSeparator", "x\t2 3 60", CourseRecord{"x\t2", "3", "60"}},
        LineRow{"HugeCredits", "x 99999999999 60", CourseRecord{"x", "99999999999", "60"}},
        LineRow{"ScoreZero", "x 1 0", CourseRecord{"x", "1", "0"}},
        LineRow{"NulInName", std::string("a\0b 1 60", 8),
                CourseRecord{std::string("a\0b", 3), "1", "60"}},
        LineRow{"Empty", "", kBadFormat}, LineRow{"NoSpace", "abc", kBadFormat},
        LineRow{"SingleLeadingSpace", " 60", kBadFormat},
        LineRow{"AdjacentLastSpaces", "x  60", kBadFormat},
        LineRow{"TrailingSpace", "x 2 ", kBadFormat}, LineRow{"HalfCredit", "x 0.5 60", kBadData},
        LineRow{"ZeroCredits", "x 0 60", kBadData}, LineRow{"NegativeCredits", "x -1 60", kBadData},
        LineRow{"LetterCredits", "x ab 60", kBadData}, LineRow{"ScoreNegative", "x 2 -1", kBadData},
        LineRow{"Score101", "x 2 101", kBadData}, LineRow{"HugeScore", "x 2 99999999999", kBadData},
        // The first failing check decides: bad credits are found before an empty score.
        LineRow{"BadCreditsBeforeEmptyScore", "x 0 ", kBadData},
        LineRow{"EmptyCreditsBeforeBadScore", "x  200", kBadFormat}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FormatCourseLine, JoinsFieldsWithSpaces) {
  EXPECT_EQ(FormatCourseLine(CourseRecord{"Linear Algebra", "4", "100"}), "Linear Algebra 4 100");
}

TEST(FormatCourseLine, ParsesBackToTheSameRecord) {
  for (const CourseRecord& record :
       {CourseRecord{"Linear Algebra", "4", "100"}, CourseRecord{Gbk("马克思主义哲学"), "2", "60"},
        CourseRecord{kUnnamed, "1.5", "88.5"}, CourseRecord{" lead", "3", "0"}}) {
    const auto parsed = ParseCourseLine(FormatCourseLine(record));
    ASSERT_TRUE(std::holds_alternative<CourseRecord>(parsed)) << record.name;
    EXPECT_EQ(std::get<CourseRecord>(parsed), record);
  }
}

}  // namespace
}  // namespace gradova::courses

namespace gradova::courses {
namespace {

TEST(SplitCourseFields, SplitsWithoutChecking) {
  EXPECT_FALSE(SplitCourseFields("nospace"));
  const auto unchecked = SplitCourseFields("x 0 ");
  ASSERT_TRUE(unchecked);
  EXPECT_EQ(unchecked->name, "x");
  EXPECT_EQ(unchecked->credits, "0");
  EXPECT_EQ(unchecked->score, "");
  const auto unnamed = SplitCourseFields(" 2 60");
  ASSERT_TRUE(unnamed);
  EXPECT_EQ(unnamed->name, kUnnamed);
  EXPECT_EQ(unnamed->credits, "2");
  EXPECT_EQ(unnamed->score, "60");
}

}  // namespace
}  // namespace gradova::courses
