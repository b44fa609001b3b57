#pragma once
// The two message boxes of the program: the framework's (an OK button, the exclamation icon and
// the application title as caption) and the window's own question (Yes, No, Cancel).
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QMessageBox;
class QWidget;

namespace gradova::platform {

inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

enum class MessageBoxKind { Notice, Question };

struct MessageBoxRequest {
  MessageBoxKind kind;
  std::string textGbk;
  std::string captionGbk;
  // The window the box is centred over: the nearest shown window among the owner and the
  // owner's own owners, or none (the screen) when none is shown. A dialog that speaks while it
  // initialises is not shown yet; its box then goes over the window that opened it.
  QWidget* owner = nullptr;
};

// The box a request shows, with its icon and buttons, not yet shown.
std::unique_ptr<QMessageBox> MakeMessageBox(const MessageBoxRequest& request);

// Test seam: while set, boxes are not shown; the function gets each request and returns the
// answer (kIdOk, kIdYes, kIdNo or kIdCancel).
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxResponderForTesting(MessageBoxResponder responder);

// The caption of every notice box.
void SetApplicationTitle(std::string_view titleGbk);

// A notice with an OK button; returns kIdOk.
int AfxMessageBox(std::string_view textGbk, QWidget* owner = nullptr);

// A question with Yes, No and Cancel and the question icon; returns kIdYes, kIdNo or kIdCancel
// (closing the box is Cancel).
int AskYesNoCancel(QWidget* owner, std::string_view textGbk, std::string_view captionGbk);

}  // namespace gradova::platform
