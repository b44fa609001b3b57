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

std::optional<std::string> Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace

void SetFileDialogResponderForTesting(FileDialogResponder responder) {
  Responder() = std::move(responder);
}

std::optional<std::string> ShowOpenFileDialog(QWidget* owner, const std::string& filterGbk) {
  if (Responder()) return Responder()({FileDialogKind::Open, {}, filterGbk});
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(FromGbk(filterGbk));
  return Run(dialog);
}

std::optional<std::string> ShowSaveFileDialog(QWidget* owner, const std::string& initialPath,
                                              const std::string& filterGbk) {
  if (Responder()) return Responder()({FileDialogKind::Save, initialPath, filterGbk});
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(FromGbk(filterGbk));
  if (!initialPath.empty()) dialog.selectFile(QFile::decodeName(initialPath.c_str()));
  return Run(dialog);
}

}  // namespace gradova::platform
