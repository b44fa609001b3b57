#pragma once
// Stands in for the desktop's default handler, its browser's command line and the start of a
// program: they answer from the fields below and record what they were given. No browser opens.
#include "platform/browser_command.h"
#include "platform/qt/url_opener.h"

namespace gradova::testing {

class FakeUrlOpener {
 public:
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

  bool defaultHandlerOpens = false;  // else it fails as on a desktop without a browser
  std::optional<std::string> browserCommandLine;
  int startCode = platform::kOpenedCode;
  std::vector<std::string> openedAddresses;  // the URLs the default handler was given
  std::vector<std::vector<std::string>> starts;
};

}  // namespace gradova::testing
