#include "platform/files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace gradova::platform {
namespace {

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

bool WriteAll(int fd, std::string_view bytes) {
  std::size_t limit = bytes.size();
  const long long failAfter = g_writeFailureAfter.load();
  const bool injectFailure = failAfter >= 0 && static_cast<std::size_t>(failAfter) <= bytes.size();
  if (injectFailure) limit = static_cast<std::size_t>(failAfter);
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

// A large file is read into fresh memory, where faulting in 4 KiB pages one by one costs more than
// the reading itself; huge pages, where the system offers them on request, cut that by a factor.
void AdviseHugePages(char* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  constexpr std::size_t kHugePage = 2 << 20;
  if (size < 2 * kHugePage) return;
  const auto start = (reinterpret_cast<std::uintptr_t>(data) + kHugePage - 1) & ~(kHugePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHugePage - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Not blocking on open, so that a FIFO put in a file's place cannot stall the program; only a
  // regular file is read, so that a device such as /dev/zero cannot fill memory without end.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.Get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  std::string contents;
  if (info.st_size > 0) {
    contents.reserve(static_cast<std::size_t>(info.st_size));
    AdviseHugePages(contents.data(), contents.capacity());
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    contents.append(buffer, static_cast<std::size_t>(n));
  }
  return contents;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

ReplaceStatus ReplaceFile(const std::string& path, std::string_view bytes) {
  const std::string directory = DirectoryOf(path);
  std::string temporary = path + ".XXXXXX";
  FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
  if (file.Get() < 0) return ReplaceStatus::CannotCreate;

  // mkstemp creates the file as 0600. A file that is replaced keeps its permissions (a course
  // file the user made private stays private); a new one gets those of an ordinary new file.
  struct stat old {};
  if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    ::fchmod(file.Get(), old.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(file.Get(), 0666 & ~mask);
  }

  const bool written = WriteAll(file.Get(), bytes) && ::fsync(file.Get()) == 0;
  if (!file.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return ReplaceStatus::WriteFailed;
  }
  SyncDirectory(directory);
  return ReplaceStatus::Replaced;
}

void SetWriteFailureAfterBytesForTesting(std::optional<std::size_t> bytes) {
  g_writeFailureAfter.store(bytes ? static_cast<long long>(*bytes) : -1);
}

}  // namespace gradova::platform
