#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

bool RunningAsRoot() { return ::geteuid() == 0; }

TEST(ReadWholeFile, ReadsEveryByte) {
  TempDir dir;
  const std::string bytes("a\0b\r\n\xff", 6);
  WriteBytes(dir.Path("f"), bytes);
  EXPECT_EQ(ReadWholeFile(dir.Path("f")), bytes);
}

TEST(ReadWholeFile, EmptyFileIsEmptyNotMissing) {
  TempDir dir;
  WriteBytes(dir.Path("f"), "");
  EXPECT_EQ(ReadWholeFile(dir.Path("f")), std::string());
}

TEST(ReadWholeFile, MissingAndDirectoryGiveNothing) {
  TempDir dir;
  EXPECT_FALSE(ReadWholeFile(dir.Path("absent")));
  std::filesystem::create_directory(dir.Path("d"));
  EXPECT_FALSE(ReadWholeFile(dir.Path("d")));
}

TEST(ReplaceFile, CreatesAndReplaces) {
  TempDir dir;
  EXPECT_EQ(ReplaceFile(dir.Path("f"), "one"), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadBytes(dir.Path("f")), "one");
  EXPECT_EQ(ReplaceFile(dir.Path("f"), "two"), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadBytes(dir.Path("f")), "two");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1)
      << "no temporary file is left behind";
}

TEST(ReplaceFile, NewFileGetsOrdinaryPermissions) {
  TempDir dir;
  const mode_t old = ::umask(022);
  ASSERT_EQ(ReplaceFile(dir.Path("f"), "x"), ReplaceStatus::Replaced);
  ::umask(old);
  struct stat info {};
  ASSERT_EQ(::stat(dir.Path("f").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(ReplaceFile, FailureAtEveryByteLeavesOldFileIntact) {
  TempDir dir;
  const std::string path = dir.Path("f");
  WriteBytes(path, "old contents");
  const std::string fresh = "new contents, longer than the old";
  for (std::size_t failAt = 0; failAt < fresh.size(); ++failAt) {
    SetWriteFailureAfterBytesForTesting(failAt);
    EXPECT_EQ(ReplaceFile(path, fresh), ReplaceStatus::WriteFailed) << failAt;
    SetWriteFailureAfterBytesForTesting(std::nullopt);
    EXPECT_EQ(ReadBytes(path), "old contents") << failAt;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}), 1);
}

TEST(ReplaceFile, TargetThatIsADirectoryIsLeftAlone) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("d"));
  WriteBytes(dir.Path("d/inner"), "kept");
  EXPECT_EQ(ReplaceFile(dir.Path("d"), "x"), ReplaceStatus::WriteFailed);
  EXPECT_EQ(ReadBytes(dir.Path("d/inner")), "kept");
}

TEST(ReplaceFile, ReadOnlyDirectoryCannotCreate) {
  if (RunningAsRoot()) GTEST_SKIP() << "root writes into read-only directories";
  TempDir dir;
  WriteBytes(dir.Path("f"), "old");
  std::filesystem::permissions(
      dir.Root(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_EQ(ReplaceFile(dir.Path("f"), "new"), ReplaceStatus::CannotCreate);
  EXPECT_EQ(ReadBytes(dir.Path("f")), "old");
}

TEST(ReplaceFile, MissingDirectoryCannotCreate) {
  TempDir dir;
  EXPECT_EQ(ReplaceFile(dir.Path("no/such/f"), "x"), ReplaceStatus::CannotCreate);
}

TEST(ReplaceFile, SymlinkIsReplacedAndItsTargetKept) {
  TempDir dir;
  WriteBytes(dir.Path("target"), "target");
  std::filesystem::create_symlink(dir.Path("target"), dir.Path("link"));
  EXPECT_EQ(ReplaceFile(dir.Path("link"), "new"), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadBytes(dir.Path("target")), "target");
  EXPECT_FALSE(std::filesystem::is_symlink(dir.Path("link")));
  EXPECT_EQ(ReadBytes(dir.Path("link")), "new");
}

TEST(ReplaceFile, PathBytesAreNotConverted) {
  TempDir dir;
  const std::string path = dir.Path("\xb3\xc9\xbc\xa8 \xff.txt");
  EXPECT_EQ(ReplaceFile(path, "x"), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadWholeFile(path), "x");
}

TEST(PathExists, SeesFilesDirectoriesAndDanglingLinks) {
  TempDir dir;
  EXPECT_FALSE(PathExists(dir.Path("absent")));
  WriteBytes(dir.Path("f"), "");
  EXPECT_TRUE(PathExists(dir.Path("f")));
  EXPECT_TRUE(PathExists(dir.Root().string()));
  std::filesystem::create_symlink(dir.Path("absent"), dir.Path("dangling"));
  EXPECT_TRUE(PathExists(dir.Path("dangling")));
}

}  // namespace
}  // namespace gradova::platform
