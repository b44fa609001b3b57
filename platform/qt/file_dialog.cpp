#include "platform/qt/file_dialog.h"

#include <QFile>
#include <QFileDialog>

#include "platform/qt/gbk_text.h"

namespace gradova::platform {
namespace {

FileDialogResponder& Responder() {
  static FileDialogResponder responder;
  return responder;
}

// The toolkit's file dialog asks before it lets the user choose an existing file to save to, and
// takes the name of a file that does not exist to open.
std::optional<std::string> Show(QWidget* owner, const FileDialogRequest& request) {
  if (Responder()) return Responder()(request);
  QFileDialog dialog(owner);
  const bool open = request.kind == FileDialogKind::Open;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setNameFilter(FromGbk(request.filterGbk));
  if (!request.initialPath.empty())
    dialog.selectFile(QFile::decodeName(request.initialPath.c_str()));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace

void SetFileDialogResponderForTesting(FileDialogResponder responder) {
  Responder() = std::move(responder);
}

std::optional<std::string> ShowOpenFileDialog(QWidget* owner, const std::string& filterGbk) {
  return Show(owner, {FileDialogKind::Open, {}, filterGbk});
}

std::optional<std::string> ShowSaveFileDialog(QWidget* owner, const std::string& initialPath,
                                              const std::string& filterGbk) {
  return Show(owner, {FileDialogKind::Save, initialPath, filterGbk});
}

}  // namespace gradova::platform
