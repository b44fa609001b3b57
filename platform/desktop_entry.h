#pragma once
// The desktop's application entries (".desktop" files): where they are kept and the command one
// of them runs. The hyperlink reads the entry of the text/html handler when the default handler
// fails. Paths and texts are the file system's own bytes (UTF-8 on every desktop we know).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradova::platform {

// The "applications" folders in the order an entry is looked up, from the values of
// XDG_DATA_HOME, XDG_DATA_DIRS and HOME (empty when unset): the data home first, by default
// "<home>/.local/share", then every data folder, by default "/usr/local/share" and "/usr/share".
// Relative paths are ignored, as the base directory rules ask; without an absolute data home or
// home there is no data home folder.
std::vector<std::string> ApplicationDirectories(std::string_view xdgDataHome,
                                                std::string_view xdgDataDirs,
                                                std::string_view home);

// Whether `id` can name an entry file directly inside a folder: it ends with ".desktop", has a
// name before that, and holds no "/" or NUL, so it can never reach outside the folder.
bool IsDesktopFileId(std::string_view id);

// The value of the Exec key of the [Desktop Entry] group of a file's `contents`, with the string
// escapes ("\s", "\n", "\t", "\r", "\\") undone and blanks after "=" dropped; the quoting escapes
// are left for the command to be split by. Nothing when the group or the key is missing.
std::optional<std::string> DesktopEntryExec(std::string_view contents);

// The Exec value of the entry `id` in the first of `directories` that holds a readable file of
// that name; later folders are not looked at even when that file has no Exec key. Nothing when
// `id` is not a plain file id, no folder holds it, or it has no Exec key.
std::optional<std::string> FindDesktopEntryExec(std::string_view id,
                                                const std::vector<std::string>& directories);

}  // namespace gradova::platform
