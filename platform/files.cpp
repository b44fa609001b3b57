#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace gradova::platform {
namespace {

namespace fs = std::filesystem;

// Pieces that stay in the processor's cache while they are read and then scanned.
constexpr std::size_t kPieceBytes = 128 * 1024;

std::atomic<long long> g_writeFailureAfter{-1};
std::atomic<bool> g_namedTemporaryFiles{false};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }

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

// The file that a save to `path` replaces: the end of its chain of links.
struct Target {
  std::string path;
  std::optional<struct stat> info;  // nothing when no file is there yet
  bool found = true;                // false when the chain cannot be followed (a loop, no access)
};

Target FindTarget(const std::string& path) {
  constexpr int kMaxLinks = 40;  // as the kernel's own limit
  Target target{path, std::nullopt};
  for (int link = 0; link <= kMaxLinks; ++link) {
    struct stat info {};
    if (::lstat(target.path.c_str(), &info) != 0) {
      target.found = errno == ENOENT;
      return target;
    }
    if (!S_ISLNK(info.st_mode)) {
      target.info = info;
      return target;
    }
    std::error_code error;
    const fs::path next = fs::read_symlink(target.path, error);
    if (error) break;
    // A relative link names a file beside the link; operator/ keeps an absolute one as it is.
    target.path = (fs::path(target.path).parent_path() / next).string();
  }
  target.found = false;
  return target;
}

bool InGroup(gid_t group) {
  if (group == ::getegid()) return true;
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
  groups.resize(static_cast<std::size_t>(
      std::max(::getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
  return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// The permission bits that apply to this process, as for a user without root's powers.
bool MayWrite(const struct stat& info) {
  if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) != 0;
  if (InGroup(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
  return (info.st_mode & S_IWOTH) != 0;
}

// The temporary file is made as 0600, owned by the process. A file that is replaced keeps its
// permissions (a course file the user made private stays private) and, where allowed, its owner
// and group; a new one gets the permissions of an ordinary new file.
void SetOwnerAndMode(int fd, const std::optional<struct stat>& old) {
  if (!old) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    return;
  }
  // Before the mode: a change of owner clears the set-user-ID and set-group-ID bits.
  if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
    ::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
  }
  ::fchmod(fd, old->st_mode & 07777);
}

// A file larger than this could never be held, and reading it would only end in exhausted memory.
unsigned long long PhysicalMemoryBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return ~0ULL;
  return static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(pageSize);
}

// The new contents until they replace the file: unnamed where the file system allows, so that a
// process that dies leaves nothing behind; else, and for the rename at the end, under a short
// hidden name beside the file, which is removed when the replace fails.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& directory) : m_directory(directory) {
    // An unnamed file can be given a name later only through /proc: linkat with AT_EMPTY_PATH
    // needs a capability that a user does not have.
    if (!g_namedTemporaryFiles && ::access("/proc/self/fd", F_OK) == 0) {
      m_fd = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
      if (m_fd >= 0) return;
    }
    // Where the file system has no O_TMPFILE (EOPNOTSUPP, EISDIR, EINVAL), and where it failed
    // for any other reason, which this attempt then meets as well.
    m_name = directory + kHiddenPrefix + "XXXXXX";
    m_fd = ::mkostemp(m_name.data(), O_CLOEXEC);
    if (m_fd < 0) m_name.clear();
  }
  ~TemporaryFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_name.empty()) ::unlink(m_name.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  int Get() const { return m_fd; }

  // Names the file if it has no name yet, closes it and renames it to `path`.
  bool RenameTo(const std::string& path) {
    if (m_name.empty() && !GiveName()) return false;
    if (::close(std::exchange(m_fd, -1)) != 0 || ::rename(m_name.c_str(), path.c_str()) != 0) {
      return false;
    }
    m_name.clear();
    return true;
  }

 private:
  static constexpr char kHiddenPrefix[] = "/.gradova-";

  // Links the unnamed file into its directory under a hidden name that is not taken yet.
  bool GiveName() {
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = m_directory + kHiddenPrefix;
      for (int i = 0; i < 6; ++i) name += kNameCharacters[random() % (sizeof kNameCharacters - 1)];
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        m_name = std::move(name);
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  static constexpr char kNameCharacters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::string m_directory;
  std::string m_name;  // empty while the file has no name
  int m_fd = -1;
};

// The file at `path` opened for ReadFilePieces, with its size; no descriptor when it is not one to
// read.
std::pair<FileDescriptor, std::size_t> OpenToRead(const std::string& path) {
  // Not blocking on open, so that a FIFO put in a file's place cannot stall the program; only a
  // regular file is read, so that a device such as /dev/zero cannot go on without end.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<unsigned long long>(info.st_size) > PhysicalMemoryBytes()) {
    return {FileDescriptor(-1), 0};
  }
  return {std::move(file), static_cast<std::size_t>(info.st_size)};
}

}  // namespace

bool CanReadFile(const std::string& path) { return OpenToRead(path).first.Get() >= 0; }

bool ReadFilePieces(const std::string& path, const ByteSink& onPiece) {
  const auto [file, fileSize] = OpenToRead(path);
  if (file.Get() < 0) return false;
  // Sized to the file, up to a piece, and left uninitialised: the reads fill it.
  const std::size_t size = std::clamp(fileSize + 1, std::size_t{4096}, kPieceBytes);
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
  const Target target = FindTarget(path);
  if (!target.found) return ReplaceStatus::CannotCreate;
  if (target.info && (!S_ISREG(target.info->st_mode) || !MayWrite(*target.info))) {
    return ReplaceStatus::Refused;
  }
  const std::string directory = DirectoryOf(target.path);
  TemporaryFile file(directory);
  if (file.Get() < 0) return ReplaceStatus::CannotCreate;
  SetOwnerAndMode(file.Get(), target.info);

  long long budget = g_writeFailureAfter.load();
  bool written = true;
  const bool produced = produce([&](std::string_view bytes) {
    written = written && WriteAll(file.Get(), bytes, budget);
    return written;
  });
  if (!written || !produced || ::fsync(file.Get()) != 0 || !file.RenameTo(target.path)) {
    return ReplaceStatus::WriteFailed;
  }
  SyncDirectory(directory);
  return ReplaceStatus::Replaced;
}

ReplaceStatus ReplaceFile(const std::string& path, std::string_view bytes) {
  return ReplaceFileWith(path, [bytes](const ByteSink& write) { return write(bytes); });
}

void SetWriteFailureAfterBytesForTesting(std::optional<std::size_t> bytes) {
  g_writeFailureAfter.store(bytes ? static_cast<long long>(*bytes) : -1);
}

void SetNamedTemporaryFilesForTesting(bool named) { g_namedTemporaryFiles.store(named); }

}  // namespace gradova::platform
