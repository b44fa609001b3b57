#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <memory>

namespace gradova::platform {
namespace {

constexpr std::size_t kPieceBytes = 1 << 20;

std::atomic<long long> g_writeFailureAfter{-1};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

// Writes everything to `fd`, counting against the test seam's limit in `budget`.
bool WriteAll(int fd, std::string_view bytes, long long& budget) {
  std::size_t limit = bytes.size();
  const bool injectFailure = budget >= 0 && static_cast<std::size_t>(budget) <= bytes.size();
  if (injectFailure) limit = static_cast<std::size_t>(budget);
  if (budget >= 0) budget -= static_cast<long long>(limit);
  std::size_t done = 0;
  while (done < limit) {
    const ssize_t n = ::write(fd, bytes.data() + done, limit - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return !injectFailure;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename itself durable; failure here does not undo a completed rename.
void SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// mkstemp creates the file as 0600. A file that is replaced keeps its permissions (a course file
// the user made private stays private); a new one gets those of an ordinary new file.
void SetModeFor(int fd, const std::string& path) {
  struct stat old {};
  if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(fd, old.st_mode & 07777);
    return;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

// A file larger than this could never be held, and reading it would only end in exhausted memory.
unsigned long long PhysicalMemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return ~0ULL;
  return static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize);
}

}  // namespace

bool ReadFilePieces(const std::string& path, const ByteSink& onPiece) {
  // Not blocking on open, so that a FIFO put in a file's place cannot stall the program; only a
  // regular file is read, so that a device such as /dev/zero cannot go on without end.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return false;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (static_cast<unsigned long long>(info.st_size) > PhysicalMemoryBytes()) return false;
  // Sized to the file, up to a piece, and left uninitialised: the reads fill it.
  const std::size_t size =
      std::clamp(static_cast<std::size_t>(info.st_size) + 1, std::size_t{4096}, kPieceBytes);
  const std::unique_ptr<char[]> buffer(new char[size]);
  for (;;) {
    const ssize_t n = ::read(file.Get(), buffer.get(), size);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (!onPiece(std::string_view(buffer.get(), static_cast<std::size_t>(n)))) return true;
  }
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::string contents;
  if (!ReadFilePieces(path, [&contents](std::string_view piece) {
        contents.append(piece);
        return true;
      })) {
    return std::nullopt;
  }
  return contents;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

ReplaceStatus ReplaceFileWith(const std::string& path,
                              const std::function<bool(const ByteSink& write)>& produce) {
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.Get() < 0) return ReplaceStatus::CannotCreate;
  SetModeFor(file.Get(), path);

  long long budget = g_writeFailureAfter.load();
  bool written = true;
  const bool produced = produce([&](std::string_view bytes) {
    written = written && WriteAll(file.Get(), bytes, budget);
    return written;
  });
  written = written && produced && ::fsync(file.Get()) == 0;
  if (!file.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return ReplaceStatus::WriteFailed;
  }
  SyncDirectory(DirectoryOf(path));
  return ReplaceStatus::Replaced;
}

ReplaceStatus ReplaceFile(const std::string& path, std::string_view bytes) {
  return ReplaceFileWith(path, [bytes](const ByteSink& write) { return write(bytes); });
}

void SetWriteFailureAfterBytesForTesting(std::optional<std::size_t> bytes) {
  g_writeFailureAfter.store(bytes ? static_cast<long long>(*bytes) : -1);
}

}  // namespace gradova::platform
