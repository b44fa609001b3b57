#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <filesystem>
#include <functional>
#include <optional>

#include "grading/rules_file.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"
#include "ui/res/resource_ids.h"
#include "ui/result_dlg.h"
#include "ui/rule_edit_dlg.h"
#include "ui/rule_list_dlg.h"
#include "ui_seams.h"

namespace gradova::ui {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::Gbk;
using Strings = std::vector<std::string>;
using Bands = std::vector<std::pair<int, int>>;  // lower bound, points in tenths

const std::string kBuiltIn = testing::DataFile("builtin_rules");
const Strings kBuiltInNames{"标准4.0算法",   "改进4.0算法(1)", "改进4.0算法(2)",  "北大4.0算法",
                            "加拿大4.3算法", "中科大4.3算法",  "上海交大4.3算法", "台湾4.0算法"};

void Click(platform::Dialog& dialog, int id) { dialog.ItemAs<QPushButton>(id)->click(); }
bool Enabled(platform::Dialog& dialog, int id) { return dialog.Item(id)->isEnabled(); }
std::string Caption(platform::Dialog& dialog, int id) {
  return dialog.ItemAs<QPushButton>(id)->text().toStdString();
}
void Type(platform::Dialog& dialog, int id, const std::string& utf8) {
  dialog.ItemAs<QLineEdit>(id)->setText(QString::fromStdString(utf8));
}
std::string Shown(platform::Dialog& dialog, int id) {
  if (auto* edit = dialog.ItemAs<QLineEdit>(id)) return edit->text().toStdString();
  return dialog.ItemAs<QLabel>(id)->text().toStdString();
}

// A click on a row as the mouse gives it; a row past the end clicks the blank space below.
void ClickRow(platform::ListControl& list, int row) {
  QTreeView* view = list.View();
  QPoint point(5, view->viewport()->height() - 3);
  if (row < list.GetItemCount()) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    point = view->visualRect(index).center();
  }
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point);
}

Strings Column(platform::ListControl& list, int column) {
  Strings cells;
  for (int row = 0; row < list.GetItemCount(); ++row) {
    cells.push_back(platform::GbkToUtf8(list.GetItemText(row, column)));
  }
  return cells;
}

Bands BandsOf(const grading::BandTable& table) {
  Bands bands;
  for (std::size_t slot = 0; slot < grading::BandCount(table); ++slot) {
    bands.emplace_back(table[slot].lowerBound, table[slot].points);
  }
  return bands;
}

grading::Rule MakeRule(const std::string& utf8Name, const Bands& bands) {
  grading::Rule rule{Gbk(utf8Name), grading::MakeEmptyBandTable()};
  for (std::size_t i = 0; i < bands.size(); ++i) {
    rule.bands[i] = {static_cast<std::uint16_t>(bands[i].first),
                     static_cast<std::uint16_t>(bands[i].second)};
  }
  return rule;
}

// The records of the built-in file, each as its own bytes.
Strings BuiltInRecords() {
  Strings records;
  for (const grading::Rule& rule : grading::ParseRulesFile(kBuiltIn).ruleSet.rules) {
    records.push_back(grading::FormatRulesFile({{rule}}));
  }
  return records;
}

// ---------------------------------------------------------------------------------------------
// The rule manager, opened on a fresh directory's `rules`; editors it opens run through the modal
// seam, where `m_inEditor` answers them.

class RuleListDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previousDir = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.Root());
    testing::WriteBytes(RulesPath(), kBuiltIn);
    platform::Dialog::SetModalRunnerForTesting([this](platform::Dialog& dialog) {
      auto* editor = dynamic_cast<CRuleEditDlg*>(&dialog);
      ASSERT_NE(editor, nullptr);
      ++m_editorsOpened;
      if (m_inEditor) m_inEditor(*editor);
    });
  }
  void TearDown() override {
    platform::Dialog::SetModalRunnerForTesting(nullptr);
    m_dialog.reset();
    std::filesystem::current_path(m_previousDir);
  }
  void Open() {
    m_dialog = std::make_unique<CRuleListDlg>();
    m_dialog->Create();
  }
  std::string RulesPath() const { return m_dir.Path("rules"); }
  std::optional<std::string> RulesBytes() const { return testing::ReadBytes(RulesPath()); }
  Strings Names() { return Column(m_dialog->List(), 0); }
  void Select(int row) { ClickRow(m_dialog->List(), row); }
  void Press(int id) { Click(*m_dialog, id); }
  // Adds a rule through the editor with its bands and name, pressing "确定".
  void AddThroughEditor(const std::string& name, const Bands& bands) {
    m_inEditor = [name, bands](CRuleEditDlg& editor) {
      for (const auto& [lower, tenths] : bands) {
        Type(editor, kBandLowerEdit, std::to_string(lower));
        Type(editor, kBandPointsEdit,
             std::to_string(tenths / 10) + "." + std::to_string(tenths % 10));
        Click(editor, kAddBandButton);
      }
      Type(editor, kRuleNameEdit, name);
      Click(editor, kEditorOkButton);
    };
    Press(kAddDeleteRuleButton);
  }

  testing::TempDir m_dir;
  testing::UiSeams m_seams;
  std::filesystem::path m_previousDir;
  std::unique_ptr<CRuleListDlg> m_dialog;
  std::function<void(CRuleEditDlg&)> m_inEditor;
  int m_editorsOpened = 0;
};

