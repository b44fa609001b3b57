#pragma once
// The one fixture of the widget tests: a fresh working directory holding the built-in `rules`,
// boxes, file dialogs and modal dialogs answered through the platform's seams, and helpers that
// drive the real controls as a user would.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <functional>
#include <map>

#include "platform/files.h"
#include "platform/gbk.h"
#include "support/temp_dir.h"
#include "ui/main_dlg.h"
#include "ui/res/resource_ids.h"
#include "ui_seams.h"

namespace gradova::ui {

using Strings = std::vector<std::string>;

inline std::string Gbk(std::string_view utf8) { return platform::Utf8ToGbk(utf8); }
inline std::string Utf8(std::string_view gbk) { return platform::GbkToUtf8(gbk); }
inline std::string Data(const std::string& name) {
  return platform::ReadWholeFile(GRADOVA_TEST_DATA_DIR "/" + name).value_or("");
}
inline const std::string kBuiltIn = Data("builtin_rules");

// A row of a table test: what is done, and the state it ends in.
struct Row {
  const char* label;
  std::string input;
  std::string state;
};
inline void PrintTo(const Row& row, std::ostream* os) { *os << row.label; }
inline const auto kLabel = [](const auto& row) { return std::string(row.param.label); };

// "a,,b" split at ',' into "a", "", "b".
inline Strings Split(std::string_view text, char separator) {
  Strings pieces(1);
  for (char c : text) c == separator ? pieces.emplace_back() : pieces.back().append(1, c);
  return pieces;
}

inline void Click(platform::Dialog& dialog, int id) { dialog.ItemAs<QPushButton>(id)->click(); }
inline void Type(platform::Dialog& dialog, int id, const std::string& utf8) {
  dialog.ItemAs<QLineEdit>(id)->setText(QString::fromStdString(utf8));
}
// The text of an edit, a button or a label; whether it is enabled.
inline std::string Shown(platform::Dialog& dialog, int id) {
  return dialog.Item(id)->property("text").toString().toStdString();
}
inline std::string On(platform::Dialog& dialog, int id) {
  return dialog.Item(id)->isEnabled() ? "+" : "-";
}
inline std::string Ended(platform::Dialog& dialog) {
  return dialog.Ended() ? std::to_string(dialog.Result()) : "-";
}

// The ids of the controls Tab takes the focus to, from the focus until it is back there.
inline std::string TabOrder(platform::Dialog& dialog) {
  std::string order;
  for (QWidget* start = dialog.focusWidget(); order.empty() || dialog.focusWidget() != start;
       QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab))
    for (const auto& c : dialog.Template().controls)
      order += dialog.Item(c.id) == dialog.focusWidget() ? std::to_string(c.id) + "," : "";
  return order;
}

// A mouse click on a row; a row past the end clicks the blank space below the rows.
inline void ClickRow(platform::ListControl& list, int row) {
  const QModelIndex index = list.View()->model()->index(row, 0);
  list.View()->scrollTo(index);
  const QPoint blank(5, list.View()->viewport()->height() - 3);
  QTest::mouseClick(list.View()->viewport(), Qt::LeftButton, {},
                    index.isValid() ? list.View()->visualRect(index).center() : blank);
}

// The cells of every row in UTF-8, each followed by `cell` and each row ended by `row`.
inline std::string Cells(const platform::ListControl& list, char cell = ',', char row = '/') {
  std::string text;
  for (int r = 0; r < list.GetItemCount(); ++r) {
    for (int c = 0; c < list.ColumnCount(); ++c)
      if (!list.View()->isColumnHidden(c)) text += Utf8(list.GetItemText(r, c)) + cell;
    text.back() = row;
  }
  return text;
}

