#pragma once
// Whole-file access for Gradova's three files (`rules`, course files, the report). Everything else
// in the program works on bytes; these two calls are the only way bytes reach the disk.
#include <optional>
#include <string>
#include <string_view>

namespace gradova::platform {

// The whole contents of the regular file at `path` (a link to one is followed), or nothing when
// it cannot be opened or read, or is anything else (missing, unreadable, a directory, a device, a
// FIFO). Paths are the file system's own bytes, never converted.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether anything (a file, a directory, a dangling link) is at `path`.
bool PathExists(const std::string& path);

enum class ReplaceStatus {
  Replaced,
  CannotCreate,  // no temporary file could be made beside `path` (read-only directory, ...)
  WriteFailed,   // writing, flushing or renaming failed (full disk, `path` is a directory, ...)
};

// Replaces the file at `path` with `bytes` atomically: the bytes go to a temporary file in the
// same directory, which is flushed to disk and then renamed over `path`. On any failure the
// temporary file is removed and `path` is left exactly as it was, or absent if it was absent.
// A file that is replaced keeps its permission bits. A symbolic link at `path` is replaced by a
// regular file and its target is not touched: a link put in place of `rules` or a report can
// never make the program overwrite some other file.
ReplaceStatus ReplaceFile(const std::string& path, std::string_view bytes);

// Test seam: while set, the write of the temporary file fails after this many bytes, as on a
// full disk. Reset with std::nullopt.
void SetWriteFailureAfterBytesForTesting(std::optional<std::size_t> bytes);

}  // namespace gradova::platform
