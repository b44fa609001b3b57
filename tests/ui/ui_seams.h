#pragma once
// Answers the message boxes, file dialogs and the hyperlink's ways out from scripts and records
// what was asked. Unscripted, a box gets OK (Cancel for a question), a file dialog is cancelled
// and the desktop's default handler fails as on a desktop without a browser: no test ever blocks,
// and none opens a browser or starts a program.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/browser_command.h"
#include "platform/gbk.h"
#include "platform/qt/dialog.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/url_opener.h"

namespace gradova::testing {

// The desktop's default handler, its browser's command line and the start of a program answer
// from these fields and record what they were given.
struct FakeUrlOpener {
  FakeUrlOpener() {
    platform::SetUrlOpenerForTesting(platform::UrlOpener{
        [this](const std::string& url) {
          openedAddresses.push_back(url);
          return defaultHandlerOpens ? platform::kOpenedCode : platform::kNoAssociationCode;
        },
        [this] { return browserCommandLine; },
        [this](const std::vector<std::string>& words) {
          starts.push_back(words);
          return startCode;
        }});
  }
  ~FakeUrlOpener() { platform::SetUrlOpenerForTesting(std::nullopt); }

  bool defaultHandlerOpens = false;
  std::optional<std::string> browserCommandLine;
  int startCode = platform::kOpenedCode;
  std::vector<std::string> openedAddresses;  // the URLs the default handler was given
  std::vector<std::vector<std::string>> starts;
};

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
  FakeUrlOpener urlOpener;
};

}  // namespace gradova::testing