TEST_F(RuleListDlgTest, OpensWithTheRulesAndAnEmptyLastRow) {
  Open();
  Strings expected = kBuiltInNames;
  expected.push_back("");
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(m_dialog->RuleCount(), 8);
  EXPECT_EQ(Caption(*m_dialog, kAddDeleteRuleButton), "添加算法");
  EXPECT_FALSE(Enabled(*m_dialog, kViewDetailsButton));
  EXPECT_EQ(m_dialog->windowTitle().toStdString(), "自定义算法");
  EXPECT_TRUE(m_seams.boxes.empty());
}

TEST_F(RuleListDlgTest, OkAtOnceWritesTheFileItRead) {
  testing::WriteBytes(RulesPath(), kBuiltIn);
  std::filesystem::last_write_time(RulesPath(), std::filesystem::file_time_type());
  Open();
  Press(kRulesOkButton);
  EXPECT_TRUE(m_dialog->Ended());
  EXPECT_EQ(m_dialog->Result(), 1);
  EXPECT_EQ(RulesBytes(), kBuiltIn);
  EXPECT_NE(std::filesystem::last_write_time(RulesPath()), std::filesystem::file_time_type());
}

TEST_F(RuleListDlgTest, ClicksToggleTheCaptionAndDetails) {
  Open();
  Select(2);
  EXPECT_EQ(Caption(*m_dialog, kAddDeleteRuleButton), "删除算法");
  EXPECT_TRUE(Enabled(*m_dialog, kViewDetailsButton));
  Select(8);  // the empty last row
  EXPECT_EQ(Caption(*m_dialog, kAddDeleteRuleButton), "添加算法");
  EXPECT_FALSE(Enabled(*m_dialog, kViewDetailsButton));
}

struct DeleteRow {
  const char* label;
  int row;
};

class RuleDeleteTest : public RuleListDlgTest, public ::testing::WithParamInterface<DeleteRow> {};

TEST_P(RuleDeleteTest, OkWritesTheOtherRecordsInOrder) {
  Open();
  const int row = GetParam().row;
  Select(row);
  Press(kAddDeleteRuleButton);
  Strings names = kBuiltInNames;
  names.erase(names.begin() + row);
  names.push_back("");
  EXPECT_EQ(Names(), names);
  EXPECT_EQ(m_dialog->RuleCount(), 7);
  // The caption keeps reflecting the last click.
  EXPECT_EQ(Caption(*m_dialog, kAddDeleteRuleButton), "删除算法");
  Press(kRulesOkButton);
  EXPECT_EQ(m_dialog->Result(), 1);
  Strings records = BuiltInRecords();
  records.erase(records.begin() + row);
  std::string expected;
  for (const std::string& record : records) expected += record;
  EXPECT_EQ(RulesBytes(), expected);
  EXPECT_EQ(RulesBytes()->size(), kBuiltIn.size() - BuiltInRecords()[row].size());
}

