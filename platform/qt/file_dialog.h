#pragma once
// The open and save dialogs for course files and course tables (and, to open, transcripts). Paths
// are the file system's own bytes.
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace gradova::platform {

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
  FileDialogKind kind;
  std::string initialPath;  // the proposed name of a save dialog
  // The filter entries, "名称(*.txt)", separated by ";;"; the first is chosen at the start.
  std::string filterGbk;
};

// Test seam: while set, no dialog is shown; the function returns the chosen path, or nothing for
// Cancel.
using FileDialogResponder = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void SetFileDialogResponderForTesting(FileDialogResponder responder);

// An open dialog that also accepts the name of a file that does not exist.
std::optional<std::string> ShowOpenFileDialog(QWidget* owner, const std::string& filterGbk);
// A save dialog that asks before it lets the user choose an existing file.
std::optional<std::string> ShowSaveFileDialog(QWidget* owner, const std::string& initialPath,
                                              const std::string& filterGbk);

}  // namespace gradova::platform
