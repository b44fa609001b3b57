// Hostile input through the real windows, offscreen: huge and broken course files, long and odd
// names typed or pasted, and rules files at and past the file's capacity. Each case states what
// the user sees (message boxes, list rows, buttons, the results window's rules) and what a saved
// file then holds. The big inputs are made here, not kept as files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>

#include "courses/course_file.h"
#include "grading/rules_file.h"
#include "platform/gbk.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"
#include "ui/main_dlg.h"
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
using namespace std::string_literals;

constexpr std::size_t kMiB = 1024 * 1024;
const Strings kNoBoxes;
const Strings kFormatError{"文件格式错误!"};
const Strings kDataError{"文件包含错误数据!"};
const Strings kRulesDamaged{"算法文件已损坏！"};
// What a cell of the course list may show at most: its first 259 characters and an ellipsis.
constexpr int kMostShownChars = 260;

// Compares byte strings of megabytes without printing them.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  const auto mismatch =
      std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  return ::testing::AssertionFailure()
         << actual.size() << " bytes where " << expected.size()
         << " were expected; first difference at byte " << (mismatch.first - actual.begin());
}

// Bytes from the standard's fixed Mersenne Twister sequence: the same on every machine.
std::string RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

std::string Repeat(std::string_view piece, std::size_t atLeastBytes) {
  std::string text;
  text.reserve(atLeastBytes + piece.size());
  while (text.size() < atLeastBytes) text.append(piece);
  return text;
}

std::string GoodLines() { return Gbk("高等数学 5 100\r\nLinear Algebra 4 100\r\n"); }

// ---------------------------------------------------------------------------------------------
// The main window in a fresh directory, with every box and file dialog scripted.

class HostileInputTest : public ::testing::Test {
 public:
  QLineEdit* Edit(int id) { return m_dialog->ItemAs<QLineEdit>(id); }
  QPushButton* Button(int id) { return m_dialog->ItemAs<QPushButton>(id); }
  void Click(int id) { Button(id)->click(); }
  std::string Path(const std::string& name) { return m_dir.Path(name); }
  platform::ListControl& List() { return m_dialog->List(); }
  int Courses() { return List().GetItemCount() - 1; }
  // "从文件" on a file of `bytes`.
  void Load(const std::string& bytes) {
    testing::WriteBytes(Path("in.txt"), bytes);
    m_seams.fileAnswers.push_back(Path("in.txt"));
    Click(kFromFileButton);
  }
  // "保存当前" as "saved.txt"; the file's bytes.
  std::string Save() {
    m_seams.fileAnswers.push_back(Path("saved.txt"));
    Click(kSaveCurrentButton);
    return testing::ReadBytes(Path("saved.txt")).value_or("(no file)");
  }
  // The characters the view is given for a cell.
  int ShownLength(int row, int column) {
    QAbstractItemModel* model = List().View()->model();
    return static_cast<int>(model->data(model->index(row, column)).toString().size());
  }
  // Draws the whole window as the screen would, visible rows of the list included.
  void Paint() { ASSERT_FALSE(m_dialog->grab().isNull()); }
  void Paste(int id, const QString& text) {
    QApplication::clipboard()->setText(text);
    Edit(id)->setFocus();
    QTest::keySequence(Edit(id), QKeySequence::Paste);
  }
  // A commit string, as an input method delivers typed Chinese.
  void Commit(int id, const QString& text) {
    Edit(id)->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(Edit(id), &event);
  }

 protected:
  void SetUp() override {
    m_dialog = std::make_unique<CMainDlg>();
    m_dialog->Create();
  }
  void TearDown() override { m_dialog.reset(); }

  testing::TempDir m_dir;
  testing::UiSeams m_seams;
  testing::ScopedCurrentPath m_inDir{m_dir.Root()};
  std::unique_ptr<CMainDlg> m_dialog;
};

// ---------------------------------------------------------------------------------------------
// Course files through "从文件".

struct CourseFile {
  std::string bytes;
  int courses;  // the courses it holds when it loads
};

