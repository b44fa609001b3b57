#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

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

// The files as "name=contents@mode" ("~": owned by nobody), "link>target" and "directory/".
std::string Listing(const TempDir& dir) {
  std::string listing;
  for (const std::string& name : testing::FileNames(dir.Root())) {
    struct stat info {};
    ::lstat(dir.Path(name).c_str(), &info);
    const mode_t mode = info.st_mode;
    listing += (listing.empty() ? "" : " ") + name + (S_ISDIR(mode) ? "/" : "");
    if (S_ISLNK(mode)) listing += ">" + fs::read_symlink(dir.Path(name)).string();
    if (!S_ISREG(mode)) continue;
    listing += "=" + *ReadBytes(dir.Path(name)) + "@" +
               std::to_string((mode >> 6 & 7) * 100 + (mode >> 3 & 7) * 10 + (mode & 7)) +
               (info.st_uid == 65534 ? "~" : "");
  }
  return listing;
}

// The file at the end of a path's links is replaced only where its permission bits let this
// process write, as for a user without root's powers; links stay links. A name that is not UTF-8
// cannot be made: Qt would spell it otherwise.
TEST(ReplaceFile, WritesTheFileAtTheEndOfTheLinksIfItsModeAllows) {
  const std::string longName(255, 'n');
  const std::tuple<std::string, std::string, ReplaceStatus, std::string> rows[] = {
      {"x", "", ReplaceStatus::Replaced, "x=new@644"},
      {"x", "x=old@444", ReplaceStatus::Refused, "x=old@444"},
      {"x", "x=old@664~", ReplaceStatus::Refused, "x=old@664~"},
      {"x", "x=old@606~", ReplaceStatus::Replaced, "x=new@606"},
      {"x", "t=old@600 x>t", ReplaceStatus::Replaced, "t=new@600 x>t"},
      {"x", "t=old@444 x>t", ReplaceStatus::Refused, "t=old@444 x>t"},
      {"x", "x>t", ReplaceStatus::Replaced, "t=new@644 x>t"},
      {"x", "t=old@640 y>t x>y", ReplaceStatus::Replaced, "t=new@640 x>y y>t"},
      {"x", "x>x", ReplaceStatus::CannotCreate, "x>x"},
      {"x", "d/ x>d", ReplaceStatus::Refused, "d/ x>d"},
      {"x", "x/", ReplaceStatus::Refused, "x/"},
      {longName, "", ReplaceStatus::Replaced, longName + "=new@644"},
      {"\xb3\xc9\xbc\xa8 \xff", "", ReplaceStatus::CannotCreate, ""},
      {"x", "t=old@644 x>\xff", ReplaceStatus::CannotCreate, "t=old@644 x>\xff"},
      {"\xe6\x88\x90\xe7\xbb\xa9", "", ReplaceStatus::Replaced, "\xe6\x88\x90\xe7\xbb\xa9=new@644"},
  };
  const mode_t umask = ::umask(022);
  for (const auto& [path, before, status, after] : rows) {
    if (before.find('~') != std::string::npos && ::geteuid() != 0) continue;
    TempDir dir;
    std::istringstream items(before);
    for (std::string item; items >> item;) {
      const std::size_t end = item.find_first_of("=>/"), at = item.find('@');
      const std::string name = dir.Path(item.substr(0, end)), rest = item.substr(end + 1);
      if (item[end] == '/') fs::create_directory(name);
      if (item[end] == '>') fs::create_symlink(rest, name);
      if (item[end] != '=') continue;
      testing::WriteBytes(name, item.substr(end + 1, at - end - 1));
      ::chmod(name.c_str(), std::stoi(item.substr(at + 1), nullptr, 8));
      if (item.back() == '~') ::chown(name.c_str(), 65534, 65534);
    }
    EXPECT_EQ(ReplaceFile(dir.Path(path), "new"), status) << before;
    EXPECT_EQ(Listing(dir), after) << before;
  }
  ::umask(umask);
}

TEST(ReplaceFileWith, FailureAtEveryByteLeavesOldFileIntact) {
  TempDir dir;
  testing::WriteBytes(dir.Path("f"), "old");
  const auto produce = [](const ByteSink& write) { return write("new ") && write("in pieces"); };
  EXPECT_EQ(ReplaceFileWith(dir.Path("f"), produce), ReplaceStatus::Replaced);
  for (std::size_t failAt = 0; failAt < 13; ++failAt) {
    SetWriteFailureAfterBytesForTesting(failAt);
    EXPECT_EQ(ReplaceFileWith(dir.Path("f"), produce), ReplaceStatus::WriteFailed) << failAt;
    SetWriteFailureAfterBytesForTesting(std::nullopt);
  }
  const auto refuse = [](const ByteSink& write) { return !write("written, then refused"); };
  EXPECT_EQ(ReplaceFileWith(dir.Path("f"), refuse), ReplaceStatus::WriteFailed);
  EXPECT_EQ(ReadBytes(dir.Path("f")), "new in pieces");
  EXPECT_EQ(testing::FileNames(dir.Root()), std::vector<std::string>{"f"});
}

// In a child without root's power to write anywhere, so that the directory's mode counts.
TEST(ReplaceFile, ReadOnlyDirectoryCannotCreate) {
  TempDir dir;
  testing::WriteBytes(dir.Path("f"), "old");
  fs::permissions(dir.Path("f"), fs::perms(0666));
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
