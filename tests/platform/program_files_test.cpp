#include "platform/program_files.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/gbk_literal.h"
#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

namespace fs = std::filesystem;
using testing::Gbk;
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

std::string Names(const courses::CourseList& list) {
  std::string names;
  for (std::size_t i = 0; i < list.Size(); ++i) names.append(list[i].name).append("|");
  return names;
}

TEST(ReadCourseFile, TheCoursesOrNoneFromTheFirstBadLine) {
  TempDir dir;
  courses::CourseFileCheck check;
  ASSERT_EQ(WriteCourseFile(dir.Path("c"), {{"a b", "1", "60"}, {"d", "1", "80"}}),
            ReplaceStatus::Replaced);
  EXPECT_EQ(testing::ReadBytes(dir.Path("c")), "a b 1 60\r\nd 1 80\r\n");
  EXPECT_EQ(Names(ReadCourseFile(dir.Path("c"), check)), "a b|d|");
  testing::WriteBytes(dir.Path("bad"), "a 1 60\r\nc 0 70\r\n");
  EXPECT_EQ(Names(ReadCourseFile(dir.Path("bad"), check)), "");
  EXPECT_EQ(check.errorLine, 2u);
}

// A UTF-8 file becomes GBK in place, also across pieces; what GBK cannot hold is counted.
TEST(ReadCourseFile, TurnsUtf8IntoGbk) {
  TempDir dir;
  std::string longName;
  for (int i = 0; i < 400'000; ++i) longName += "数";
  const std::tuple<std::string, std::string, std::size_t> rows[] = {
      {"\xEF\xBB\xBF数学 2 60\n物理😀 1 70", Gbk("数学|物理?|"), 1},
      {"英语 2 60\n" + longName + " 1 70", Gbk("英语|" + longName + "|"), 0},
  };
  for (const auto& [text, names, replaced] : rows) {
    testing::WriteBytes(dir.Path("u"), text);
    courses::CourseFileCheck check;
    EXPECT_EQ(Names(ReadCourseFile(dir.Path("u"), check)), names);
    EXPECT_FALSE(check.error);
    EXPECT_EQ(check.replacedCharacters, replaced);
  }
}

}  // namespace
}  // namespace gradova::platform
