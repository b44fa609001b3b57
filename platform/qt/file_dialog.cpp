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

// The last extension of a filter entry: "txt" of "名称(*.txt)".
QString SuffixOf(const QString& filter) {
  return filter.mid(filter.lastIndexOf(QStringLiteral("*.")) + 2).chopped(1);
}

// The toolkit's file dialog asks before it lets the user choose an existing file to save to, and
// takes the name of a file that does not exist to open. A name saved without an extension takes
// that of the chosen type, which starts as the proposed name's.
std::optional<std::string> Show(QWidget* owner, const FileDialogRequest& request) {
  if (Responder()) return Responder()(request);
  QFileDialog dialog(owner);
  const bool open = request.kind == FileDialogKind::Open;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setNameFilter(FromGbk(request.filterGbk));
  const QString initial = QFile::decodeName(request.initialPath.c_str());
  if (!open) {
    for (const QString& filter : dialog.nameFilters()) {
      if (initial.endsWith('.' + SuffixOf(filter))) dialog.selectNameFilter(filter);
    }
    dialog.setDefaultSuffix(SuffixOf(dialog.selectedNameFilter()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
  }
  if (!initial.isEmpty()) dialog.selectFile(initial);
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
