#include "platform/desktop_entry.h"

#include <algorithm>

#include "platform/files.h"

namespace gradova::platform {
namespace {

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string UndoStringEscapes(std::string_view value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 >= value.size()) {
      text += value[i];
      continue;
    }
    switch (value[i + 1]) {
      case 's':
        text += ' ';
        break;
      case 'n':
        text += '\n';
        break;
      case 't':
        text += '\t';
        break;
      case 'r':
        text += '\r';
        break;
      case '\\':
        text += '\\';
        break;
      default:
        // Not a string escape: the backslash belongs to the command's own quoting.
        text += '\\';
        continue;
    }
    ++i;
  }
  return text;
}

}  // namespace

std::vector<std::string> ApplicationDirectories(std::string_view xdgDataHome,
                                                std::string_view xdgDataDirs,
                                                std::string_view home) {
  std::vector<std::string> directories;
  if (IsAbsolute(xdgDataHome)) {
    directories.push_back(std::string(xdgDataHome) + "/applications");
  } else if (IsAbsolute(home)) {
    directories.push_back(std::string(home) + "/.local/share/applications");
  }
  const std::string_view dataDirs =
      xdgDataDirs.empty() ? "/usr/local/share:/usr/share" : xdgDataDirs;
  std::size_t start = 0;
  while (start <= dataDirs.size()) {
    std::size_t end = dataDirs.find(':', start);
    if (end == std::string_view::npos) end = dataDirs.size();
    const std::string_view dir = dataDirs.substr(start, end - start);
    if (IsAbsolute(dir)) directories.push_back(std::string(dir) + "/applications");
    start = end + 1;
  }
  return directories;
}

bool IsDesktopFileId(std::string_view id) {
  constexpr std::string_view kSuffix = ".desktop";
  return id.size() > kSuffix.size() && id.substr(id.size() - kSuffix.size()) == kSuffix &&
         id.find('/') == std::string_view::npos && id.find('\0') == std::string_view::npos;
}

std::optional<std::string> DesktopEntryExec(std::string_view contents) {
  bool inEntryGroup = false;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    if (end == std::string_view::npos) end = contents.size();
    std::string_view line = contents.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      inEntryGroup = line == "[Desktop Entry]";
      continue;
    }
    if (!inEntryGroup) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (TrimBlanks(line.substr(0, equals)) != "Exec") continue;
    std::string_view value = line.substr(equals + 1);
    value.remove_prefix(std::min(value.size(), value.find_first_not_of(" \t")));
    return UndoStringEscapes(value);
  }
  return std::nullopt;
}

std::optional<std::string> FindDesktopEntryExec(std::string_view id,
                                                const std::vector<std::string>& directories) {
  if (!IsDesktopFileId(id)) return std::nullopt;
  for (const std::string& directory : directories) {
    const std::optional<std::string> contents = ReadWholeFile(directory + "/" + std::string(id));
    if (contents) return DesktopEntryExec(*contents);
  }
  return std::nullopt;
}

}  // namespace gradova::platform
