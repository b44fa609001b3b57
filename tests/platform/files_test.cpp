#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;

// Anything else gives nothing, at once: a FIFO would block the open until a writer came,
// /dev/zero would never end, and a file larger than memory (here a sparse one) could never be held.
TEST(ReadWholeFile, ReadsOnlyARegularFileOrALinkToOne) {
  TempDir dir;
  testing::WriteBytes(dir.Path("f"), std::string("a\0b\r\n\xff", 6));
  fs::create_symlink(dir.Path("f"), dir.Path("link"));
  EXPECT_EQ(ReadWholeFile(dir.Path("link")), std::string("a\0b\r\n\xff", 6));
  testing::WriteBytes(dir.Path("empty"), "");
  EXPECT_EQ(ReadWholeFile(dir.Path("empty")), "");
  fs::create_directory(dir.Path("directory"));
  ::mkfifo(dir.Path("fifo").c_str(), 0600);
  fs::create_symlink("/dev/zero", dir.Path("link-to-zero"));
  testing::WriteBytes(dir.Path("huge"), "");
  fs::resize_file(dir.Path("huge"), std::uintmax_t{1} << 40);
  for (const char* name : {"absent", "directory", "fifo", "link-to-zero", "huge"}) {
    EXPECT_FALSE(ReadWholeFile(dir.Path(name))) << name;
  }
}

TEST(ReplaceFile, KeepsPermissionsOrGivesOrdinaryOnes) {
  TempDir dir;
  const mode_t umask = ::umask(022);
  EXPECT_EQ(ReplaceFile(dir.Path("f"), "one"), ReplaceStatus::Replaced);
  ::umask(umask);
  EXPECT_EQ(fs::status(dir.Path("f")).permissions(), fs::perms(0644));
  fs::permissions(dir.Path("f"), fs::perms(0600));
  EXPECT_EQ(ReplaceFile(dir.Path("f"), "two"), ReplaceStatus::Replaced);
  EXPECT_EQ(fs::status(dir.Path("f")).permissions(), fs::perms(0600));
}

TEST(ReplaceFileWith, FailureAtEveryByteLeavesOldFileIntact) {
  TempDir dir;
  testing::WriteBytes(dir.Path("f"), "old");
  const auto produce = [](const ByteSink& write) { return write("new ") && write("in pieces"); };
  for (std::size_t failAt = 0; failAt < 13; ++failAt) {
    SetWriteFailureAfterBytesForTesting(failAt);
    EXPECT_EQ(ReplaceFileWith(dir.Path("f"), produce), ReplaceStatus::WriteFailed) << failAt;
    SetWriteFailureAfterBytesForTesting(std::nullopt);
  }
  const auto refuse = [](const ByteSink& write) { return !write("written, then refused"); };
  EXPECT_EQ(ReplaceFileWith(dir.Path("f"), refuse), ReplaceStatus::WriteFailed);
  EXPECT_EQ(ReadBytes(dir.Path("f")), "old");
  EXPECT_EQ(testing::FileNames(dir.Root()), std::vector<std::string>{"f"});
  EXPECT_EQ(ReplaceFileWith(dir.Path("f"), produce), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadBytes(dir.Path("f")), "new in pieces");
}

// A link is replaced and its target kept; a directory is left alone; path bytes are not converted.
TEST(ReplaceFile, OnlyEverWritesThePathItself) {
  TempDir dir;
  testing::WriteBytes(dir.Path("target"), "target");
  fs::create_symlink(dir.Path("target"), dir.Path("link"));
  EXPECT_EQ(ReplaceFile(dir.Path("link"), "new"), ReplaceStatus::Replaced);
  EXPECT_EQ(ReadBytes(dir.Path("target")), "target");
  fs::create_directory(dir.Path("d"));
  EXPECT_EQ(ReplaceFile(dir.Path("d"), "x"), ReplaceStatus::WriteFailed);
  EXPECT_EQ(ReplaceFile(dir.Path("\xb3\xc9\xbc\xa8 \xff"), "x"), ReplaceStatus::Replaced);
  EXPECT_EQ(testing::FileNames(dir.Root()),
            (std::vector<std::string>{"d", "link", "target", "\xb3\xc9\xbc\xa8 \xff"}));
}

// In a child without root's power to write anywhere, so that the directory's mode counts.
TEST(ReplaceFile, ReadOnlyDirectoryCannotCreate) {
  TempDir dir;
  testing::WriteBytes(dir.Path("f"), "old");
  fs::permissions(dir.Root(), fs::perms(0505));  // readable and searchable by everyone
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    ::_exit(ReplaceFile(dir.Path("f"), "new") == ReplaceStatus::CannotCreate ? 0 : 1);
  }
  int status = -1;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(testing::FileNames(dir.Root()), std::vector<std::string>{"f"});
  EXPECT_EQ(ReadBytes(dir.Path("f")), "old");
}

}  // namespace
}  // namespace gradova::platform
