#pragma once
// Answers the message boxes and file dialogs from scripts and records what was asked. Unscripted,
// a box gets OK (Cancel for a question) and a file dialog is cancelled: no test ever blocks.
#include <gtest/gtest.h>

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

struct UiSeams {
  UiSeams() {
    platform::SetMessageBoxResponderForTesting([this](const platform::MessageBoxRequest& box) {
      boxes.push_back(box);
      // Over the window the user sees, or the screen while none is shown.
      EXPECT_TRUE(!box.owner || box.owner->isVisible()) << platform::GbkToUtf8(box.textGbk);
      return Next(boxAnswers, box.kind == platform::MessageBoxKind::Question ? platform::kIdCancel
                                                                             : platform::kIdOk);
    });
    platform::SetFileDialogResponderForTesting([this](const platform::FileDialogRequest& dialog) {
      fileDialogs.push_back(dialog);
      return Next(fileAnswers, std::optional<std::string>());
    });
  }
  ~UiSeams() {
    platform::SetMessageBoxResponderForTesting(nullptr);
    platform::SetFileDialogResponderForTesting(nullptr);
  }
  UiSeams(const UiSeams&) = delete;

  template <typename Answer>
  static Answer Next(std::deque<Answer>& answers, Answer unscripted) {
    const Answer answer = answers.empty() ? unscripted : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
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
  FakeUrlOpener urlOpener;  // no test starts a real browser
};

}  // namespace gradova::testing
