#pragma once
// Answers the message boxes and file dialogs that the code under test opens, from scripts, and
// records what was asked. An unscripted box is answered OK (or Cancel for a question) and an
// unscripted file dialog is cancelled, so that a test never blocks.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/gbk.h"
#include "platform/qt/dialog.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "url_opener_fake.h"

namespace gradova::testing {

class UiSeams {
 public:
  UiSeams() {
    platform::SetMessageBoxResponderForTesting([this](const platform::MessageBoxRequest& request) {
      boxes.push_back(request);
      if (boxAnswers.empty()) {
        return request.kind == platform::MessageBoxKind::Question ? platform::kIdCancel
                                                                  : platform::kIdOk;
      }
      const int answer = boxAnswers.front();
      boxAnswers.pop_front();
      return answer;
    });
    platform::SetFileDialogResponderForTesting([this](const platform::FileDialogRequest& request) {
      fileDialogs.push_back(request);
      if (fileAnswers.empty()) return std::optional<std::string>();
      const std::optional<std::string> answer = fileAnswers.front();
      fileAnswers.pop_front();
      return answer;
    });
  }
  ~UiSeams() {
    platform::SetMessageBoxResponderForTesting(nullptr);
    platform::SetFileDialogResponderForTesting(nullptr);
  }
  UiSeams(const UiSeams&) = delete;
  UiSeams& operator=(const UiSeams&) = delete;

  // The texts of the boxes shown so far, in UTF-8.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(platform::GbkToUtf8(box.textGbk));
    return texts;
  }

  std::vector<platform::MessageBoxRequest> boxes;
  std::deque<int> boxAnswers;
  std::vector<platform::FileDialogRequest> fileDialogs;
  std::deque<std::optional<std::string>> fileAnswers;
  // No test starts a real browser.
  FakeUrlOpener urlOpener;
};

}  // namespace gradova::testing