INSTANTIATE_TEST_SUITE_P(Rows, RuleDeleteTest,
                         ::testing::Values(DeleteRow{"First", 0}, DeleteRow{"Middle", 3},
                                           DeleteRow{"Last", 7}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(RuleListDlgTest, DeletingTheFirstLeavesTheBuiltInTailBytes) {
  Open();
  Select(0);
  Press(kAddDeleteRuleButton);
  Press(kRulesOkButton);
  EXPECT_EQ(RulesBytes(), kBuiltIn.substr(23));  // "标准4.0算法" is the first 23 bytes
}

TEST_F(RuleListDlgTest, CancelAfterDeletesLeavesTheFile) {
  Open();
  Select(0);
  Press(kAddDeleteRuleButton);
  Press(kAddDeleteRuleButton);  // the mark stays at row 0, now the next rule
  EXPECT_EQ(m_dialog->RuleCount(), 6);
  Press(kRulesCancelButton);
  EXPECT_EQ(m_dialog->Result(), 0);
  EXPECT_EQ(RulesBytes(), kBuiltIn);
}

TEST_F(RuleListDlgTest, DeletingEveryRuleRefusesOk) {
  Open();
  for (int i = 0; i < 8; ++i) {
    Select(0);
    Press(kAddDeleteRuleButton);
  }
  EXPECT_EQ(Names(), Strings{""});
  Press(kRulesOkButton);
  EXPECT_FALSE(m_dialog->Ended());
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"提示：不能没有算法！"});
  Press(kRulesCancelButton);
  EXPECT_EQ(m_dialog->Result(), 0);
  EXPECT_EQ(RulesBytes(), kBuiltIn);
}

struct AddRow {
  const char* label;
  int markRow;  // clicked before the add; 99 clicks the blank space under the rows
};

class RuleAddTest : public RuleListDlgTest, public ::testing::WithParamInterface<AddRow> {};

TEST_P(RuleAddTest, TheNewRuleGoesLastAndIsWrittenByOk) {
  Open();
  if (GetParam().markRow >= 0) Select(GetParam().markRow);
  const Bands entered{{90, 40}, {80, 30}, {70, 20}, {60, 10}};
  AddThroughEditor("我的算法", entered);
  EXPECT_EQ(m_editorsOpened, 1);
  Strings names = kBuiltInNames;
  names.push_back("我的算法");
  names.push_back("");
  EXPECT_EQ(Names(), names);
  Press(kRulesOkButton);
  Bands stored = entered;
  stored.emplace_back(0, 0);
  EXPECT_EQ(RulesBytes(), kBuiltIn + grading::FormatRulesFile({{MakeRule("我的算法", stored)}}));
}

INSTANTIATE_TEST_SUITE_P(Rows, RuleAddTest,
                         ::testing::Values(AddRow{"NoClick", -1}, AddRow{"EmptyRow", 8},
                                           AddRow{"BlankSpace", 99}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(RuleListDlgTest, CancelledEditorAddsNothing) {
  Open();
  m_inEditor = [](CRuleEditDlg& editor) {
    Type(editor, kBandLowerEdit, "0");
    Type(editor, kBandPointsEdit, "4");
    Click(editor, kAddBandButton);
    QTest::keyClick(&editor, Qt::Key_Escape);
  };
  Press(kAddDeleteRuleButton);
  EXPECT_EQ(m_editorsOpened, 1);
  EXPECT_EQ(m_dialog->RuleCount(), 8);
  EXPECT_EQ(Names().size(), 9u);
  Press(kRulesOkButton);
  EXPECT_EQ(RulesBytes(), kBuiltIn);
}

TEST_F(RuleListDlgTest, ViewDetailsShowsTheBandsAndChangesNothing) {
  Open();
  Select(0);
  m_inEditor = [](CRuleEditDlg& editor) {
    EXPECT_FALSE(editor.AddMode());
    EXPECT_EQ(editor.windowTitle().toStdString(), "标准4.0算法");
    EXPECT_EQ(Column(editor.List(), 0), (Strings{"100—90", "89—80", "79—70", "69—60", "59—0"}));
    EXPECT_EQ(Column(editor.List(), 1), (Strings{"4.0", "3.0", "2.0", "1.0", "0.0"}));
    EXPECT_EQ(Shown(editor, kBandUpperLabel), "100");
    EXPECT_EQ(Shown(editor, kRuleNameEdit), "");
    EXPECT_TRUE(Enabled(editor, kEditorOkButton));
    for (int id :
         {kBandLowerEdit, kBandPointsEdit, kRuleNameEdit, kBandUpperLabel, kAddBandButton}) {
      EXPECT_FALSE(Enabled(editor, id)) << id;
    }
    Click(editor, kEditorOkButton);
    EXPECT_EQ(editor.Result(), 0);
  };
  Press(kViewDetailsButton);
  EXPECT_EQ(m_editorsOpened, 1);
  Press(kRulesOkButton);
  EXPECT_EQ(RulesBytes(), kBuiltIn);
}

TEST_F(RuleListDlgTest, ViewDetailsAfterDeletingTheLastRuleOpensNothing) {
  Open();
  Select(7);
  Press(kAddDeleteRuleButton);  // the mark now rests on the empty last row
  EXPECT_TRUE(Enabled(*m_dialog, kViewDetailsButton));
  Press(kViewDetailsButton);
  EXPECT_EQ(m_editorsOpened, 0);
  EXPECT_TRUE(m_seams.boxes.empty());
}

TEST_F(RuleListDlgTest, EnterDoesNotEndTheManager) {
  Open();
  Select(0);
  Press(kAddDeleteRuleButton);
  QTest::keyClick(m_dialog->List().View(), Qt::Key_Return);
  QTest::keyClick(m_dialog.get(), Qt::Key_Return);
  EXPECT_FALSE(m_dialog->Ended());
  EXPECT_EQ(m_dialog->RuleCount(), 7);
  EXPECT_EQ(RulesBytes(), kBuiltIn);
}

TEST_F(RuleListDlgTest, MissingFileLeavesOnlyCancel) {
  std::filesystem::remove(RulesPath());
  Open();
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"GPA算法文件丢失！"});
  EXPECT_FALSE(m_dialog->HasRuleSet());
  EXPECT_EQ(m_dialog->List().GetItemCount(), 0);
  Select(0);
  Press(kAddDeleteRuleButton);
  Press(kViewDetailsButton);
  Press(kRulesOkButton);
  QTest::keyClick(m_dialog.get(), Qt::Key_Return);
  EXPECT_EQ(m_editorsOpened, 0);
  EXPECT_FALSE(m_dialog->Ended());
  EXPECT_FALSE(std::filesystem::exists(RulesPath()));
  EXPECT_EQ(m_seams.boxes.size(), 1u);
  Press(kRulesCancelButton);
  EXPECT_EQ(m_dialog->Result(), 0);
}

