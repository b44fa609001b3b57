#pragma once
// Stands in for the desktop while a test runs: the default handler, the text/html entry's command
// and the program start answer from the fields below and record what they were asked, so that no
// test ever opens a browser.
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/url_opener.h"

namespace gradova::testing {

class FakeUrlOpener {
 public:
  struct Start {
    std::string program;
    std::vector<std::string> arguments;
  };

  FakeUrlOpener() {
    platform::SetUrlOpenerForTesting(platform::UrlOpener{
        [this](std::string_view address) {
          openedAddresses.emplace_back(address);
          return defaultHandlerOpens;
        },
        [this] {
          ++commandQueries;
          return htmlHandlerCommand;
        },
        [this](const std::string& program, const std::vector<std::string>& arguments) {
          starts.push_back(Start{program, arguments});
          return startSucceeds;
        }});
  }
  ~FakeUrlOpener() { platform::SetUrlOpenerForTesting(std::nullopt); }
  FakeUrlOpener(const FakeUrlOpener&) = delete;
  FakeUrlOpener& operator=(const FakeUrlOpener&) = delete;

  bool defaultHandlerOpens = false;
  std::optional<std::string> htmlHandlerCommand;
  bool startSucceeds = false;

  std::vector<std::string> openedAddresses;
  int commandQueries = 0;
  std::vector<Start> starts;
};

}  // namespace gradova::testing
