#pragma once
// Whole-file access for Gradova's files (`rules`, course files, the report): the only way bytes
// reach the disk or come from it. Paths are the file system's own bytes, never converted.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gradova::platform {

// Takes bytes in order; false to stop (when reading) or when they could not be written.
using ByteSink = std::function<bool(std::string_view bytes)>;

// Hands the contents of the regular file at `path` (a link to one is followed) to `onPiece` in
// order, a piece of at most 1 MiB at a time, until the end or until `onPiece` returns false.
// False when the file cannot be opened or read, or is anything but a regular file (missing,
// unreadable, a directory, a device, a FIFO), or is larger than the machine's physical memory
// (refused before any byte is read): the pieces handed over before a read error are then the
// caller's to drop. A FIFO never blocks the open.
bool ReadFilePieces(const std::string& path, const ByteSink& onPiece);

// The whole contents of the regular file at `path`, or nothing, as ReadFilePieces.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether anything (a file, a directory, a dangling link) is at `path`.
bool PathExists(const std::string& path);

enum class ReplaceStatus {
  Replaced,
  CannotCreate,  // no temporary file could be made beside `path` (read-only directory, ...)
  WriteFailed,   // producing, writing, flushing or renaming failed (full disk, a directory, ...)
};

// Replaces the file at `path` atomically with the bytes that `produce` hands to the sink it is
// given, in order: they go to a temporary file in the same directory, which is flushed to disk
// and then renamed over `path`. When `produce` returns false, or anything fails, the temporary
// file is removed and `path` is left exactly as it was, or absent if it was absent. A file that is
// replaced keeps its permission bits. A symbolic link at `path` is replaced by a regular file and
// its target is not touched: a link put in place of `rules` or a report can never make the
// program overwrite some other file.
ReplaceStatus ReplaceFileWith(const std::string& path,
                              const std::function<bool(const ByteSink& write)>& produce);
// ReplaceFileWith for bytes already in memory.
ReplaceStatus ReplaceFile(const std::string& path, std::string_view bytes);

// Test seam: while set, the writes of the temporary file fail after this many bytes in all, as on
// a full disk. Reset with std::nullopt.
void SetWriteFailureAfterBytesForTesting(std::optional<std::size_t> bytes);

}  // namespace gradova::platform