TEST_F(RuleListDlgTest, DamagedFileListsTheCompleteRulesAndOkWritesThem) {
  const Strings records = BuiltInRecords();
  testing::WriteBytes(RulesPath(), records[0] + records[1] + records[2].substr(0, 5));
  Open();
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"算法文件已损坏！"});
  EXPECT_EQ(Names(), (Strings{kBuiltInNames[0], kBuiltInNames[1], ""}));
  Press(kRulesOkButton);
  EXPECT_EQ(RulesBytes(), records[0] + records[1]);
}

TEST_F(RuleListDlgTest, A33rdRuleIsRefused) {
  grading::RuleSet full;
  for (int i = 0; i < 32; ++i) full.rules.push_back(MakeRule("r" + std::to_string(i), {{0, 40}}));
  const std::string bytes = grading::FormatRulesFile(full);
  testing::WriteBytes(RulesPath(), bytes);
  Open();
  EXPECT_EQ(m_dialog->RuleCount(), 32);
  Select(32);
  Press(kAddDeleteRuleButton);
  EXPECT_EQ(m_editorsOpened, 0);
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"算法已达32个，不能再添加！"});
  EXPECT_EQ(m_dialog->RuleCount(), 32);
  Press(kRulesOkButton);
  EXPECT_EQ(RulesBytes(), bytes);
}

// A `rules` write that fails at any byte keeps the old file whole, says so and keeps the manager
// open with the edited rules, which the next OK then saves.
TEST_F(RuleListDlgTest, FailedWriteAtEveryByteKeepsTheManagerOpenAndTheOldFile) {
  Open();
  Select(0);
  Press(kAddDeleteRuleButton);
  const std::string fresh = kBuiltIn.substr(23);
  for (std::size_t failAt = 0; failAt < fresh.size(); ++failAt) {
    m_seams.boxes.clear();
    platform::SetWriteFailureAfterBytesForTesting(failAt);
    Press(kRulesOkButton);
    platform::SetWriteFailureAfterBytesForTesting(std::nullopt);
    ASSERT_FALSE(m_dialog->Ended()) << failAt;
    ASSERT_EQ(m_seams.BoxTexts(), Strings{"算法文件保存失败！原来的算法文件保持不变。"}) << failAt;
    ASSERT_EQ(RulesBytes(), kBuiltIn) << failAt;
    ASSERT_EQ(testing::FileNames(m_dir.Root()), Strings{"rules"}) << failAt;
  }
  Press(kRulesOkButton);
  EXPECT_EQ(m_dialog->Result(), 1);
  EXPECT_EQ(RulesBytes(), fresh);
}