struct LoadRow {
  const char* label;
  std::function<CourseFile()> make;
  Strings boxes;          // shown by the load
  std::string firstName;  // UTF-8 of the first row's name when it is short enough to state
  bool savesBackWhole;    // "保存当前" then writes exactly the loaded bytes
};

class HostileLoad : public HostileInputTest, public ::testing::WithParamInterface<LoadRow> {};

TEST_P(HostileLoad, ShowsTheLineChecksOutcome) {
  const LoadRow& row = GetParam();
  const CourseFile file = row.make();
  Load(file.bytes);
  EXPECT_EQ(m_seams.BoxTexts(), row.boxes);
  const int courses = row.boxes.empty() ? file.courses : 0;
  ASSERT_EQ(Courses(), courses);
  EXPECT_EQ(List().GetItemText(courses, 0), "");
  EXPECT_EQ(Button(kSaveCurrentButton)->isEnabled(), row.boxes.empty());
  EXPECT_EQ(Button(kClearCurrentButton)->isEnabled(), row.boxes.empty());
  EXPECT_FALSE(m_dialog->Modified());
  EXPECT_EQ(Edit(kNameEdit)->text(), "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  if (!row.firstName.empty()) {
    EXPECT_EQ(platform::GbkToUtf8(List().GetItemText(0, 0)), row.firstName);
  }
  for (int column = 0; column < 3 && courses > 0; ++column) {
    EXPECT_LE(ShownLength(0, column), kMostShownChars) << column;
    EXPECT_LE(ShownLength(courses - 1, column), kMostShownChars) << column;
  }
  Paint();
  if (row.savesBackWhole) {
    EXPECT_TRUE(SameBytes(Save(), file.bytes));
  }
  if (courses > 0) {
    Click(kClearCurrentButton);
    EXPECT_EQ(Courses(), 0);
  }
}

