#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

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

struct NotAFileRow {
  const char* label;
  std::function<std::string(const TempDir&)> make;  // makes the thing, returns its path
};

class ReadWholeFileOf : public ::testing::TestWithParam<NotAFileRow> {};

// Anything but a regular file gives nothing, at once: a FIFO would block the open until a writer
// came, a device such as /dev/zero would be read without end.
TEST_P(ReadWholeFileOf, AnythingButARegularFileGivesNothing) {
  TempDir dir;
  EXPECT_FALSE(ReadWholeFile(GetParam().make(dir)));
}

INSTANTIATE_TEST_SUITE_P(
    Things, ReadWholeFileOf,
    ::testing::Values(NotAFileRow{"Missing", [](const TempDir& dir) { return dir.Path("absent"); }},
                      NotAFileRow{"Directory",
                                  [](const TempDir& dir) {
                                    std::filesystem::create_directory(dir.Path("d"));
                                    return dir.Path("d");
                                  }},
                      NotAFileRow{"Fifo",
                                  [](const TempDir& dir) {
                                    ::mkfifo(dir.Path("fifo").c_str(), 0600);
                                    return dir.Path("fifo");
                                  }},
                      NotAFileRow{"EndlessDevice",
                                  [](const TempDir&) { return std::string("/dev/zero"); }},
                      NotAFileRow{"LinkToADevice",
                                  [](const TempDir& dir) {
                                    std::filesystem::create_symlink("/dev/zero", dir.Path("link"));
                                    return dir.Path("link");
                                  }},
                      NotAFileRow{"DanglingLink",
                                  [](const TempDir& dir) {
                                    std::filesystem::create_symlink(dir.Path("absent"),
                                                                    dir.Path("link"));
                                    return dir.Path("link");
                                  }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ReadWholeFile, FollowsALinkToAFile) {
  TempDir dir;
  WriteBytes(dir.Path("f"), "contents");
  std::filesystem::create_symlink(dir.Path("f"), dir.Path("link"));
  EXPECT_EQ(ReadWholeFile(dir.Path("link")), "contents");
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

TEST(ReplaceFile, ReplacedFileKeepsItsPermissions) {
  TempDir dir;
  for (const mode_t mode : {0600, 0640, 0604}) {
    WriteBytes(dir.Path("f"), "old");
    ::chmod(dir.Path("f").c_str(), mode);
    ASSERT_EQ(ReplaceFile(dir.Path("f"), "new"), ReplaceStatus::Replaced);
    struct stat info {};
    ASSERT_EQ(::stat(dir.Path("f").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, mode) << std::oct << mode;
  }
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

// Runs `work` in a child process without root's power to write anywhere, and gives its exit
// status: as root, a read-only directory would not refuse anything.
int ExitStatusOfUnprivileged(const std::function<int()>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(100);
    ::_exit(work());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ReplaceFile, ReadOnlyDirectoryCannotCreate) {
  TempDir dir;
  WriteBytes(dir.Path("f"), "old");
  namespace fs = std::filesystem;
  // Readable and searchable by everyone, writable by no one.
  fs::permissions(dir.Root(), fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(dir.Path("f"), fs::perms::owner_read | fs::perms::others_read);
  const std::string path = dir.Path("f");
  EXPECT_EQ(ExitStatusOfUnprivileged([&path] {
              return ReplaceFile(path, "new") == ReplaceStatus::CannotCreate ? 0 : 1;
            }),
            0);
  EXPECT_EQ(ReadBytes(dir.Path("f")), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Root()), {}), 1);
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