// A `rules` that is a directory reads as missing: only 取消 acts and the directory stays.
TEST_F(RuleListDlgTest, RulesThatIsADirectoryLeavesOnlyCancel) {
  std::filesystem::remove(RulesPath());
  std::filesystem::create_directory(RulesPath());
  testing::WriteBytes(m_dir.Path("rules/inner"), "kept");
  Open();
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"GPA算法文件丢失！"});
  Press(kRulesOkButton);
  EXPECT_FALSE(m_dialog->Ended());
  EXPECT_EQ(testing::ReadBytes(m_dir.Path("rules/inner")), "kept");
  Press(kRulesCancelButton);
  EXPECT_TRUE(m_dialog->Ended());
}

// A `rules` that is a link is read through it, but saving replaces the link itself: the file it
// pointed to, which may be anything, is never written.
TEST_F(RuleListDlgTest, RulesThatIsALinkIsReplacedAndItsTargetKept) {
  std::filesystem::remove(RulesPath());
  testing::WriteBytes(m_dir.Path("elsewhere"), kBuiltIn);
  std::filesystem::create_symlink(m_dir.Path("elsewhere"), RulesPath());
  Open();
  EXPECT_EQ(Names().size(), 9u) << "the eight rules and the empty row for a new one";
  Select(0);
  Press(kAddDeleteRuleButton);
  Press(kRulesOkButton);
  EXPECT_EQ(m_dialog->Result(), 1);
  EXPECT_FALSE(std::filesystem::is_symlink(RulesPath()));
  EXPECT_EQ(RulesBytes(), kBuiltIn.substr(23));
  EXPECT_EQ(testing::ReadBytes(m_dir.Path("elsewhere")), kBuiltIn);
}

// ---------------------------------------------------------------------------------------------
// The results window's "自定义算法".

class CustomRulesTest : public RuleListDlgTest {
 protected:
  void RunCustomRules(std::function<void(CRuleListDlg&)> inManager) {
    platform::Dialog::SetModalRunnerForTesting([inManager](platform::Dialog& dialog) {
      auto* manager = dynamic_cast<CRuleListDlg*>(&dialog);
      ASSERT_NE(manager, nullptr);
      inManager(*manager);
    });
    m_results = std::make_unique<CResultDlg>(1, std::string("a\r2\r90\r"));
    m_results->Create();
    Click(*m_results, kCustomRulesButton);
  }
  void TearDown() override {
    m_results.reset();
    RuleListDlgTest::TearDown();
  }
  std::unique_ptr<CResultDlg> m_results;
};

TEST_F(CustomRulesTest, ManagerOkClosesTheResults) {
  RunCustomRules([](CRuleListDlg& manager) {
    ClickRow(manager.List(), 0);
    Click(manager, kAddDeleteRuleButton);
    Click(manager, kRulesOkButton);
  });
  EXPECT_TRUE(m_results->Ended());
  EXPECT_EQ(m_results->Result(), 0);
  EXPECT_EQ(RulesBytes(), kBuiltIn.substr(23));
}

TEST_F(CustomRulesTest, ManagerCancelKeepsTheResults) {
  RunCustomRules([](CRuleListDlg& manager) { Click(manager, kRulesCancelButton); });
  EXPECT_FALSE(m_results->Ended());
  EXPECT_EQ(m_results->RuleCount(), 8);
}

TEST_F(CustomRulesTest, EnterInTheManagerKeepsBothOpen) {
  RunCustomRules([](CRuleListDlg& manager) {
    QTest::keyClick(&manager, Qt::Key_Return);
    EXPECT_FALSE(manager.Ended());
  });
  EXPECT_FALSE(m_results->Ended());
  EXPECT_EQ(RulesBytes(), kBuiltIn);
}

// ---------------------------------------------------------------------------------------------
// The editor in add mode, created directly with its caller's table array and name buffer.

class RuleEditDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_name.fill('\0');
    m_editor = std::make_unique<CRuleEditDlg>(&m_name, &m_tables, 3);
    m_editor->Create();
  }
  void AddBand(const std::string& lower, const std::string& points) {
    Type(*m_editor, kBandLowerEdit, lower);
    Type(*m_editor, kBandPointsEdit, points);
    Click(*m_editor, kAddBandButton);
  }
  Bands Stored() { return BandsOf(*m_tables[3]); }
  std::string NameOut() { return std::string(m_name.data(), m_name.size()); }

  testing::UiSeams m_seams;
  RuleTables m_tables;
  RuleNameBuffer m_name{};
  std::unique_ptr<CRuleEditDlg> m_editor;
};