// 50 MB of good lines: a GBK name, credits 1 to 6, a score 0 to 100.
CourseFile FiftyMegabytes() {
  CourseFile file{{}, 0};
  file.bytes.reserve(50 * kMiB + 64);
  const std::string name = Gbk("课程");
  char line[64];
  while (file.bytes.size() < 50 * kMiB) {
    std::snprintf(line, sizeof line, " %d %d\r\n", 1 + file.courses % 6, file.courses % 101);
    file.bytes.append(name).append(std::to_string(file.courses)).append(line);
    ++file.courses;
  }
  return file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileLoad,
    ::testing::Values(
        LoadRow{"FiftyMegabytesOfCourses", FiftyMegabytes, kNoBoxes, "课程0", true},
        LoadRow{
            "LineOfTenMegabytesIsOneCourse",
            [] {
              return CourseFile{Repeat(Gbk("高等数学 Linear Algebra "), 10 * kMiB) + "2 60\r\n", 1};
            },
            kNoBoxes, "", true},
        LoadRow{"TenMegabyteLineWithoutASpace",
                [] {
                  return CourseFile{std::string(10 * kMiB, 'x') + "\r\n", 0};
                },
                kFormatError, "", false},
        LoadRow{"TenMegabytesOfSpaces",
                [] {
                  return CourseFile{std::string(10 * kMiB, ' '), 0};
                },
                kFormatError, "", false},
        LoadRow{"TenMegabyteScore",
                [] {
                  return CourseFile{"a 2 " + std::string(10 * kMiB, '9') + "\r\n", 0};
                },
                kDataError, "", false},
        LoadRow{"TenMegabyteCreditsOfOnes",
                [] {
                  return CourseFile{"a " + std::string(10 * kMiB, '1') + " 60\r\n", 1};
                },
                kNoBoxes, "a", true},
        LoadRow{"TenMegabyteBadLineAfterGoodLines",
                [] {
                  return CourseFile{GoodLines() + std::string(10 * kMiB, 'x'), 0};
                },
                kFormatError, "", false},
        LoadRow{"NulInTheName",
                [] {
                  return CourseFile{"a\0b 2 60\r\n"s, 1};
                },
                kNoBoxes, "a\0b"s, true},
        LoadRow{"NulAfterTheNumbers",
                [] {
                  return CourseFile{"a 2\0 6\0\r\n"s, 1};
                },
                kNoBoxes, "a", true},
        LoadRow{"NulAsTheCredits",
                [] {
                  return CourseFile{"a \0 60\r\n"s, 0};
                },
                kDataError, "", false},
        LoadRow{"LineOfNulsOnly",
                [] {
                  return CourseFile{GoodLines() + "\0\0\0\r\n"s, 0};
                },
                kFormatError, "", false},
        LoadRow{"BytesGbkDoesNotDefine",
                [] {
                  return CourseFile{"\xff\xfe\x81 2 60\r\n", 1};
                },
                kNoBoxes, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", true},
        LoadRow{"MegabyteOfRandomBytes",
                [] {
                  return CourseFile{RandomBytes(kMiB, 20261207), 0};
                },
                kDataError, "", false},
        LoadRow{"MegabyteOfRandomBytesWithoutASpace",
                [] {
                  std::string bytes = RandomBytes(kMiB, 7);
                  std::replace(bytes.begin(), bytes.end(), ' ', 'x');
                  return CourseFile{bytes, 0};
                },
                kFormatError, "", false},
        LoadRow{"RandomBytesAfterGoodLines",
                [] {
                  return CourseFile{GoodLines() + RandomBytes(kMiB, 5), 0};
                },
                kDataError, "", false}),
    [](const auto& info) { return std::string(info.param.label); });

// The random rows above state what the line checks say of those bytes.
TEST(HostileLoadOracle, RandomBytesFailTheLineChecksAsStated) {
  EXPECT_EQ(courses::ParseCourseFile(RandomBytes(kMiB, 20261207)).error,
            courses::CourseFileError::BadData);
  EXPECT_EQ(courses::ParseCourseFile(GoodLines() + RandomBytes(kMiB, 5)).error,
            courses::CourseFileError::BadData);
  std::string withoutSpace = RandomBytes(kMiB, 7);
  std::replace(withoutSpace.begin(), withoutSpace.end(), ' ', 'x');
  EXPECT_EQ(courses::ParseCourseFile(withoutSpace).error, courses::CourseFileError::BadFormat);
}

TEST_F(HostileInputTest, LoadRunsUnderTheWaitCursorButNoBoxDoes) {
  std::vector<bool> waitingWhileRowsArrive;
  QObject::connect(List().View()->model(), &QAbstractItemModel::rowsInserted, [&] {
    const QCursor* cursor = QApplication::overrideCursor();
    waitingWhileRowsArrive.push_back(cursor && cursor->shape() == Qt::WaitCursor);
  });
  Load(GoodLines());
  EXPECT_EQ(waitingWhileRowsArrive, std::vector<bool>{true});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  std::vector<bool> waitingUnderABox;
  platform::SetMessageBoxResponderForTesting([&](const platform::MessageBoxRequest&) {
    waitingUnderABox.push_back(QApplication::overrideCursor() != nullptr);
    return platform::kIdOk;
  });
  Load("nospace\r\n");
  m_seams.fileAnswers.push_back(Path("missing.txt"));
  Click(kFromFileButton);
  EXPECT_EQ(waitingUnderABox, (std::vector<bool>{false, false}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A click on a course of 10 MB shows it in the fields as far as an entry field holds text.
TEST_F(HostileInputTest, ClickOnATenMegabyteCourseFillsTheFields) {
  const std::string name(10 * kMiB, 'n');
  Load(name + " 2 60\r\n");
  List().SelectRow(0);
  QTest::mouseClick(List().View()->viewport(), Qt::LeftButton, {},
                    List().View()->visualRect(List().View()->model()->index(0, 0)).center());
  EXPECT_EQ(Button(kAddModifyButton)->text(), "修改");
  EXPECT_EQ(Edit(kNameEdit)->text().size(), Edit(kNameEdit)->maxLength());
  EXPECT_EQ(Edit(kScoreEdit)->text(), "60");
  EXPECT_TRUE(SameBytes(List().GetItemText(0, 0), name));
  Paint();
}

// ---------------------------------------------------------------------------------------------
// Names typed and pasted into the entry fields, then "添加" and "保存当前".

struct NameRow {
  const char* label;
  std::function<void(HostileInputTest&)> enter;  // puts the name into the name field
  std::function<std::string()> stored;           // the GBK name the row and the file then hold
};

class HostileName : public HostileInputTest, public ::testing::WithParamInterface<NameRow> {};

TEST_P(HostileName, IsAddedAndSavedAsTheFieldHoldsIt) {
  GetParam().enter(*this);
  Edit(kCreditsEdit)->setText("2");
  Edit(kScoreEdit)->setText("60");
  Click(kAddModifyButton);
  const std::string stored = GetParam().stored();
  EXPECT_EQ(m_seams.BoxTexts(), kNoBoxes);
  ASSERT_EQ(Courses(), 1);
  EXPECT_TRUE(SameBytes(List().GetItemText(0, 0), stored));
  EXPECT_TRUE(SameBytes(platform::Utf8ToGbk(Edit(kNameEdit)->text().toStdString()), stored));
  EXPECT_LE(ShownLength(0, 0), kMostShownChars);
  Paint();
  EXPECT_TRUE(SameBytes(Save(), stored + " 2 60\r\n"));
  // The saved file loads back as the same course.
  m_seams.fileAnswers.push_back(Path("saved.txt"));
  Click(kFromFileButton);
  EXPECT_EQ(m_seams.BoxTexts(), kNoBoxes);
  ASSERT_EQ(Courses(), 1);
  EXPECT_TRUE(SameBytes(List().GetItemText(0, 0), stored));
}

std::string Letters(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('a' + i % 26);
  return text;
}

QString Chinese(std::size_t count) {
  const QString pieces = QStringLiteral("高等数学线性代数");
  QString text;
  for (std::size_t i = 0; i < count; ++i) text += pieces[static_cast<qsizetype>(i % 8)];
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileName,
    ::testing::Values(
        NameRow{"TenThousandLettersTyped",
                [](HostileInputTest& t) {
                  t.Edit(kNameEdit)->setFocus();
                  QTest::keyClicks(t.Edit(kNameEdit), QString::fromStdString(Letters(10000)));
                },
                [] { return Letters(10000); }},
        NameRow{"TenThousandChineseCharactersPasted",
                [](HostileInputTest& t) { t.Paste(kNameEdit, Chinese(10000)); },
                [] { return platform::Utf8ToGbk(Chinese(10000).toStdString()); }},
        NameRow{"TenThousandChineseCharactersFromAnInputMethod",
                [](HostileInputTest& t) { t.Commit(kNameEdit, Chinese(10000)); },
                [] { return platform::Utf8ToGbk(Chinese(10000).toStdString()); }},
        // An entry field holds at most 32,767 characters, as a single-line edit control does.
        NameRow{
            "FortyThousandLettersPastedKeepTheFieldsLimit",
            [](HostileInputTest& t) { t.Paste(kNameEdit, QString::fromStdString(Letters(40000))); },
            [] { return Letters(32767); }},
        // A line feed in a name would split the course across two lines of the saved file.
        NameRow{"PastedLinesKeepTheFirstLine",
                [](HostileInputTest& t) {
                  t.Paste(kNameEdit, QStringLiteral("高等数学\r\n线性代数 2 60"));
                },
                [] { return Gbk("高等数学"); }},
        NameRow{"PastedLineFeedOnly",
                [](HostileInputTest& t) { t.Paste(kNameEdit, QStringLiteral("a\nb 3 90\n")); },
                [] { return std::string("a"); }},
        NameRow{"InputMethodLinesKeepTheFirstLine",
                [](HostileInputTest& t) { t.Commit(kNameEdit, QStringLiteral("数学\n物理")); },
                [] { return Gbk("数学"); }},
        // GBK cannot hold an emoji, a CJK character of extension B or Hangul: each becomes "?".
        NameRow{"CharactersGbkCannotHoldTyped",
                [](HostileInputTest& t) { t.Commit(kNameEdit, QString::fromUtf8("数学😀𠀀한")); },
                [] { return Gbk("数学???"); }},
        NameRow{"CharactersGbkCannotHoldPasted",
                [](HostileInputTest& t) { t.Paste(kNameEdit, QString::fromUtf8("😀a\U0001F600")); },
                [] { return std::string("?a?"); }}),
    [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// Rules files at and past the file's capacity: what the results window and the rule manager show.

// Rule `r` of a full table: 32 bands from 93 down to 0 in steps of 3, band k worth 4.0 + r - k
// tenths, so that a score of 100 gets (40 + r) tenths under rule r.
grading::Rule FullRule(int r) {
  char name[16];
  std::snprintf(name, sizeof name, "%02d", r + 1);
  grading::Rule rule{Gbk("规则") + name, grading::MakeEmptyBandTable()};
  for (std::size_t k = 0; k < grading::kBandSlots; ++k) {
    rule.bands[k] = {static_cast<std::uint16_t>(93 - 3 * k),
                     static_cast<std::uint16_t>(40 + r - static_cast<int>(k))};
  }
  return rule;
}

std::string FullRules(int count) {
  std::string bytes;
  for (int r = 0; r < count; ++r) bytes += grading::FormatRulesFile({{FullRule(r)}});
  return bytes;
}

Strings FullRuleNames(int count) {
  Strings names;
  for (int r = 0; r < count; ++r) names.push_back(platform::GbkToUtf8(FullRule(r).name));
  return names;
}

// A record as the file stores it, for names the writer would never write: each name byte
// lowered by the file's 11, then 0x65, the band bytes and 0x66.
std::string RawRecord(const std::string& nameGbk, const std::string& bandBytes) {
  std::string stored = nameGbk;
  for (char& c : stored) c = static_cast<char>(static_cast<unsigned char>(c) - 11);
  return stored + "\x65" + bandBytes + "\x66";
}

const std::string kTwentyByteName = Gbk("一二三四五六七八九十");
const std::string kZeroBand("\x00\x00", 2);

struct RulesRow {
  const char* label;
  std::function<std::string()> bytes;
  Strings boxes;  // shown when the results window or the rule manager opens
  Strings names;  // the rules both then show, in file order
};

class HostileRules : public HostileInputTest, public ::testing::WithParamInterface<RulesRow> {
 protected:
  void SetUp() override {
    HostileInputTest::SetUp();
    testing::WriteBytes(Path("rules"), GetParam().bytes());
  }
  void TearDown() override {
    platform::Dialog::SetModalRunnerForTesting(nullptr);
    HostileInputTest::TearDown();
  }
};

TEST_P(HostileRules, ResultsWindowShowsTheCompleteRules) {
  Strings titles;
  int rowsShown = 0;
  platform::Dialog::SetModalRunnerForTesting([&](platform::Dialog& dialog) {
    auto& results = static_cast<CResultDlg&>(dialog);
    for (int column = 0; column < results.List().ColumnCount(); ++column) {
      titles.push_back(platform::GbkToUtf8(results.List().ColumnTitle(column)));
    }
    rowsShown = results.List().GetItemCount();
    EXPECT_FALSE(results.grab().isNull());
    results.ItemAs<QPushButton>(kResultOkButton)->click();
  });
  Edit(kNameEdit)->setText("a");
  Edit(kCreditsEdit)->setText("2");
  Edit(kScoreEdit)->setText("100");
  Click(kAddModifyButton);
  Click(kViewGpaButton);
  Strings expected{"课程名称", "学分", "成绩"};
  expected.insert(expected.end(), GetParam().names.begin(), GetParam().names.end());
  EXPECT_EQ(titles, expected);
  EXPECT_EQ(rowsShown, 4);
  EXPECT_EQ(m_seams.BoxTexts(), GetParam().boxes);
}

TEST_P(HostileRules, RuleManagerListsThemAndOkWritesThem) {
  platform::Dialog::SetModalRunnerForTesting([](platform::Dialog& editor) {
    editor.ItemAs<QPushButton>(kEditorOkButton)->click();  // disabled in a new rule: no effect
  });
  const std::string before = testing::ReadBytes(Path("rules")).value_or("");
  CRuleListDlg manager;
  manager.Create();
  Strings names;
  for (int row = 0; row < manager.List().GetItemCount(); ++row) {
    names.push_back(platform::GbkToUtf8(manager.List().GetItemText(row, 0)));
  }
  Strings expected = GetParam().names;
  expected.push_back("");
  EXPECT_EQ(names, expected);
  EXPECT_EQ(m_seams.BoxTexts(), GetParam().boxes);
  m_seams.boxes.clear();

  // "添加算法" on the empty last row: refused at 32 rules, otherwise the editor opens.
  manager.List().SelectRow(manager.List().GetItemCount() - 1);
  manager.ItemAs<QPushButton>(kAddDeleteRuleButton)->click();
  EXPECT_EQ(m_seams.BoxTexts(), GetParam().names.size() == grading::kMaxRules
                                    ? Strings{"算法已达32个，不能再添加！"}
                                    : kNoBoxes);
  EXPECT_EQ(manager.RuleCount(), static_cast<int>(GetParam().names.size()));
  m_seams.boxes.clear();

  manager.ItemAs<QPushButton>(kRulesOkButton)->click();
  if (GetParam().names.empty()) {
    EXPECT_EQ(m_seams.BoxTexts(), Strings{"提示：不能没有算法！"});
    EXPECT_FALSE(manager.Ended());
    EXPECT_EQ(testing::ReadBytes(Path("rules")), before);
  } else {
    EXPECT_EQ(manager.Result(), 1);
    const std::string written = testing::ReadBytes(Path("rules")).value_or("");
    const grading::RulesFileContents reread = grading::ParseRulesFile(written);
    EXPECT_EQ(reread.status, grading::RulesFileStatus::Loaded);
    Strings rereadNames;
    for (const grading::Rule& rule : reread.ruleSet.rules) {
      rereadNames.push_back(platform::GbkToUtf8(rule.name));
    }
    EXPECT_EQ(rereadNames, GetParam().names);
    // What was read whole is written back byte for byte.
    EXPECT_TRUE(
        SameBytes(written, grading::FormatRulesFile(grading::ParseRulesFile(before).ruleSet)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileRules,
    ::testing::Values(
        RulesRow{"ThirtyTwoRulesOfThirtyTwoBands", [] { return FullRules(32); }, kNoBoxes,
                 FullRuleNames(32)},
        RulesRow{"ThirtyThreeRules", [] { return FullRules(33); }, kRulesDamaged,
                 FullRuleNames(32)},
        RulesRow{"RuleOfThirtyThreeBands",
                 [] {
                   std::string bands;
                   for (int k = 0; k < 33; ++k) bands += {static_cast<char>(96 - 3 * k), '\x0a'};
                   return FullRules(1) + RawRecord("x", bands);
                 },
                 kRulesDamaged, FullRuleNames(1)},
        RulesRow{"NameOfTwentyBytes", [] { return RawRecord(kTwentyByteName, kZeroBand); },
                 kNoBoxes, Strings{"一二三四五六七八九十"}},
        RulesRow{"NameOfTwentyOneBytes",
                 [] { return FullRules(1) + RawRecord(kTwentyByteName + "a", kZeroBand); },
                 kRulesDamaged, FullRuleNames(1)},
        RulesRow{"OnlyANameOfTwentyOneBytes",
                 [] { return RawRecord(kTwentyByteName + "a", kZeroBand); }, kRulesDamaged,
                 Strings{}}),
    [](const auto& info) { return std::string(info.param.label); });

// Under 32 rules of 32 bands every rule cell of the results window is its band's points.
TEST_F(HostileInputTest, ThirtyTwoRulesOfThirtyTwoBandsAreEvaluated) {
  testing::WriteBytes(Path("rules"), FullRules(32));
  std::vector<Strings> rows;
  platform::Dialog::SetModalRunnerForTesting([&](platform::Dialog& dialog) {
    auto& results = static_cast<CResultDlg&>(dialog);
    for (int row = 0; row < results.List().GetItemCount(); ++row) {
      rows.emplace_back();
      for (int column = 0; column < results.List().ColumnCount(); ++column) {
        rows.back().push_back(platform::GbkToUtf8(results.List().GetItemText(row, column)));
      }
    }
  });
  for (const char* score : {"100", "0"}) {
    Edit(kCreditsEdit)->setText("2");
    Edit(kScoreEdit)->setText(score);
    Click(kAddModifyButton);
  }
  Click(kViewGpaButton);
  platform::Dialog::SetModalRunnerForTesting(nullptr);
  ASSERT_EQ(rows.size(), 5u);
  ASSERT_EQ(rows[0].size(), 35u);
  for (int r = 0; r < 32; ++r) {
    char top[16], bottom[16], gpa[16];
    std::snprintf(top, sizeof top, "%.1f", (40 + r) / 10.0);
    std::snprintf(bottom, sizeof bottom, "%.1f", (9 + r) / 10.0);
    std::snprintf(gpa, sizeof gpa, "%.2f", (49 + 2 * r) / 20.0 + 1e-9);
    EXPECT_EQ(rows[0][3 + r], top) << r;
    EXPECT_EQ(rows[1][3 + r], bottom) << r;
    EXPECT_EQ(rows[3][3 + r], gpa) << r;
  }
  EXPECT_EQ(rows[4][0], "共计2门课");
  EXPECT_TRUE(m_seams.boxes.empty());
}

// The 32nd band of a full rule is shown by "查看详细" like any other.
TEST_F(HostileInputTest, ViewDetailsShowsAllThirtyTwoBands) {
  testing::WriteBytes(Path("rules"), FullRules(32));
  Strings ranges;
  platform::Dialog::SetModalRunnerForTesting([&](platform::Dialog& dialog) {
    auto& viewer = static_cast<CRuleEditDlg&>(dialog);
    for (int row = 0; row < viewer.List().GetItemCount(); ++row) {
      ranges.push_back(platform::GbkToUtf8(viewer.List().GetItemText(row, 0)));
    }
    viewer.ItemAs<QPushButton>(kEditorOkButton)->click();
  });
  CRuleListDlg manager;
  manager.Create();
  QTreeView* view = manager.List().View();
  view->scrollTo(view->model()->index(31, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    view->visualRect(view->model()->index(31, 0)).center());
  manager.ItemAs<QPushButton>(kViewDetailsButton)->click();
  platform::Dialog::SetModalRunnerForTesting(nullptr);
  ASSERT_EQ(ranges.size(), 32u);
  EXPECT_EQ(ranges.front(), "100—93");
  EXPECT_EQ(ranges[1], "92—90");
  EXPECT_EQ(ranges.back(), "2—0");
}

// Random bytes as `rules`: both windows show exactly what the reader takes from them.
TEST_F(HostileInputTest, RandomRulesBytesShowWhatTheReaderTakes) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    const std::string bytes = RandomBytes(64 + seed * 37, seed);
    testing::WriteBytes(Path("rules"), bytes);
    const grading::RulesFileContents read = grading::ParseRulesFile(bytes);
    const Strings boxes =
        read.status == grading::RulesFileStatus::Damaged ? kRulesDamaged : kNoBoxes;
    m_seams.boxes.clear();
    CRuleListDlg manager;
    manager.Create();
    ASSERT_EQ(manager.RuleCount(), static_cast<int>(read.ruleSet.rules.size())) << seed;
    for (int row = 0; row < manager.RuleCount(); ++row) {
      EXPECT_EQ(manager.List().GetItemText(row, 0), read.ruleSet.rules[row].name) << seed;
    }
    EXPECT_EQ(m_seams.BoxTexts(), boxes) << seed;
    EXPECT_FALSE(manager.grab().isNull());

    m_seams.boxes.clear();
    CResultDlg results(1, std::string("a\r2\r90\r"));
    results.Create();
    ASSERT_EQ(results.RuleCount(), static_cast<int>(read.ruleSet.rules.size())) << seed;
    EXPECT_EQ(m_seams.BoxTexts(), boxes) << seed;
    EXPECT_EQ(results.List().GetItemCount(), 4) << seed;
    EXPECT_FALSE(results.grab().isNull());
  }
}

}  // namespace
}  // namespace gradova::ui
