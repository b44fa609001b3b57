#include "platform/program_files.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

// Whatever is at the path, even a file that cannot be read, is the user's and stays as it is.
TEST(EnsureRulesFile, WritesTheBuiltInRulesOnlyWhereNothingIs) {
  TempDir dir;
  EXPECT_EQ(EnsureRulesFile(dir.Path("rules")), EnsureRulesStatus::Created);
  EXPECT_EQ(testing::ReadBytes(dir.Path("rules")), testing::DataFile("builtin_rules"));
  testing::WriteBytes(dir.Path("damaged"), "ab\x65\x5a");
  fs::permissions(dir.Path("damaged"), fs::perms::none);
  fs::create_directory(dir.Path("directory"));
  for (const char* name : {"damaged", "directory"}) {
    EXPECT_EQ(EnsureRulesFile(dir.Path(name)), EnsureRulesStatus::Existed) << name;
  }
  EXPECT_EQ(fs::file_size(dir.Path("damaged")), 4u);
  EXPECT_TRUE(fs::is_empty(dir.Path("directory")));
}

TEST(EnsureRulesFile, CannotCreateLeavesNothingBehind) {
  TempDir dir;
  EXPECT_EQ(EnsureRulesFile(dir.Path("absent/rules")), EnsureRulesStatus::CannotCreate);
  SetWriteFailureAfterBytesForTesting(100);
  EXPECT_EQ(EnsureRulesFile(dir.Path("rules")), EnsureRulesStatus::CannotCreate);
  SetWriteFailureAfterBytesForTesting(std::nullopt);
  EXPECT_TRUE(fs::is_empty(dir.Root()));
}

TEST(ReadRulesFile, MissingWhenItCannotBeReadOtherwiseAsParsed) {
  TempDir dir;
  EXPECT_EQ(ReadRulesFile(dir.Path("absent")).status, grading::RulesFileStatus::Missing);
  EXPECT_EQ(ReadRulesFile(dir.Root().string()).status, grading::RulesFileStatus::Missing);
  testing::WriteBytes(dir.Path("rules"), "ab\x65\x66zz");
  EXPECT_EQ(ReadRulesFile(dir.Path("rules")).status, grading::RulesFileStatus::Damaged);
}

TEST(ReadCourseFile, HandsOverTheCoursesUpToTheFirstBadLine) {
  TempDir dir;
  std::vector<std::string> names;
  const auto onCourse = [&names](const courses::CourseFields& c) { names.emplace_back(c.name); };
  ASSERT_EQ(
      WriteCourseFile(dir.Path("c"), {{"a b", "1", "60"}, {"c", "0", "70"}, {"d", "1", "80"}}),
      ReplaceStatus::Replaced);
  EXPECT_EQ(testing::ReadBytes(dir.Path("c")), "a b 1 60\r\nc 0 70\r\nd 1 80\r\n");
  const courses::CourseFileCheck check = ReadCourseFile(dir.Path("c"), onCourse);
  EXPECT_EQ(check.error, courses::CourseFileError::BadData);
  EXPECT_EQ(check.errorLine, 2u);
  EXPECT_EQ(names, std::vector<std::string>{"a b"});
  for (const std::string& path : {dir.Path("absent"), dir.Root().string()}) {
    EXPECT_EQ(ReadCourseFile(path, onCourse).error, courses::CourseFileError::CannotOpen);
  }
}

}  // namespace
}  // namespace gradova::platform
