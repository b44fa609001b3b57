#pragma once
// Whole-file access for Gradova's files (`rules`, course files, the report): the only way bytes
// reach the disk or come from it. Paths are the file system's own bytes, never converted.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace gradova::platform {

// Takes bytes in order; false when they could not be written.
using ByteSink = std::function<bool(std::string_view bytes)>;

// The whole contents of the regular file at `path` (a link to one is followed), read once into a
// buffer of the file's size. Nothing when the file cannot be opened or read, or is anything but a
// regular file (missing, unreadable, a directory, a device, a FIFO), or is larger than the
// machine's physical memory (refused before any byte is read). A FIFO never blocks the open.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether ReadWholeFile would read the file at `path`: it opens, and is a regular file no larger
// than physical memory. Nothing is read.
bool CanReadFile(const std::string& path);

// Whether anything (a file, a directory, a dangling link) is at `path`.
bool PathExists(const std::string& path);

enum class ReplaceStatus {
  Replaced,
  Refused,       // the file is not one to replace (see below); nothing was touched
  CannotCreate,  // no file can be made there (read-only directory, a loop of links, a name that is
                 // not UTF-8, ...)
  WriteFailed,   // producing, writing or committing failed (full disk, ...)
};

// Replaces the file at `path` with the bytes that `produce` hands to the sink it is given, in
// order, through QSaveFile: the new contents go to a temporary file beside it, which is flushed to
// disk and renamed over the file, so that a process killed at any moment leaves the old or the new
// file. When `produce` returns false, or anything fails, the file is left exactly as it was, or
// absent if it was absent, and no temporary file is left.
//
// A symbolic link at `path` stays a link: the file at the end of its chain of links is replaced,
// and a dangling link's target is created. That file is Refused unless it is a regular file whose
// permission bits let this process write it: the owner's bits when the effective user owns it, else
// the group's when the process is in its group, else the others' bits. Root's power to write any
// file is not used, so that a file made read-only (0444) is never replaced, by anyone; access
// control lists are not consulted. The new file keeps the old one's permission bits and belongs to
// the process's user; a new file gets the bits of an ordinary new file. Other hard links to the old
// file keep the old contents. The names are the file system's bytes, which must be UTF-8.
ReplaceStatus ReplaceFileWith(const std::string& path,
                              const std::function<bool(const ByteSink& write)>& produce);
// ReplaceFileWith for bytes already in memory.
ReplaceStatus ReplaceFile(const std::string& path, std::string_view bytes);

// Test seam: while set, the writes of the new contents fail after this many bytes in all, as on a
// full disk. Reset with std::nullopt.
void SetWriteFailureAfterBytesForTesting(std::optional<std::size_t> bytes);

}  // namespace gradova::platform
