#include "platform/qt/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/dialog.h"
#include "platform/qt/gbk_text.h"

namespace gradova::platform {
namespace {

MessageBoxResponder& Responder() {
  static MessageBoxResponder responder;
  return responder;
}

std::string& ApplicationTitle() {
  static std::string title = "Gradova";
  return title;
}

}  // namespace

void SetMessageBoxResponderForTesting(MessageBoxResponder responder) {
  Responder() = std::move(responder);
}

void SetApplicationTitle(std::string_view titleGbk) { ApplicationTitle() = titleGbk; }

int AfxMessageBox(std::string_view textGbk, QWidget* owner) {
  const MessageBoxRequest request{MessageBoxKind::Notice, std::string(textGbk), ApplicationTitle()};
  if (Responder()) return Responder()(request);
  QMessageBox box(QMessageBox::Warning, FromGbk(request.captionGbk), FromGbk(request.textGbk),
                  QMessageBox::Ok, owner ? owner : QApplication::activeWindow());
  box.exec();
  return kIdOk;
}

int AskYesNoCancel(QWidget* owner, std::string_view textGbk, std::string_view captionGbk) {
  const MessageBoxRequest request{MessageBoxKind::Question, std::string(textGbk),
                                  std::string(captionGbk)};
  if (Responder()) return Responder()(request);
  QMessageBox box(QMessageBox::Question, FromGbk(request.captionGbk), FromGbk(request.textGbk),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return kIdYes;
    case QMessageBox::No:
      return kIdNo;
    default:
      return kIdCancel;
  }
}

}  // namespace gradova::platform
