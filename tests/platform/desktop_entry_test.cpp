#include "platform/desktop_entry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

auto RowName = [](const auto& info) { return std::string(info.param.label); };

struct DirectoriesRow {
  const char* label;
  std::string dataHome;
  std::string dataDirs;
  std::string home;
  std::vector<std::string> directories;
};

class Directories : public ::testing::TestWithParam<DirectoriesRow> {};

TEST_P(Directories, FollowTheBaseDirectoryRules) {
  EXPECT_EQ(ApplicationDirectories(GetParam().dataHome, GetParam().dataDirs, GetParam().home),
            GetParam().directories);
}

using Dirs = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Environments, Directories,
    ::testing::Values(
        DirectoriesRow{"Defaults", "", "", "/home/ann",
                       Dirs{"/home/ann/.local/share/applications", "/usr/local/share/applications",
                            "/usr/share/applications"}},
        DirectoriesRow{"Set", "/data", "/a:/b", "/home/ann",
                       Dirs{"/data/applications", "/a/applications", "/b/applications"}},
        DirectoriesRow{"RelativeAndEmptyEntriesIgnored", "", "rel::/b:", "/home/ann",
                       Dirs{"/home/ann/.local/share/applications", "/b/applications"}},
        DirectoriesRow{"RelativeDataHomeFallsBackToHome", "data", "/a", "/home/ann",
                       Dirs{"/home/ann/.local/share/applications", "/a/applications"}},
        DirectoriesRow{"NoHomeNoDataHome", "", "/a", "", Dirs{"/a/applications"}},
        DirectoriesRow{"RelativeHomeIgnored", "", "/a", "home", Dirs{"/a/applications"}}),
    RowName);

struct IdRow {
  const char* label;
  std::string id;
  bool valid;
};

class DesktopIds : public ::testing::TestWithParam<IdRow> {};

TEST_P(DesktopIds, NameOnlyAFileInTheFolder) {
  EXPECT_EQ(IsDesktopFileId(GetParam().id), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Ids, DesktopIds,
    ::testing::Values(IdRow{"Plain", "firefox.desktop", true},
                      IdRow{"WithDashes", "org.gnome.Epiphany-x.desktop", true},
                      IdRow{"Empty", "", false}, IdRow{"OnlySuffix", ".desktop", false},
                      IdRow{"OtherSuffix", "firefox.sh", false},
                      IdRow{"ParentPath", "../../../tmp/evil.desktop", false},
                      IdRow{"AbsolutePath", "/tmp/evil.desktop", false},
                      IdRow{"Subfolder", "kde4/konqueror.desktop", false},
                      IdRow{"Nul", std::string("a\0b.desktop", 11), false}),
    RowName);

struct ExecRow {
  const char* label;
  std::string contents;
  std::optional<std::string> exec;
};

class ExecValues : public ::testing::TestWithParam<ExecRow> {};

TEST_P(ExecValues, ComeFromTheDesktopEntryGroup) {
  EXPECT_EQ(DesktopEntryExec(GetParam().contents), GetParam().exec);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExecValues,
    ::testing::Values(
        ExecRow{"Plain", "[Desktop Entry]\nName=Web\nExec=firefox %u\n", "firefox %u"},
        ExecRow{"BlanksAroundEquals", "[Desktop Entry]\nExec  =  firefox %u\n", "firefox %u"},
        ExecRow{"CrLf", "[Desktop Entry]\r\nExec=firefox %u\r\n", "firefox %u"},
        ExecRow{"NoFinalLineEnd", "[Desktop Entry]\nExec=firefox %u", "firefox %u"},
        ExecRow{"CommentsAndBlankLines", "# c\n\n[Desktop Entry]\n# Exec=no\nExec=yes\n", "yes"},
        ExecRow{"FirstExecWins", "[Desktop Entry]\nExec=one\nExec=two\n", "one"},
        ExecRow{"ActionGroupBeforeIsIgnored",
                "[Desktop Action new]\nExec=other\n[Desktop Entry]\nExec=main %u\n", "main %u"},
        ExecRow{"ActionGroupAfterIsIgnored",
                "[Desktop Entry]\nName=x\n[Desktop Action new]\nExec=other\n", std::nullopt},
        ExecRow{"LocalisedKeyIsAnotherKey", "[Desktop Entry]\nExec[de]=x\nTryExec=y\n",
                std::nullopt},
        ExecRow{"StringEscapesUndone", "[Desktop Entry]\nExec=a\\sb \"c\\\\\\\\d\" \\t%u\n",
                "a b \"c\\\\d\" \t%u"},
        ExecRow{"QuotingEscapeLeft", "[Desktop Entry]\nExec=run \"a\\\"b\" %u\n",
                "run \"a\\\"b\" %u"},
        ExecRow{"EmptyValue", "[Desktop Entry]\nExec=\n", ""},
        ExecRow{"NoGroup", "Exec=firefox\n", std::nullopt}, ExecRow{"EmptyFile", "", std::nullopt}),
    RowName);

// Entry files in two application folders, the first taking precedence.
class FindEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(m_dir.Path("home/applications"));
    std::filesystem::create_directories(m_dir.Path("share/applications"));
  }
  void Write(const std::string& folder, const std::string& name, const std::string& contents) {
    testing::WriteBytes(m_dir.Path(folder + "/applications/" + name), contents);
  }
  std::optional<std::string> Find(const std::string& id) {
    return FindDesktopEntryExec(
        id, {m_dir.Path("home/applications"), m_dir.Path("share/applications")});
  }
  testing::TempDir m_dir;
};

