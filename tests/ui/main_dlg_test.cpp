#include "ui/main_dlg.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <filesystem>

#include "platform/files.h"
#include "platform/gbk.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"
#include "ui/res/resource_ids.h"
#include "ui_seams.h"

namespace gradova::ui {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::Gbk;

// The main window, started in a fresh directory, with every box and file dialog scripted.
class MainDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dialog = std::make_unique<CMainDlg>();
    m_dialog->Create();
  }
  void TearDown() override { m_dialog.reset(); }

  QLineEdit* Edit(int id) { return m_dialog->ItemAs<QLineEdit>(id); }
  QPushButton* Button(int id) { return m_dialog->ItemAs<QPushButton>(id); }
  std::string Text(int id) {
    if (auto* edit = Edit(id)) return edit->text().toStdString();
    return Button(id)->text().toStdString();
  }
  void Type(int id, const std::string& utf8) { Edit(id)->setText(QString::fromStdString(utf8)); }
  void Enter(const std::string& name, const std::string& credits, const std::string& score) {
    Type(kNameEdit, name);
    Type(kCreditsEdit, credits);
    Type(kScoreEdit, score);
  }
  void Click(int id) { Button(id)->click(); }
  void Add(const std::string& name, const std::string& credits, const std::string& score) {
    Enter(name, credits, score);
    Click(kAddModifyButton);
  }
  // A click on a row, as the mouse gives it.
  void ClickRow(int row) {
    QTreeView* view = m_dialog->List().View();
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
  }
  // The rows of the list in UTF-8, the trailing empty row included.
  std::vector<std::vector<std::string>> ListRows() {
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < m_dialog->List().GetItemCount(); ++row) {
      std::vector<std::string> cells;
      for (int column = 0; column < 3; ++column) {
        cells.push_back(platform::GbkToUtf8(m_dialog->List().GetItemText(row, column)));
      }
      rows.push_back(cells);
    }
    return rows;
  }
  std::string Path(const std::string& name) { return m_dir.Path(name); }

  testing::TempDir m_dir;
  testing::UiSeams m_seams;
  testing::ScopedCurrentPath m_inDir{m_dir.Root()};
  std::unique_ptr<CMainDlg> m_dialog;
};

using Rows = std::vector<std::vector<std::string>>;
const std::vector<std::string> kEmptyRow{"", "", ""};

TEST_F(MainDlgTest, StartUpState) {
  EXPECT_EQ(ListRows(), Rows{kEmptyRow});
  QTreeView* view = m_dialog->List().View();
  EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString().toStdString(), "课程名称");
  EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString().toStdString(), "学分");
  EXPECT_EQ(view->model()->headerData(2, Qt::Horizontal).toString().toStdString(), "成绩");
  EXPECT_EQ(m_dialog->List().ColumnWidth(0), 236);
  EXPECT_EQ(m_dialog->List().ColumnWidth(1), 60);
  EXPECT_EQ(m_dialog->List().ColumnWidth(2), 60);
  EXPECT_EQ(Text(kAddModifyButton), "添加");
  for (int id : {kDeleteButton, kSaveCurrentButton, kClearCurrentButton}) {
    EXPECT_FALSE(Button(id)->isEnabled()) << id;
  }
  for (int id : {kAddModifyButton, kResetButton, kFromFileButton, kViewGpaButton,
                 kInstructionsButton, kExitButton}) {
    EXPECT_TRUE(Button(id)->isEnabled()) << id;
  }
  for (int id : {kAddModifyButton, kDeleteButton, kSaveCurrentButton}) {
    EXPECT_FALSE(Button(id)->isDefault() || Button(id)->autoDefault()) << id;
  }
  EXPECT_FALSE(m_dialog->Modified());
  EXPECT_EQ(m_dialog->StartDir(), m_dir.Root().string());
  EXPECT_EQ(testing::ReadBytes(Path("rules")), testing::DataFile("builtin_rules"));
  EXPECT_TRUE(m_seams.boxes.empty());
}

