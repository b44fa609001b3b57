#include "platform/qt/url_opener.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <utility>

#include "platform/browser_command.h"
#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

TEST(RealDesktop, WithoutAHandlerForWebAddressesTheBrowserCommandIsTheHtmlHandlers) {
  // No seam here. GIO reads the desktop once, at its first use here: a text/html handler only.
  testing::TempDir dir;
  std::filesystem::create_directories(dir.Path("applications"));
  testing::WriteBytes(dir.Path("applications/web.desktop"),
                      "[Desktop Entry]\nType=Application\nName=Web\nExec=true --new %u\n");
  testing::WriteBytes(dir.Path("mimeapps.list"), "[Default Applications]\ntext/html=web.desktop\n");
  for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
    ::setenv(name, dir.Root().c_str(), 1);
  // Also proves that GIO reads this desktop, so that the open below cannot reach a real browser.
  ASSERT_EQ(BrowserCommandLine(), "true --new %u");
  EXPECT_EQ(OpenWithDefaultHandler("gradova.example.org"), kNoAssociationCode);
}

TEST(RealStart, AnswersWithTheCodeOfWhatHappened) {
  const std::pair<const char*, int> kStarts[] = {
      {"true --new", kOpenedCode},
      {"gradova-no-such-browser", kFileNotFoundCode},
      {"/etc/passwd/browser", 3},  // the path was not found
      {"/etc/passwd", 5},          // access denied: not a program
  };
  for (const auto& [line, code] : kStarts)
    EXPECT_EQ(StartCommandLine(line, "https://gradova.example.org/"), code) << line;
}

}  // namespace
}  // namespace gradova::platform
