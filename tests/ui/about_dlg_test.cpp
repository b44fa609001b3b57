#include "ui/about_dlg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "support/temp_dir.h"
#include "ui/main_dlg.h"
#include "ui/res/resource_ids.h"
#include "ui_seams.h"

namespace gradova::ui {
namespace {

TEST(InstructionText, IsThePiecesInOrder) {
  EXPECT_EQ(MakeInstructionText(), testing::DataFile("instructions.txt"));
  const std::string text = MakeInstructionText();
  EXPECT_NE(text.substr(text.size() - 2), "\r\n");
}

// Opens nested modal dialogs through the seam and records what they showed.
class AboutDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Dialog::SetModalRunnerForTesting([this](platform::Dialog& dialog) {
      ++m_opened;
      auto* box = dialog.ItemAs<QPlainTextEdit>(kHelpTextBox);
      ASSERT_NE(box, nullptr);
      m_shownText = box->toPlainText().toStdString();
      m_readOnly = box->isReadOnly();
      m_focusOnOk = dialog.focusWidget() == dialog.Item(kAboutOkButton);
      m_caption = dialog.windowTitle().toStdString();
      m_linkHint = static_cast<CAboutDlg&>(dialog).HomeLink().HintText();
      dialog.ItemAs<QPushButton>(kAboutOkButton)->click();
      m_ended = dialog.Ended();
    });
    m_main = std::make_unique<CMainDlg>();
    m_main->Create();
  }
  void TearDown() override {
    platform::Dialog::SetModalRunnerForTesting(nullptr);
    m_main.reset();
  }
  void TriggerSystemCommand() {
    ASSERT_NE(m_main->SystemMenu(), nullptr);
    const QList<QAction*> actions = m_main->SystemMenu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1]->text().toStdString(), "关于 Gradova(&A)...");
    actions[1]->trigger();
  }

  testing::TempDir m_dir;
  testing::UiSeams m_seams;
  testing::ScopedCurrentPath m_inDir{m_dir.Root()};
  std::unique_ptr<CMainDlg> m_main;
  int m_opened = 0;
  std::string m_shownText;
  std::string m_caption;
  std::string m_linkHint;
  bool m_readOnly = false;
  bool m_focusOnOk = false;
  bool m_ended = false;
};

TEST_F(AboutDlgTest, InstructionsButtonShowsTheText) {
  m_main->ItemAs<QPushButton>(kInstructionsButton)->click();
  EXPECT_EQ(m_opened, 1);
  EXPECT_EQ(m_caption, "关于 Gradova");
  std::string expected = platform::GbkToUtf8(testing::DataFile("instructions.txt"));
  for (std::size_t pos; (pos = expected.find('\r')) != std::string::npos;) expected.erase(pos, 1);
  EXPECT_EQ(m_shownText, expected);
  EXPECT_TRUE(m_readOnly);
  EXPECT_EQ(platform::GbkToUtf8(m_linkHint), "欢迎访问Pellow的小站！");
  EXPECT_TRUE(m_focusOnOk);
  EXPECT_TRUE(m_ended);
  EXPECT_FALSE(m_main->Ended());
}

TEST_F(AboutDlgTest, SystemMenuEntryOpensTheSameDialog) {
  TriggerSystemCommand();
  EXPECT_EQ(m_opened, 1);
  EXPECT_NE(m_shownText.find("使用说明"), std::string::npos);
}

class TestableMainDlg : public CMainDlg {
 public:
  using CMainDlg::OnSysCommand;
};

struct CommandRow {
  const char* label;
  int command;
  int opened;
};

class SystemCommand : public AboutDlgTest, public ::testing::WithParamInterface<CommandRow> {};

TEST_P(SystemCommand, OpensAboutForSixteenToThirtyOne) {
  TestableMainDlg dialog;
  dialog.Create();
  dialog.OnSysCommand(GetParam().command);
  EXPECT_EQ(m_opened, GetParam().opened);
  EXPECT_FALSE(dialog.Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SystemCommand,
    ::testing::Values(CommandRow{"About", 16, 1}, CommandRow{"LowBitsSet", 19, 1},
                      CommandRow{"ThirtyOne", 31, 1}, CommandRow{"ThirtyTwo", 32, 0},
                      CommandRow{"Fifteen", 15, 0}, CommandRow{"Close", 0xF060, 0}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace gradova::ui
