#include "gpa/course_snapshot.h"

#include <gtest/gtest.h>
#include "support/row_printer.h"

namespace gradova::gpa {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using courses::CourseRecord;

TEST(MakeCourseSnapshot, EndsEveryFieldWithCarriageReturn) {
  EXPECT_EQ(MakeCourseSnapshot({{"a b", "5", "100"}, {"c", "2", "60"}}), "a b\r5\r100\rc\r2\r60\r");
  EXPECT_EQ(MakeCourseSnapshot({}), "");
}

TEST(MakeCourseSnapshot, CarriageReturnInsideAFieldKeepsLaterFieldsInPlace) {
  const std::vector<CourseRecord> courses{{"a", "1", "60\r"}, {"b", "2", "70"}};
  const auto rows = ParseCourseSnapshot(MakeCourseSnapshot(courses), 2);
  EXPECT_EQ(rows[0], (CourseRecord{"a", "1", "60 "}));
  EXPECT_EQ(rows[1], (CourseRecord{"b", "2", "70"}));
}

TEST(ParseCourseSnapshot, RoundTrip) {
  const std::vector<CourseRecord> courses{{"x", "1.5", "88.5"}, {"", "", ""}, {"y", "4", "0"}};
  EXPECT_EQ(ParseCourseSnapshot(MakeCourseSnapshot(courses), 3), courses);
}

struct ShortRow {
  const char* label;
  std::string snapshot;
  std::size_t count;
  std::vector<CourseRecord> rows;
};

class ParseShortSnapshot : public ::testing::TestWithParam<ShortRow> {};

TEST_P(ParseShortSnapshot, MissingFieldsAreEmpty) {
  EXPECT_EQ(ParseCourseSnapshot(GetParam().snapshot, GetParam().count), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Snapshots, ParseShortSnapshot,
    ::testing::Values(ShortRow{"Empty", "", 1, {{"", "", ""}}},
                      ShortRow{"NoFinalCr", "a\r1\r60", 1, {{"a", "1", "60"}}},
                      ShortRow{
                          "CutInSecondCourse", "a\r1\r60\rb", 2, {{"a", "1", "60"}, {"b", "", ""}}},
                      ShortRow{"ExtraTextIgnored", "a\r1\r60\rb\r", 1, {{"a", "1", "60"}}},
                      ShortRow{"ZeroCount", "a\r1\r60\r", 0, {}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace gradova::gpa
