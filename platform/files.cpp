#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <memory>

namespace gradova::platform {
namespace {

namespace fs = std::filesystem;

// What a file that grows while it is read is read in.
constexpr std::size_t kPieceBytes = 128 * 1024;

constexpr std::size_t kNoWriteFailure = std::numeric_limits<std::size_t>::max();
std::atomic<std::size_t> g_writeFailureAfter{kNoWriteFailure};

// The file at `path` opened to read, or -1 when it is not one to read: not blocking on open, so
// that a FIFO put in a file's place cannot stall the program; only a regular file, so that a device
// such as /dev/zero cannot go on without end; none larger than physical memory, which could never
// be held.
int OpenToRead(const std::string& path, std::size_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info {};
  const auto memory = static_cast<unsigned long long>(::sysconf(_SC_PHYS_PAGES)) *
                      static_cast<unsigned long long>(::sysconf(_SC_PAGE_SIZE));
  if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
                  static_cast<unsigned long long>(info.st_size) > memory)) {
    ::close(fd);
    return -1;
  }
  size = static_cast<std::size_t>(info.st_size);
  return fd;
}

// Whether a save may replace `file`, which is no link: it is absent, or a regular file whose
// permission bits let this process write it, as for a user without root's power to write any file:
// the owner's bits when the effective user owns it, else the group's when the process is in its
// group, else the others' bits.
bool MayReplace(const QFileInfo& file) {
  if (!file.exists()) return true;
  if (!file.isFile()) return false;
  if (file.ownerId() == ::geteuid()) return file.permission(QFile::WriteOwner);
  const bool inGroup = file.groupId() == ::getegid() || ::group_member(file.groupId()) != 0;
  return file.permission(inGroup ? QFile::WriteGroup : QFile::WriteOther);
}

}  // namespace

bool CanReadFile(const std::string& path) {
  std::size_t size = 0;
  const int fd = OpenToRead(path, size);
  return fd >= 0 && ::close(fd) == 0;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::size_t size = 0;
  const int fd = OpenToRead(path, size);
  if (fd < 0) return std::nullopt;
  // One byte more than the file, so that its end is seen without growing the buffer; a file that
  // grows while it is read grows it a piece at a time.
  std::string contents(size + 1, '\0');
  std::size_t used = 0;
  ssize_t n = 0;
  do {
    if (used == contents.size()) contents.resize(used + kPieceBytes);
    n = ::read(fd, contents.data() + used, contents.size() - used);
    if (n > 0) used += static_cast<std::size_t>(n);
  } while (n > 0 || (n < 0 && errno == EINTR));
  ::close(fd);
  if (n < 0) return std::nullopt;
  contents.resize(used);
  return contents;
}

bool PathExists(const std::string& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() != fs::file_type::not_found;
}

ReplaceStatus ReplaceFileWith(const std::string& path,
                              const std::function<bool(const ByteSink& write)>& produce) {
  // QSaveFile follows links too, but would replace the link itself at the end of a loop of links.
  QFileInfo target(QFile::decodeName(QByteArray::fromStdString(path)));
  for (int link = 0; link < 40 && target.isSymLink(); ++link) {
    target.setFile(target.symLinkTarget());
  }
  // Qt names files in UTF-8 and cannot spell other bytes, in the path or in a link: it would write
  // another file.
  if (target.isSymLink() || target.filePath().contains(QChar::ReplacementCharacter)) {
    return ReplaceStatus::CannotCreate;
  }
  if (!MayReplace(target)) return ReplaceStatus::Refused;
  QSaveFile file(target.filePath());
  if (!file.open(QIODevice::WriteOnly)) return ReplaceStatus::CannotCreate;
  std::size_t budget = g_writeFailureAfter.load();
  bool written = true;
  const bool produced = produce([&](std::string_view bytes) {
    const std::size_t allowed = std::min(bytes.size(), budget);
    budget -= allowed;
    const auto size = static_cast<qint64>(allowed);
    written = written && file.write(bytes.data(), size) == size && allowed == bytes.size();
    return written;
  });
  // Unless committed, QSaveFile removes the new contents when it goes.
  return produced && written && file.commit() ? ReplaceStatus::Replaced
                                              : ReplaceStatus::WriteFailed;
}

ReplaceStatus ReplaceFile(const std::string& path, std::string_view bytes) {
  return ReplaceFileWith(path, [bytes](const ByteSink& write) { return write(bytes); });
}

void SetWriteFailureAfterBytesForTesting(std::optional<std::size_t> bytes) {
  g_writeFailureAfter.store(bytes.value_or(kNoWriteFailure));
}

}  // namespace gradova::platform
