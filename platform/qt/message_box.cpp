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

QWidget* ShownOwner(QWidget* owner) {
  for (QWidget* window = owner ? owner->window() : nullptr; window;
       window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
    if (window->isVisible()) return window;
  }
  return nullptr;
}

int Show(const MessageBoxRequest& request) {
  if (Responder()) return Responder()(request);
  const int button = MakeMessageBox(request)->exec();
  if (request.kind == MessageBoxKind::Notice) return kIdOk;
  return button == QMessageBox::Yes ? kIdYes : button == QMessageBox::No ? kIdNo : kIdCancel;
}

}  // namespace

void SetMessageBoxResponderForTesting(MessageBoxResponder responder) {
  Responder() = std::move(responder);
}

void SetApplicationTitle(std::string_view titleGbk) { ApplicationTitle() = titleGbk; }

std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& request) {
  const bool question = request.kind == MessageBoxKind::Question;
  auto box = std::make_unique<QMessageBox>(
      question ? QMessageBox::Question : QMessageBox::Warning, FromGbk(request.captionGbk),
      FromGbk(request.textGbk),
      question ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel : QMessageBox::Ok,
      request.owner);
  if (question) box->setEscapeButton(QMessageBox::Cancel);
  return box;
}

int AfxMessageBox(std::string_view textGbk, QWidget* owner) {
  return Show({MessageBoxKind::Notice, std::string(textGbk), ApplicationTitle(),
               ShownOwner(owner ? owner : QApplication::activeWindow())});
}

int AskYesNoCancel(QWidget* owner, std::string_view textGbk, std::string_view captionGbk) {
  return Show(
      {MessageBoxKind::Question, std::string(textGbk), std::string(captionGbk), ShownOwner(owner)});
}

}  // namespace gradova::platform