TEST_F(RuleEditDlgTest, OpensEmptyWithItsTableInTheCallersSlot) {
  EXPECT_EQ(m_editor->windowTitle().toStdString(), "添加自定义算法");
  ASSERT_NE(m_tables[3], nullptr);
  EXPECT_EQ(BandsOf(*m_tables[3]), Bands{});
  EXPECT_EQ((*m_tables[3])[31].points, grading::kNoBand);
  EXPECT_EQ(m_tables[2], nullptr);
  EXPECT_FALSE(Enabled(*m_editor, kEditorOkButton));
  EXPECT_TRUE(Enabled(*m_editor, kAddBandButton));
  EXPECT_EQ(Shown(*m_editor, kBandUpperLabel), "100");
  EXPECT_EQ(m_editor->List().ColumnTitle(0), Gbk("成绩"));
  EXPECT_EQ(m_editor->List().ColumnTitle(1), Gbk("绩点"));
  EXPECT_EQ(m_editor->List().ColumnWidth(0), 178);
  EXPECT_EQ(m_editor->List().ColumnWidth(1), 96);
}

struct BandInput {
  std::string lower;
  std::string points;
};

struct BandRow {
  const char* label;
  std::vector<BandInput> inputs;
  Strings rangeCells;
  Strings pointCells;
  Bands stored;
  Strings boxes;
  std::string upperAfter;
  std::string lowerAfter;
};

class BandEntryTest : public RuleEditDlgTest, public ::testing::WithParamInterface<BandRow> {};

TEST_P(BandEntryTest, AcceptsOrRefuses) {
  const BandRow& row = GetParam();
  for (const BandInput& input : row.inputs) AddBand(input.lower, input.points);
  EXPECT_EQ(Column(m_editor->List(), 0), row.rangeCells);
  EXPECT_EQ(Column(m_editor->List(), 1), row.pointCells);
  EXPECT_EQ(Stored(), row.stored);
  EXPECT_EQ(m_seams.BoxTexts(), row.boxes);
  EXPECT_EQ(Shown(*m_editor, kBandUpperLabel), row.upperAfter);
  EXPECT_EQ(Shown(*m_editor, kBandLowerEdit), row.lowerAfter);
}

const Strings kBad{"输入有误！"};