class UiTest : public ::testing::Test {
 protected:
  UiTest() {
    Write("rules", kBuiltIn);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Path("config")));  // not the user's
    platform::Dialog::SetModalRunnerForTesting([this](platform::Dialog& dialog) {
      if (++m_modals <= static_cast<int>(m_inModal.size())) m_inModal[m_modals - 1](dialog);
    });
  }
  ~UiTest() override { platform::Dialog::SetModalRunnerForTesting(nullptr); }

  std::string Path(const std::string& name) const { return m_dir.Path(name); }
  void Write(const std::string& name, const std::string& bytes) {
    ASSERT_EQ(platform::ReplaceFile(Path(name), bytes), platform::ReplaceStatus::Replaced);
  }
  std::optional<std::string> Read(const std::string& name) const {
    return platform::ReadWholeFile(Path(name));
  }
  Strings FileNames() const {
    Strings names;
    for (auto& entry : std::filesystem::directory_iterator(m_dir.Root()))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The boxes shown so far, each followed by "/"; the questions before data is lost read "?".
  std::string Boxes() const {
    std::string boxes;
    for (const std::string& box : m_seams.BoxTexts()) {
      const bool known = box == "当前文件尚未保存，是否保存？" ||
                         box.rfind("确定要删除算法“", 0) == 0 ||
                         box.rfind("成绩记录文件(*.txt)只保存课程名称、学分和分数：", 0) == 0;
      boxes += (known ? "?" : box) + "/";
    }
    return boxes;
  }
  // Runs `save` failing after each byte count below `bytes`, as on a full disk, where `file` must
  // stay, no other file be left and `box` alone be shown; then once on a disk that works.
  void FailAtEveryByte(std::size_t bytes, const std::string& file, const std::string& box,
                       const std::function<void()>& save) {
    const auto [before, names] = std::pair(Read(file), FileNames());
    for (std::size_t failAt = 0; failAt < bytes; ++failAt) {
      m_seams.boxes.clear();
      platform::SetWriteFailureAfterBytesForTesting(failAt);
      save();
      platform::SetWriteFailureAfterBytesForTesting(std::nullopt);
      ASSERT_EQ(Read(file), before) << failAt;
      ASSERT_EQ(Boxes(), box) << failAt;
      ASSERT_EQ(FileNames(), names) << failAt;
    }
    m_seams.boxes.clear();
    save();
  }
  CMainDlg& Main() {
    if (!m_main) (m_main = std::make_unique<CMainDlg>())->Create();
    return *m_main;
  }

  // Runs `script` on the main window, step by step, separated by ';':
  //   =name,credits,score[,term,category] types the fields; +... types them and presses 添加/修改
  //   @N clicks row N; ^N selects row N without a click; down presses Down in the list
  //   yes, no, cancel answer the next question
  //   >file picks `file` in the next file dialog, a lone > cancels it
  //   esc presses Escape, close the close box; ret:1001 presses Enter in control 1001, pad:1001
  //   the keypad's Enter; paste:text pastes into the name field, ime:text commits there as an input
  //   method does; add, load, reset, del, save, gpa, clear, about and exit press 1004 to 1012
  void Run(const std::string& script) {
    const Strings buttons = Split("add,load,reset,del,save,gpa,clear,about,exit", ',');
    const std::map<std::string, int> answers{
        {"yes", platform::kIdYes}, {"no", platform::kIdNo}, {"cancel", platform::kIdCancel}};
    for (const std::string& step : Split(script, ';')) {
      const std::string arg = step.substr(std::min(step.find_first_of(":=+@^>") + 1, step.size()));
      const std::string verb = step.substr(0, step.find(':'));
      QWidget* target = Main().Item(verb == "ret" || verb == "pad" ? std::stoi(arg) : kNameEdit);
      QInputMethodEvent commit;
      commit.setCommitString(QString::fromStdString(arg));
      const auto button = std::find(buttons.begin(), buttons.end(), step) - buttons.begin();
      if (button < 9) Click(Main(), kAddModifyButton + static_cast<int>(button));
      if (answers.count(step)) m_seams.boxAnswers.push_back(answers.at(step));
      if (step == "esc") QTest::keyClick(&Main(), Qt::Key_Escape);
      if (step == "close") Main().close();
      if (verb == "ret" || verb == "pad") target->setFocus();
      if (verb == "ret") QTest::keyClick(target, Qt::Key_Return);
      if (verb == "pad") QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);
      if (verb == "paste") QApplication::clipboard()->setText(QString::fromStdString(arg));
      if (verb == "paste") QTest::keySequence(target, QKeySequence::Paste);
      if (verb == "ime") QApplication::sendEvent(target, &commit);
      const int fields[] = {kNameEdit, kCreditsEdit, kScoreEdit, kTermEdit, kCategoryEdit};
      for (std::size_t i = 0; i < 5 && (step[0] == '=' || step[0] == '+'); ++i)
        Type(Main(), fields[i], i < Split(arg, ',').size() ? Split(arg, ',')[i] : "");
      if (step[0] == '+') Click(Main(), kAddModifyButton);
      if (step[0] == '@') ClickRow(Main().List(), std::stoi(arg));
      if (step[0] == '^') Main().List().SelectRow(std::stoi(arg));
      if (step == "down") Main().List().View()->setFocus();
      if (step == "down") QTest::keyClick(Main().List().View(), Qt::Key_Down);
      if (step[0] == '>')
        m_seams.fileAnswers.push_back(arg.empty() ? std::nullopt : std::optional(Path(arg)));
    }
  }

  testing::TempDir m_dir;
  testing::ScopedCurrentPath m_inDir{m_dir.Root()};
  testing::UiSeams m_seams;
  // The modal dialogs are handed to these in the order they open; the rest close at once.
  std::vector<std::function<void(platform::Dialog&)>> m_inModal;
  int m_modals = 0;
  std::unique_ptr<CMainDlg> m_main;
};

}  // namespace gradova::ui