TEST_F(FindEntry, FromTheLaterFolderWhenTheFirstHasNone) {
  Write("share", "web.desktop", "[Desktop Entry]\nExec=web %u\n");
  EXPECT_EQ(Find("web.desktop"), "web %u");
}

TEST_F(FindEntry, TheFirstFolderTakesPrecedence) {
  Write("home", "web.desktop", "[Desktop Entry]\nExec=mine %u\n");
  Write("share", "web.desktop", "[Desktop Entry]\nExec=system %u\n");
  EXPECT_EQ(Find("web.desktop"), "mine %u");
}

TEST_F(FindEntry, AnEntryWithoutExecHidesTheLaterOne) {
  Write("home", "web.desktop", "[Desktop Entry]\nName=overridden\n");
  Write("share", "web.desktop", "[Desktop Entry]\nExec=system %u\n");
  EXPECT_EQ(Find("web.desktop"), std::nullopt);
}

TEST_F(FindEntry, MissingEverywhere) { EXPECT_EQ(Find("web.desktop"), std::nullopt); }

TEST_F(FindEntry, AFolderOfThatNameIsNoEntry) {
  std::filesystem::create_directories(m_dir.Path("home/applications/web.desktop"));
  Write("share", "web.desktop", "[Desktop Entry]\nExec=system %u\n");
  EXPECT_EQ(Find("web.desktop"), "system %u");
}

TEST_F(FindEntry, AnUnreadableEntryIsSkipped) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  Write("home", "web.desktop", "[Desktop Entry]\nExec=mine %u\n");
  std::filesystem::permissions(m_dir.Path("home/applications/web.desktop"),
                               std::filesystem::perms::none);
  Write("share", "web.desktop", "[Desktop Entry]\nExec=system %u\n");
  EXPECT_EQ(Find("web.desktop"), "system %u");
}

TEST_F(FindEntry, AnIdWithAPathIsNotFollowed) {
  // The entry exists, but only through a path out of the first folder.
  Write("share", "web.desktop", "[Desktop Entry]\nExec=system %u\n");
  EXPECT_EQ(Find("../../share/applications/web.desktop"), std::nullopt);
}

}  // namespace
}  // namespace gradova::platform