INSTANTIATE_TEST_SUITE_P(
    Rows, BandEntryTest,
    ::testing::Values(
        BandRow{"FourBands",
                {{"90", "4"}, {"80", "3"}, {"70", "2"}, {"60", "1"}},
                {"100—90", "89—80", "79—70", "69—60"},
                {"4.0", "3.0", "2.0", "1.0"},
                {{90, 40}, {80, 30}, {70, 20}, {60, 10}},
                {},
                "59",
                "59"},
        BandRow{
            "LowerEqualToUpper", {{"100", "4"}}, {"100—100"}, {"4.0"}, {{100, 40}}, {}, "99", "99"},
        BandRow{"LowerAboveUpper", {{"101", "4"}}, {}, {}, {}, kBad, "100", "101"},
        BandRow{"EmptyLower", {{"", "4"}}, {}, {}, {}, kBad, "100", ""},
        BandRow{"EmptyPoints", {{"90", ""}}, {}, {}, {}, kBad, "100", "90"},
        BandRow{"LetterInPoints", {{"90", "4a"}}, {}, {}, {}, kBad, "100", "90"},
        BandRow{"NegativePointsSign", {{"90", "-1"}}, {}, {}, {}, kBad, "100", "90"},
        BandRow{"TwoPoints", {{"90", "3.7.1"}}, {"100—90"}, {"3.7"}, {{90, 37}}, {}, "89", "89"},
        BandRow{"SinglePoint", {{"90", "."}}, {"100—90"}, {"0.0"}, {{90, 0}}, {}, "89", "89"},
        BandRow{"TwoDecimals", {{"90", "3.67"}}, {"100—90"}, {"3.7"}, {{90, 37}}, {}, "89", "89"},
        BandRow{"LeadingZeros", {{"090", "4"}}, {"100—090"}, {"4.0"}, {{90, 40}}, {}, "89", "89"},
        BandRow{"PressAgainUnedited",
                {{"90", "4"}, {"89", "4.0"}},
                {"100—90", "89—89"},
                {"4.0", "4.0"},
                {{90, 40}, {89, 40}},
                {},
                "88",
                "88"},
        BandRow{"PointsBelowTheByteLimit",
                {{"90", "25.4"}},
                {"100—90"},
                {"25.4"},
                {{90, 254}},
                {},
                "89",
                "89"},
        BandRow{"PointsAtTheByteLimit", {{"90", "25.5"}}, {}, {}, {}, kBad, "100", "90"},
        BandRow{"PointsRoundingToTheLimit", {{"90", "25.46"}}, {}, {}, {}, kBad, "100", "90"},
        BandRow{"HugePoints", {{"90", "99999999999999999999"}}, {}, {}, {}, kBad, "100", "90"},
        BandRow{
            "BandAtZeroClosesTheRule", {{"0", "1"}}, {"100—0"}, {"1.0"}, {{0, 10}}, {}, "*", ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RuleEditDlgTest, BandAtZeroDisablesAdd) {
  AddBand("0", "1");
  EXPECT_FALSE(Enabled(*m_editor, kAddBandButton));
}

TEST_F(RuleEditDlgTest, PressingAddAgainAddsAOneScoreBand) {
  AddBand("90", "4");
  Click(*m_editor, kAddBandButton);
  EXPECT_EQ(Column(m_editor->List(), 0), (Strings{"100—90", "89—89"}));
  EXPECT_EQ(Stored(), (Bands{{90, 40}, {89, 40}}));
}

TEST_F(RuleEditDlgTest, LowerBoundTakesDigitsOnly) {
  QLineEdit* lower = m_editor->ItemAs<QLineEdit>(kBandLowerEdit);
  lower->setFocus();
  QTest::keyClicks(lower, "9a-0");
  EXPECT_EQ(lower->text().toStdString(), "90");
}

struct NameRow {
  const char* label;
  std::string utf8;
  bool okEnabled;
};

class NameLengthTest : public RuleEditDlgTest, public ::testing::WithParamInterface<NameRow> {};

TEST_P(NameLengthTest, OkFollowsTheNameLength) {
  Type(*m_editor, kRuleNameEdit, "x");
  Type(*m_editor, kRuleNameEdit, GetParam().utf8);
  EXPECT_EQ(Enabled(*m_editor, kEditorOkButton), GetParam().okEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NameLengthTest,
    ::testing::Values(NameRow{"Empty", "", false}, NameRow{"OneByte", "a", true},
                      NameRow{"TwentyBytes", "一二三四五六七八九十", true},
                      NameRow{"TwentyOneBytes", "一二三四五六七八九十a", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RuleEditDlgTest, OkAppendsTheZeroBandAndHandsTheNameBack) {
  for (const auto& [lower, points] :
       {std::pair{"90", "4"}, {"80", "3"}, {"70", "2"}, {"60", "1"}}) {
    AddBand(lower, points);
  }
  m_name.fill('\x7f');  // bytes after the name stay as the caller left them
  Type(*m_editor, kRuleNameEdit, "新算法");
  Click(*m_editor, kEditorOkButton);
  EXPECT_EQ(m_editor->Result(), 1);
  EXPECT_EQ(Stored(), (Bands{{90, 40}, {80, 30}, {70, 20}, {60, 10}, {0, 0}}));
  EXPECT_EQ(NameOut(), Gbk("新算法") + std::string(14, '\x7f'));
}

TEST_F(RuleEditDlgTest, OkAfterABandAtZeroAppendsNothing) {
  AddBand("60", "2");
  AddBand("0", "1");
  Type(*m_editor, kRuleNameEdit, "a");
  Click(*m_editor, kEditorOkButton);
  EXPECT_EQ(m_editor->Result(), 1);
  EXPECT_EQ(Stored(), (Bands{{60, 20}, {0, 10}}));
}

TEST_F(RuleEditDlgTest, OkWithoutABandEndsWithZero) {
  Type(*m_editor, kRuleNameEdit, "a");
  Click(*m_editor, kEditorOkButton);
  EXPECT_TRUE(m_editor->Ended());
  EXPECT_EQ(m_editor->Result(), 0);
  EXPECT_EQ(NameOut(), std::string(20, '\0'));
}

TEST_F(RuleEditDlgTest, EnterActsAsOk) {
  AddBand("90", "4");
  Type(*m_editor, kRuleNameEdit, "b");
  QTest::keyClick(m_editor->ItemAs<QLineEdit>(kRuleNameEdit), Qt::Key_Return);
  EXPECT_EQ(m_editor->Result(), 1);
  EXPECT_EQ(Stored(), (Bands{{90, 40}, {0, 0}}));
  EXPECT_EQ(NameOut()[0], 'b');
}

TEST_F(RuleEditDlgTest, EnterWhileOkIsDisabledDoesNothing) {
  AddBand("90", "4");
  QTest::keyClick(m_editor->ItemAs<QLineEdit>(kBandPointsEdit), Qt::Key_Return);
  QTest::keyClick(m_editor.get(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(m_editor->Ended());
  EXPECT_EQ(Stored(), (Bands{{90, 40}}));
}

TEST_F(RuleEditDlgTest, EscapeEndsWithCancel) {
  QTest::keyClick(m_editor.get(), Qt::Key_Escape);
  EXPECT_TRUE(m_editor->Ended());
  EXPECT_NE(m_editor->Result(), 1);
}

struct UnstorableRow {
  const char* label;
  std::string gbk;
  bool storable;
};

class RuleNameStorageTest : public RuleEditDlgTest,
                            public ::testing::WithParamInterface<UnstorableRow> {};

TEST_P(RuleNameStorageTest, OkRefusesNamesTheFileCannotHold) {
  const UnstorableRow& row = GetParam();
  AddBand("0", "4");
  m_editor->ItemAs<QLineEdit>(kRuleNameEdit)
      ->setText(QString::fromStdString(platform::GbkToUtf8(row.gbk)));
  Click(*m_editor, kEditorOkButton);
  if (row.storable) {
    EXPECT_EQ(m_editor->Result(), 1);
    EXPECT_TRUE(m_seams.boxes.empty());
    // It reads back as written.
    grading::Rule rule{row.gbk, *m_tables[3]};
    EXPECT_EQ(grading::ParseRulesFile(grading::FormatRulesFile({{rule}})).ruleSet.rules.at(0).name,
              row.gbk);
    return;
  }
  EXPECT_FALSE(m_editor->Ended());
  EXPECT_EQ(m_seams.BoxTexts(),
            Strings{"算法名称中含有无法保存的字符（字母p，或开头的字母q），请修改名称！"});
  EXPECT_EQ(NameOut(), std::string(20, '\0'));
  Type(*m_editor, kRuleNameEdit, "ok");
  Click(*m_editor, kEditorOkButton);
  EXPECT_EQ(m_editor->Result(), 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, RuleNameStorageTest,
                         ::testing::Values(UnstorableRow{"LetterP", "gpa", false},
                                           UnstorableRow{"TrailByte0x70", "\xb0\x70", false},
                                           UnstorableRow{"LeadingQ", "q1", false},
                                           UnstorableRow{"QInside", "aq", true},
                                           UnstorableRow{"TrailByte0x71", "\xb0\x71", true},
                                           UnstorableRow{"Chinese", Gbk("北大4.0算法"), true}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(RuleEditDlgTest, ThirtyTwoBandsAtMostTheLastAtZero) {
  for (int lower = 100; lower >= 70; --lower) AddBand(std::to_string(lower), "1");
  ASSERT_EQ(Stored().size(), 31u);
  EXPECT_TRUE(m_seams.boxes.empty());
  AddBand("69", "1");
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"分数段已达上限，最后一段的下限必须为0！"});
  EXPECT_EQ(Stored().size(), 31u);
  AddBand("0", "1");
  EXPECT_EQ(Stored().size(), 32u);
  Type(*m_editor, kRuleNameEdit, "full");
  Click(*m_editor, kEditorOkButton);
  EXPECT_EQ(m_editor->Result(), 1);
  EXPECT_EQ(Stored().size(), 32u);
  EXPECT_EQ(Stored().back(), (std::pair<int, int>{0, 10}));
  grading::RuleSet set{{grading::Rule{"full", *m_tables[3]}}};
  EXPECT_EQ(grading::ParseRulesFile(grading::FormatRulesFile(set)).status,
            grading::RulesFileStatus::Loaded);
}

TEST(RuleEditViewMode, OkEndsWithZero) {
  testing::UiSeams seams;
  grading::BandTable bands = MakeRule("x", {{60, 43}, {0, 0}}).bands;
  const grading::BandTable before = bands;
  CRuleEditDlg viewer(Gbk("查看"), &bands);
  viewer.Create();
  EXPECT_EQ(Column(viewer.List(), 0), (Strings{"100—60", "59—0"}));
  EXPECT_EQ(Column(viewer.List(), 1), (Strings{"4.3", "0.0"}));
  QTest::keyClick(&viewer, Qt::Key_Return);
  EXPECT_EQ(viewer.Result(), 0);
  EXPECT_TRUE(viewer.Ended());
  EXPECT_EQ(BandsOf(bands), BandsOf(before));
}

}  // namespace
}  // namespace gradova::ui
