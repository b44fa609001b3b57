#include "courses/course_file.h"

#include <gtest/gtest.h>

#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::courses {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::DataFile;
using testing::Gbk;

TEST(ParseCourseFile, SampleFileGivesFiveCoursesInOrder) {
  const CourseFileContents contents = ParseCourseFile(DataFile("sample_courses.txt"));
  ASSERT_FALSE(contents.error);
  const std::vector<CourseRecord> expected{{Gbk("高等数学"), "5", "100"},
                                           {"Linear Algebra", "4", "100"},
                                           {Gbk("思想品德修养"), "2", "99"},
                                           {Gbk("马克思主义哲学"), "2", "60"},
                                           {Gbk("未命名课程"), "2", "60"}};
  EXPECT_EQ(contents.records, expected);
}

struct FileRow {
  const char* label;
  std::string text;
  std::size_t courses;
  std::optional<CourseFileError> error;
  std::size_t errorLine;
};

class ParseCourseFileOf : public ::testing::TestWithParam<FileRow> {};

TEST_P(ParseCourseFileOf, GivesCoursesOrFirstError) {
  const CourseFileContents contents = ParseCourseFile(GetParam().text);
  EXPECT_EQ(contents.records.size(), GetParam().courses);
  EXPECT_EQ(contents.error, GetParam().error);
  EXPECT_EQ(contents.errorLine, GetParam().errorLine);
}

constexpr auto kFormat = CourseFileError::BadFormat;
constexpr auto kData = CourseFileError::BadData;

INSTANTIATE_TEST_SUITE_P(
    Files, ParseCourseFileOf,
    ::testing::Values(
        FileRow{"Empty", "", 0, std::nullopt, 0},
        FileRow{"LastLineWithoutEnd", "a 1 60\r\nb 2 70", 2, std::nullopt, 0},
        FileRow{"LfOnly", "a 1 60\nb 2 70\n", 2, std::nullopt, 0},
        FileRow{"TrailingEmptyLine", "a 1 60\r\n\r\n", 0, kFormat, 2},
        FileRow{"OnlyLineEnd", "\r\n", 0, kFormat, 1},
        FileRow{"BadThirdLine", "a 1 60\r\nb 2 70\r\nc 0 80\r\nd 1 1\r\n", 0, kData, 3},
        FileRow{"FormatErrorStopsReading", "nospace\r\nc 0 80\r\n", 0, kFormat, 1},
        // Only a CR right before the LF ends the line; a lone CR stays in the score text.
        FileRow{"LoneCrKept", "a 1 60\rb 2 70\r\n", 1, std::nullopt, 0},
        FileRow{"NulBytes", std::string("a\0 1 6\0\r\n", 9), 1, std::nullopt, 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ParseCourseFile, ALongLineIsOneLine) {
  const std::string name(10 * 1024 * 1024, 'x');
  const CourseFileContents contents = ParseCourseFile(name + " 2 60\r\n");
  ASSERT_EQ(contents.records.size(), 1u);
  EXPECT_EQ(contents.records[0].name.size(), name.size());
}

TEST(ParseCourseFile, LineWithSpacesOnlyIsAFormatError) {
  EXPECT_EQ(ParseCourseFile(std::string(10 * 1024 * 1024, ' ')).error, kFormat);
}

TEST(FormatCourseFile, EndsEveryLineWithCrLf) {
  EXPECT_EQ(FormatCourseFile({{"a", "1", "60"}, {"b c", "2", "70"}}), "a 1 60\r\nb c 2 70\r\n");
  EXPECT_EQ(FormatCourseFile({}), "");
}

TEST(CourseFileOnDisk, SaveThenLoadGivesTheSameRecords) {
  testing::TempDir dir;
  const std::vector<CourseRecord> records{{Gbk("高等数学"), "5", "100"}, {"x y", "1.5", "60"}};
  ASSERT_EQ(SaveCourseFile(dir.Path("c.txt"), records), platform::ReplaceStatus::Replaced);
  EXPECT_EQ(LoadCourseFile(dir.Path("c.txt")).records, records);
}

TEST(CourseFileOnDisk, MissingFileCannotOpen) {
  testing::TempDir dir;
  EXPECT_EQ(LoadCourseFile(dir.Path("absent.txt")).error, CourseFileError::CannotOpen);
}

}  // namespace
}  // namespace gradova::courses