TEST_F(MainDlgTest, HomeLinkPictureOpensTheHomePage) {
  EXPECT_EQ(m_dialog->HomeLink().Target(), "gradova.example.org");
  EXPECT_EQ(m_dialog->HomeLink().HintText(), Gbk("欢迎访问Pellow的小站！"));
  ASSERT_NE(m_dialog->HomeLink().Label(), nullptr);
  m_seams.urlOpener.defaultHandlerOpens = true;
  QTest::mouseClick(m_dialog->HomeLink().Label(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(m_seams.urlOpener.openedAddresses.size(), 1u);
  EXPECT_NE(m_seams.urlOpener.openedAddresses[0].find("gradova.example.org"), std::string::npos);
  EXPECT_TRUE(m_seams.boxes.empty());
}

TEST_F(MainDlgTest, TabOrderIsTheTemplateOrder) {
  QWidget* expected[] = {m_dialog->List().View(), Edit(kNameEdit),          Edit(kScoreEdit),
                         Edit(kCreditsEdit),      Button(kAddModifyButton), Button(kResetButton)};
  for (std::size_t i = 0; i + 1 < std::size(expected); ++i) {
    QWidget* next = expected[i]->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    EXPECT_EQ(next, expected[i + 1]) << i;
  }
}

struct EntryRow {
  const char* label;
  const char* credits;
  const char* score;
  bool accepted;
};

class MainDlgEntry : public MainDlgTest, public ::testing::WithParamInterface<EntryRow> {};

TEST_P(MainDlgEntry, AcceptsOrRejectsByIntegerPart) {
  Add("c", GetParam().credits, GetParam().score);
  if (GetParam().accepted) {
    EXPECT_EQ(ListRows(), (Rows{{"c", GetParam().credits, GetParam().score}, kEmptyRow}));
    EXPECT_TRUE(m_seams.boxes.empty());
    EXPECT_TRUE(m_dialog->Modified());
    EXPECT_TRUE(Button(kSaveCurrentButton)->isEnabled());
  } else {
    EXPECT_EQ(ListRows(), Rows{kEmptyRow});
    EXPECT_EQ(m_seams.BoxTexts(), std::vector<std::string>{"输入有误！"});
    EXPECT_EQ(Text(kCreditsEdit), GetParam().credits);
    EXPECT_FALSE(m_dialog->Modified());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, MainDlgEntry,
    ::testing::Values(
        EntryRow{"Decimals", "2.5", "88.5", true}, EntryRow{"Score100", "1", "100", true},
        EntryRow{"Score100Point9", "1", "100.9", true}, EntryRow{"LetterScore", "1", "abc", true},
        EntryRow{"NegativeScore", "1", "-5", true}, EntryRow{"SpacesScore", "1", "  ", true},
        EntryRow{"NegativeCredits", "-1", "60", true}, EntryRow{"HalfCredit", "0.5", "60", false},
        EntryRow{"ZeroCredits", "0", "60", false}, EntryRow{"LetterCredits", "ab", "60", false},
        EntryRow{"Score101", "1", "101", false}, EntryRow{"EmptyScore", "1", "", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainDlgTest, AddWithoutNameStoresUnnamedAndKeepsNumbers) {
  Add("", "2", "60");
  Add("", "2", "60");
  EXPECT_EQ(ListRows(), (Rows{{"未命名课程", "2", "60"}, {"未命名课程", "2", "60"}, kEmptyRow}));
  EXPECT_EQ(Text(kNameEdit), "");
  EXPECT_EQ(Text(kCreditsEdit), "2");
  EXPECT_EQ(Text(kScoreEdit), "60");
}

TEST_F(MainDlgTest, CharacterOutsideGbkBecomesQuestionMark) {
  Add("数学😀", "2", "60");
  EXPECT_EQ(ListRows()[0][0], "数学?");
}

TEST_F(MainDlgTest, ClickModifyAndClickTrailingRow) {
  Add("a", "1", "60");
  Add("b", "2", "70");
  ClickRow(0);
  EXPECT_EQ(Text(kAddModifyButton), "修改");
  EXPECT_TRUE(Button(kDeleteButton)->isEnabled());
  EXPECT_EQ(Text(kNameEdit), "a");
  Enter("x", "3", "80");
  Click(kAddModifyButton);
  EXPECT_EQ(ListRows(), (Rows{{"x", "3", "80"}, {"b", "2", "70"}, kEmptyRow}));
  EXPECT_EQ(Text(kAddModifyButton), "修改");
  Click(kResetButton);
  EXPECT_EQ(Text(kAddModifyButton), "修改");
  EXPECT_EQ(Text(kNameEdit), "");
  ClickRow(2);
  EXPECT_EQ(Text(kAddModifyButton), "添加");
  EXPECT_FALSE(Button(kDeleteButton)->isEnabled());
  EXPECT_EQ(Text(kCreditsEdit), "");
}

TEST_F(MainDlgTest, DeleteKeepsSelectionIndex) {
  Add("a", "1", "60");
  Add("b", "2", "70");
  ClickRow(0);
  Click(kDeleteButton);
  EXPECT_EQ(ListRows(), (Rows{{"b", "2", "70"}, kEmptyRow}));
  EXPECT_EQ(Text(kNameEdit), "b");
  EXPECT_EQ(Text(kAddModifyButton), "修改");
  EXPECT_TRUE(Button(kDeleteButton)->isEnabled());
  Click(kDeleteButton);
  EXPECT_EQ(ListRows(), Rows{kEmptyRow});
  EXPECT_EQ(Text(kAddModifyButton), "添加");
  EXPECT_FALSE(Button(kDeleteButton)->isEnabled());
  EXPECT_FALSE(Button(kSaveCurrentButton)->isEnabled());
  EXPECT_FALSE(Button(kClearCurrentButton)->isEnabled());
  EXPECT_TRUE(m_dialog->Modified());
}

// The selection can move to the trailing row by the keyboard while "修改" and "删除" stay.
TEST_F(MainDlgTest, ModifyAndDeleteNeverTouchTheTrailingRow) {
  Add("a", "1", "60");
  ClickRow(0);
  m_dialog->List().SelectRow(1);
  Enter("x", "3", "80");
  Click(kAddModifyButton);
  EXPECT_EQ(ListRows(), (Rows{{"a", "1", "60"}, {"x", "3", "80"}, kEmptyRow}));
  m_dialog->List().SelectRow(2);
  Click(kDeleteButton);
  EXPECT_EQ(ListRows(), (Rows{{"a", "1", "60"}, {"x", "3", "80"}, kEmptyRow}));
}

TEST_F(MainDlgTest, EnterInAnEntryFieldAddsAndNeverEndsTheWindow) {
  for (int id : {kNameEdit, kCreditsEdit, kScoreEdit}) {
    Enter("a", "1", "60");
    Edit(id)->setFocus();
    QTest::keyClick(Edit(id), Qt::Key_Return);
    EXPECT_FALSE(m_dialog->Ended()) << id;
  }
  EXPECT_EQ(ListRows().size(), 4u);
  m_dialog->List().View()->setFocus();
  QTest::keyClick(m_dialog->List().View(), Qt::Key_Return);
  EXPECT_EQ(ListRows().size(), 4u);
  EXPECT_FALSE(m_dialog->Ended());
}

TEST_F(MainDlgTest, EscapeAndExitEndWithoutAsking) {
  Add("a", "1", "60");
  QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
  EXPECT_TRUE(m_dialog->Ended());
  EXPECT_TRUE(m_seams.boxes.empty());
}

TEST_F(MainDlgTest, ExitEndsWithZero) {
  Click(kExitButton);
  EXPECT_TRUE(m_dialog->Ended());
  EXPECT_EQ(m_dialog->Result(), 0);
}

TEST_F(MainDlgTest, LoadSampleFile) {
  testing::WriteBytes(Path("sample.txt"), testing::DataFile("sample_courses.txt"));
  m_seams.fileAnswers.push_back(Path("sample.txt"));
  Click(kFromFileButton);
  EXPECT_EQ(ListRows(), (Rows{{"高等数学", "5", "100"},
                              {"Linear Algebra", "4", "100"},
                              {"思想品德修养", "2", "99"},
                              {"马克思主义哲学", "2", "60"},
                              {"未命名课程", "2", "60"},
                              kEmptyRow}));
  EXPECT_TRUE(Button(kSaveCurrentButton)->isEnabled());
  EXPECT_TRUE(Button(kClearCurrentButton)->isEnabled());
  EXPECT_FALSE(m_dialog->Modified());
  EXPECT_EQ(m_dialog->FilePath(), Path("sample.txt"));
  ASSERT_EQ(m_seams.fileDialogs.size(), 1u);
  EXPECT_EQ(platform::GbkToUtf8(m_seams.fileDialogs[0].filterGbk), "成绩记录文件(*.txt)");
}

struct BadFileRow {
  const char* label;
  std::string contents;
  const char* message;
};

class MainDlgBadFile : public MainDlgTest, public ::testing::WithParamInterface<BadFileRow> {};

TEST_P(MainDlgBadFile, EmptiesListAndFields) {
  Add("old", "1", "60");
  Click(kSaveCurrentButton);  // cancelled: the list stays unsaved
  m_seams.boxAnswers.push_back(platform::kIdNo);
  testing::WriteBytes(Path("bad.txt"), GetParam().contents);
  m_seams.fileAnswers.push_back(Path("bad.txt"));
  Click(kFromFileButton);
  EXPECT_EQ(m_seams.BoxTexts(),
            (std::vector<std::string>{"当前文件尚未保存，是否保存？", GetParam().message}));
  EXPECT_EQ(ListRows(), Rows{kEmptyRow});
  EXPECT_EQ(Text(kNameEdit), "");
  EXPECT_EQ(Text(kCreditsEdit), "");
  EXPECT_FALSE(Button(kSaveCurrentButton)->isEnabled());
  EXPECT_FALSE(Button(kClearCurrentButton)->isEnabled());
  EXPECT_FALSE(m_dialog->Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainDlgBadFile,
    ::testing::Values(BadFileRow{"BadThirdLine", "a 1 60\r\nb 1 60\r\nc 0 60\r\n",
                                 "文件包含错误数据!"},
                      BadFileRow{"TrailingEmptyLine", "a 1 60\r\n\r\n", "文件格式错误!"},
                      BadFileRow{"RandomBytes", "\x01\x02\xff\xfe", "文件格式错误!"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainDlgTest, EmptyFileLoadsNothingAndEnablesButtons) {
  testing::WriteBytes(Path("empty.txt"), "");
  m_seams.fileAnswers.push_back(Path("empty.txt"));
  Click(kFromFileButton);
  EXPECT_EQ(ListRows(), Rows{kEmptyRow});
  EXPECT_TRUE(m_seams.boxes.empty());
  EXPECT_TRUE(Button(kSaveCurrentButton)->isEnabled());
  EXPECT_TRUE(Button(kClearCurrentButton)->isEnabled());
}

// An abandoned load leaves the list as it was, and the buttons match it again.
struct AbandonedLoadRow {
  const char* label;
  std::deque<int> boxAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::vector<std::string> messages;
};

class MainDlgAbandonedLoad : public MainDlgTest,
                             public ::testing::WithParamInterface<AbandonedLoadRow> {};

TEST_P(MainDlgAbandonedLoad, KeepsListAndRestoresButtons) {
  Add("a", "1", "60");
  m_seams.boxAnswers = GetParam().boxAnswers;
  m_seams.fileAnswers = GetParam().fileAnswers;
  for (auto& answer : m_seams.fileAnswers) {
    if (answer) answer = Path(*answer);
  }
  Click(kFromFileButton);
  EXPECT_EQ(m_seams.BoxTexts(), GetParam().messages);
  EXPECT_EQ(ListRows(), (Rows{{"a", "1", "60"}, kEmptyRow}));
  EXPECT_TRUE(Button(kSaveCurrentButton)->isEnabled());
  EXPECT_TRUE(Button(kClearCurrentButton)->isEnabled());
  EXPECT_TRUE(m_dialog->Modified());
}

INSTANTIATE_TEST_SUITE_P(Cases, MainDlgAbandonedLoad,
                         ::testing::Values(AbandonedLoadRow{"CancelQuestion",
                                                            {platform::kIdCancel},
                                                            {},
                                                            {"当前文件尚未保存，是否保存？"}},
                                           AbandonedLoadRow{"CancelOpenDialog",
                                                            {platform::kIdNo},
                                                            {std::nullopt},
                                                            {"当前文件尚未保存，是否保存？"}},
                                           AbandonedLoadRow{
                                               "FileOpenFailed",
                                               {platform::kIdNo},
                                               {"absent.txt"},
                                               {"当前文件尚未保存，是否保存？", "文件打开失败！"}}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainDlgTest, SaveWritesCrLfLinesAndAppendsTxt) {
  Add("高等数学", "5", "100");
  Add("", "2", "60");
  m_seams.fileAnswers.push_back(Path("courses"));
  Click(kSaveCurrentButton);
  EXPECT_EQ(testing::ReadBytes(Path("courses.txt")), Gbk("高等数学 5 100\r\n未命名课程 2 60\r\n"));
  EXPECT_FALSE(m_dialog->Modified());
  EXPECT_EQ(m_dialog->FilePath(), Path("courses.txt"));
  m_seams.fileAnswers.push_back(Path("UPPER.TXT"));
  Click(kSaveCurrentButton);
  EXPECT_TRUE(std::filesystem::exists(Path("UPPER.TXT.txt")));
  EXPECT_EQ(m_seams.fileDialogs.back().initialPath, Path("courses.txt"));
}

TEST_F(MainDlgTest, SaveThenLoadGivesTheSameRows) {
  Add("Linear Algebra", "4", "100");
  Add("思想品德修养", "2.5", "99.5");
  const Rows saved = ListRows();
  m_seams.fileAnswers.push_back(Path("c.txt"));
  Click(kSaveCurrentButton);
  Click(kClearCurrentButton);
  m_seams.fileAnswers.push_back(Path("c.txt"));
  Click(kFromFileButton);
  EXPECT_EQ(ListRows(), saved);
}

TEST_F(MainDlgTest, CancelledSaveForgetsTheProposedName) {
  Add("a", "1", "60");
  m_seams.fileAnswers.push_back(Path("c.txt"));
  Click(kSaveCurrentButton);
  Click(kSaveCurrentButton);
  EXPECT_EQ(m_dialog->FilePath(), "");
  Click(kSaveCurrentButton);
  EXPECT_EQ(m_seams.fileDialogs.back().initialPath, "");
}

// A save that fails at any byte of the new file, as on a full disk, keeps the old file whole,
// says so, and leaves the list unsaved; the next save then works.
TEST_F(MainDlgTest, FailedSaveAtEveryByteKeepsOldFileAndTellsTheUser) {
  Add("a", "1", "60");
  Add("高等数学", "5", "100");
  const std::string fresh = Gbk("a 1 60\r\n高等数学 5 100\r\n");
  testing::WriteBytes(Path("c.txt"), "old 1 60\r\n");
  for (std::size_t failAt = 0; failAt < fresh.size(); ++failAt) {
    m_seams.boxes.clear();
    platform::SetWriteFailureAfterBytesForTesting(failAt);
    m_seams.fileAnswers.push_back(Path("c.txt"));
    Click(kSaveCurrentButton);
    platform::SetWriteFailureAfterBytesForTesting(std::nullopt);
    EXPECT_EQ(testing::ReadBytes(Path("c.txt")), "old 1 60\r\n") << failAt;
    EXPECT_EQ(m_seams.BoxTexts(), std::vector<std::string>{"文件创建失败！"}) << failAt;
    EXPECT_TRUE(m_dialog->Modified()) << failAt;
    EXPECT_EQ(testing::FileNames(m_dir.Root()), (std::vector<std::string>{"c.txt", "rules"}));
  }
  m_seams.fileAnswers.push_back(Path("c.txt"));
  Click(kSaveCurrentButton);
  EXPECT_EQ(testing::ReadBytes(Path("c.txt")), fresh);
  EXPECT_FALSE(m_dialog->Modified());
}

struct ClearRow {
  const char* label;
  std::deque<int> boxAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  bool cleared;
};

class MainDlgClear : public MainDlgTest, public ::testing::WithParamInterface<ClearRow> {};

TEST_P(MainDlgClear, AsksAboutUnsavedChanges) {
  Add("a", "1", "60");
  m_seams.boxAnswers = GetParam().boxAnswers;
  m_seams.fileAnswers = GetParam().fileAnswers;
  for (auto& answer : m_seams.fileAnswers) {
    if (answer) answer = Path(*answer);
  }
  Click(kClearCurrentButton);
  ASSERT_FALSE(m_seams.boxes.empty());
  EXPECT_EQ(platform::GbkToUtf8(m_seams.boxes[0].captionGbk), "提示");
  EXPECT_EQ(m_seams.boxes[0].kind, platform::MessageBoxKind::Question);
  if (GetParam().cleared) {
    EXPECT_EQ(ListRows(), Rows{kEmptyRow});
    EXPECT_FALSE(m_dialog->Modified());
    EXPECT_FALSE(Button(kClearCurrentButton)->isEnabled());
    EXPECT_EQ(Text(kAddModifyButton), "添加");
  } else {
    EXPECT_EQ(ListRows(), (Rows{{"a", "1", "60"}, kEmptyRow}));
    EXPECT_TRUE(m_dialog->Modified());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainDlgClear,
    ::testing::Values(ClearRow{"No", {platform::kIdNo}, {}, true},
                      ClearRow{"Cancel", {platform::kIdCancel}, {}, false},
                      ClearRow{"YesAndSaved", {platform::kIdYes}, {"c.txt"}, true},
                      // The unsaved list is kept when the save did not happen.
                      ClearRow{"YesButSaveCancelled", {platform::kIdYes}, {std::nullopt}, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MainDlgTest, YesWithFailedSaveKeepsTheList) {
  Add("a", "1", "60");
  m_seams.boxAnswers.push_back(platform::kIdYes);
  m_seams.fileAnswers.push_back(Path("no/such/dir/c.txt"));
  Click(kClearCurrentButton);
  EXPECT_EQ(m_seams.BoxTexts(),
            (std::vector<std::string>{"当前文件尚未保存，是否保存？", "文件创建失败！"}));
  EXPECT_EQ(ListRows(), (Rows{{"a", "1", "60"}, kEmptyRow}));
}

TEST_F(MainDlgTest, ClearWithoutChangesDoesNotAsk) {
  testing::WriteBytes(Path("c.txt"), "a 1 60\r\n");
  m_seams.fileAnswers.push_back(Path("c.txt"));
  Click(kFromFileButton);
  Click(kClearCurrentButton);
  EXPECT_TRUE(m_seams.boxes.empty());
  EXPECT_EQ(ListRows(), Rows{kEmptyRow});
}

TEST(MainDlgStartUp, ExistingRulesAreLeftAlone) {
  testing::TempDir dir;
  testing::UiSeams seams;
  testing::WriteBytes(dir.Path("rules"), "");
  {
    testing::ScopedCurrentPath inDir(dir.Root());
    CMainDlg dialog;
    dialog.Create();
  }
  EXPECT_EQ(testing::ReadBytes(dir.Path("rules")), "");
  EXPECT_TRUE(seams.boxes.empty());
}

TEST(MainDlgStartUp, RulesThatCannotBeCreatedAreReportedAndStartUpGoesOn) {
  testing::TempDir dir;
  testing::UiSeams seams;
  std::filesystem::create_directory(dir.Path("gone"));
  {
    testing::ScopedCurrentPath inDir(dir.Path("gone"));
    std::filesystem::remove(dir.Path("gone"));  // a directory removed under the program
    CMainDlg dialog;
    dialog.Create();
    EXPECT_EQ(dialog.List().GetItemCount(), 1);
    EXPECT_FALSE(dialog.Modified());
  }
  ASSERT_EQ(seams.boxes.size(), 1u);
  EXPECT_NE(platform::GbkToUtf8(seams.boxes[0].textGbk).find("rules"), std::string::npos);
}

}  // namespace
}  // namespace gradova::ui

namespace gradova::ui {
namespace {

// A text exchange while typing must not move the caret: it writes a field only when its text
// changes.
TEST_F(MainDlgTest, ExchangeLeavesTheCaretWhereItIs) {
  Type(kNameEdit, "abcd");
  Edit(kNameEdit)->setCursorPosition(2);
  m_dialog->UpdateData(true);
  m_dialog->UpdateData(false);
  EXPECT_EQ(Edit(kNameEdit)->cursorPosition(), 2);
}

}  // namespace
}  // namespace gradova::ui
