#pragma once
// The two message boxes of the program: the framework's (an OK button, the exclamation icon and
// the application title as caption) and the window's own question (Yes, No, Cancel).
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace gradova::platform {

inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

enum class MessageBoxKind { Notice, Question };

struct MessageBoxRequest {
  MessageBoxKind kind;
  std::string textGbk;
  std::string captionGbk;
};

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
