#include "platform/qt/url_opener.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

struct UrlRow {
  const char* label;
  std::string address;
  std::optional<std::string> url;
};

class DefaultHandlerUrls : public ::testing::TestWithParam<UrlRow> {};

TEST_P(DefaultHandlerUrls, AlwaysCarryAScheme) {
  EXPECT_EQ(DefaultHandlerUrl(GetParam().address), GetParam().url);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, DefaultHandlerUrls,
    ::testing::Values(
        UrlRow{"BareHostIsAWebAddress", "gradova.example.org", "http://gradova.example.org"},
        UrlRow{"FullUrlUnchanged", "https://gradova.example.org/", "https://gradova.example.org/"},
        UrlRow{"Empty", "", std::nullopt}, UrlRow{"OptionLike", "--kiosk", std::nullopt},
        UrlRow{"Blank", "a b", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(UrlOpenerSeam, EmptyFunctionsAnswerAsFailures) {
  SetUrlOpenerForTesting(UrlOpener{});
  EXPECT_FALSE(OpenUrlWithDefaultHandler("https://gradova.example.org/"));
  EXPECT_EQ(QueryHtmlHandlerCommand(), std::nullopt);
  EXPECT_FALSE(StartDetached("true", {}));
  SetUrlOpenerForTesting(std::nullopt);
}

TEST(UrlOpenerStart, AProgramThatDoesNotExistIsReported) {
  testing::TempDir dir;
  EXPECT_FALSE(StartDetached(dir.Path("no-such-browser"), {"https://gradova.example.org/"}));
}

// A stand-in xdg-mime on PATH and an application folder of our own, both in a fresh directory;
// the environment is put back afterwards.
class HtmlHandlerQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    Save("PATH");
    Save("XDG_DATA_HOME");
    Save("XDG_DATA_DIRS");
    std::filesystem::create_directories(m_dir.Path("bin"));
    std::filesystem::create_directories(m_dir.Path("data/applications"));
    ::setenv("PATH", m_dir.Path("bin").c_str(), 1);
    ::setenv("XDG_DATA_HOME", m_dir.Path("data").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", m_dir.Path("none").c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : m_saved) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }
  void Save(const std::string& name) {
    const char* value = ::getenv(name.c_str());
    m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
  }
  void XdgMime(const std::string& script) {
    const std::string path = m_dir.Path("bin/xdg-mime");
    testing::WriteBytes(path, "#!/bin/sh\n" + script + "\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  }
  void Entry(const std::string& name, const std::string& contents) {
    testing::WriteBytes(m_dir.Path("data/applications/" + name), contents);
  }

  testing::TempDir m_dir;
  std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST_F(HtmlHandlerQuery, ReadsTheExecOfTheNamedEntry) {
  XdgMime("[ \"$*\" = 'query default text/html' ] && echo web.desktop");
  Entry("web.desktop", "[Desktop Entry]\nExec=web --new %u\n");
  EXPECT_EQ(QueryHtmlHandlerCommand(), "web --new %u");
}

TEST_F(HtmlHandlerQuery, NoXdgMime) {
  Entry("web.desktop", "[Desktop Entry]\nExec=web %u\n");
  EXPECT_EQ(QueryHtmlHandlerCommand(), std::nullopt);
}

TEST_F(HtmlHandlerQuery, XdgMimeFails) {
  XdgMime("echo web.desktop; exit 3");
  Entry("web.desktop", "[Desktop Entry]\nExec=web %u\n");
  EXPECT_EQ(QueryHtmlHandlerCommand(), std::nullopt);
}

TEST_F(HtmlHandlerQuery, NoDefaultNamed) {
  XdgMime("exit 0");
  EXPECT_EQ(QueryHtmlHandlerCommand(), std::nullopt);
}

TEST_F(HtmlHandlerQuery, NamedEntryMissing) {
  XdgMime("echo gone.desktop");
  EXPECT_EQ(QueryHtmlHandlerCommand(), std::nullopt);
}

TEST_F(HtmlHandlerQuery, NamedEntryOutsideTheFolders) {
  XdgMime("echo ../outside.desktop");
  Entry("../outside.desktop", "[Desktop Entry]\nExec=outside %u\n");
  EXPECT_EQ(QueryHtmlHandlerCommand(), std::nullopt);
}

}  // namespace
}  // namespace gradova::platform
