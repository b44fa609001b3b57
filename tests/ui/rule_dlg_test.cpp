#include "grading/rules_file.h"
#include "ui/result_dlg.h"
#include "ui/rule_edit_dlg.h"
#include "ui/rule_list_dlg.h"
#include "ui_fixture.h"

namespace gradova::ui {
namespace {

const std::vector<grading::Rule> kBuiltInRules = grading::ParseRulesFile(kBuiltIn).ruleSet.rules;

// A table's bands as "90:40 0:0": scores from 90 get 4.0, the rest 0.0.
std::string BandsOf(const grading::BandTable& table) {
  std::string bands;
  for (std::size_t slot = 0; slot < grading::BandCount(table); ++slot) {
    bands += (slot ? " " : "") + std::to_string(table[slot].lowerBound) + ":" +
             std::to_string(table[slot].points);
  }
  return bands;
}

// Types each band "90/4" into the editor and presses 添加; "again" only presses it, "undo" 撤销.
void EnterBands(platform::Dialog& editor, const std::string& bands) {
  for (const std::string& band : Split(bands, ' ')) {
    if (band.find('/') != std::string::npos) {
      editor.ItemAs<QLineEdit>(kBandLowerEdit)->clear();
      QTest::keyClicks(editor.Item(kBandLowerEdit), QString::fromStdString(Split(band, '/')[0]));
      Type(editor, kBandPointsEdit, Split(band, '/').at(1));
    }
    if (!band.empty()) Click(editor, band == "undo" ? kUndoBandButton : kAddBandButton);
  }
}

// The rules a list shows, built-in rule i as the digit i, any other as N.
std::string Listed(const platform::ListControl& list) {
  std::string listed;
  for (int row = 0; row + 1 < list.GetItemCount(); ++row) {
    const auto rule = std::find_if(kBuiltInRules.begin(), kBuiltInRules.end(), [&](const auto& r) {
      return r.name == list.GetItemText(row, 0);
    });
    listed += rule == kBuiltInRules.end() ? 'N' : '0' + (rule - kBuiltInRules.begin());
  }
  return listed;
}

// The file of the rules `listed`, N being "新" with 4.0 from 90 and 0.0 below.
std::string RulesFile(const std::string& listed) {
  grading::Rule added{Gbk("新"), grading::MakeEmptyBandTable()};
  added.bands[0] = {90, 40};
  added.bands[1] = {0, 0};
  grading::RuleSet rules;
  for (char c : listed) rules.rules.push_back(c == 'N' ? added : kBuiltInRules.at(c - '0'));
  return grading::FormatRulesFile(rules);
}

class RuleManager : public UiTest, public ::testing::WithParamInterface<Row> {};
const std::string kWriteFailed = "算法文件保存失败！原来的算法文件保持不变。/";

// `rules` holds the built-in rules, or what the input names before ":" (empty; cut: cut short in
// the second rule; 33 copies of rule 0; missing; dir: a directory; link: a link to the built-in
// file). The results window opens on it and its 自定义算法 the manager, where the script acts
// (@N clicks row N; x: 添加算法/删除算法; yes answers the next question; view, ok, cancel, focus-x,
// ret, down, fail); after "#" the bands and name for an editor. The state: the results window's
// rules (-1: it closed), the rules listed, 添加算法/删除算法, it, 查看详细 and 确定 on or off, the
// result, the editors opened (+ for an adder; a viewer's title, last row, lower-bound edit, 添加
// and 确定, ? if it asks for a name), the window, boxes.
TEST_P(RuleManager, EndsInTheStatedState) {
  const Strings input = Split(GetParam().input, '#');
  const std::string kind = input[0].substr(0, input[0].find(':') + 1);
  const std::string bytes = kind == "empty:" ? ""
                            : kind == "cut:" ? kBuiltIn.substr(0, 30)
                            : kind == "dir:" ? "kept"
                            : kind == "33:"  ? RulesFile(std::string(33, '0'))
                                             : kBuiltIn;
  std::filesystem::remove(Path("rules"));
  if (kind == "dir:") std::filesystem::create_directory(Path("rules"));
  if (kind != "missing:")
    Write(kind == "dir:" ? "rules/inner" : kind == "link:" ? "target" : "rules", bytes);
  if (kind == "link:") std::filesystem::create_symlink(Path("target"), Path("rules"));
  const std::map<std::string, int> buttons{{"ok", kRulesOkButton},
                                           {"x", kAddDeleteRuleButton},
                                           {"cancel", kRulesCancelButton},
                                           {"view", kViewDetailsButton}};
  std::string state, editors;
  m_inModal.push_back([&](platform::Dialog& manager) {
    EXPECT_EQ(manager.focusWidget(), manager.Item(kRuleList));
    auto& list = static_cast<CRuleListDlg&>(manager).List();
    for (const std::string& step : Split(input[0].substr(kind.size()), ';')) {
      if (buttons.count(step)) Click(manager, buttons.at(step));
      if (step[0] == '@') ClickRow(list, std::stoi(step.substr(1)));
      if (step.rfind("focus-", 0) == 0) manager.Item(buttons.at(step.substr(6)))->setFocus();
      if (step == "ret") QTest::keyClick(manager.focusWidget(), Qt::Key_Return);
      if (step == "down") QTest::keyClick(list.View(), Qt::Key_Down);
      if (step == "yes") m_seams.boxAnswers.push_back(platform::kIdYes);
      // A write failing at any byte keeps the old file and the manager open.
      if (step != "fail") continue;
      FailAtEveryByte(RulesFile(Listed(list)).size(), "rules", kWriteFailed, [&] {
        ASSERT_FALSE(manager.Ended());
        Click(manager, kRulesOkButton);
      });
    }
    state += Listed(list) + "|" + Shown(manager, kAddDeleteRuleButton) +
             On(manager, kAddDeleteRuleButton) + On(manager, kViewDetailsButton) +
             On(manager, kRulesOkButton) + "|" + Ended(manager) + "|";
  });
  m_inModal.resize(3, [&](platform::Dialog& editor) {
    if (!editor.Item(kRuleNameEdit)->isEnabled()) {  // a viewer
      const Strings rows = Split(Cells(static_cast<CRuleEditDlg&>(editor).List(), ' ', '/'), '/');
      editors += editor.windowTitle().toStdString() + ":" + rows[rows.size() - 2] + ":" +
                 On(editor, kBandLowerEdit) + On(editor, kAddBandButton) +
                 On(editor, kEditorOkButton) + (editor.Item(kRuleNameEdit)->isVisible() ? "?" : "");
      return Click(editor, kEditorOkButton);
    }
    editors += "+";
    if (input.size() < 2) return;
    EnterBands(editor, Split(input[1], '|')[0]);
    Type(editor, kRuleNameEdit, Split(input[1], '|')[1]);
    Click(editor,
          input[1].find("|cancel") == std::string::npos ? kEditorOkButton : kEditorCancelButton);
  });
  CResultDlg results(1, std::string("a\r2\r90\r"));
  results.Create();
  state = std::to_string(results.Ended() ? -1 : results.List().ColumnCount() - 3) + "|";
  results.Ended() ? void(CRuleListDlg().DoModal()) : Click(results, kCustomRulesButton);
  state += editors + (results.Ended() ? "|closed|" : "|open|") + Boxes();
  EXPECT_EQ(state, GetParam().state);
  // 确定 writes the rules listed, through a link to its target; what a directory holds stays.
  const bool saved = Split(state, '|')[3] == "1";
  EXPECT_EQ(Read("rules"), saved ? std::optional(RulesFile(Split(state, '|')[1]))
                           : kind == "missing:" || kind == "dir:" ? std::nullopt
                                                                  : std::optional(bytes));
  EXPECT_EQ(Read("rules/inner"), kind == "dir:" ? std::optional(bytes) : std::nullopt);
  EXPECT_EQ(std::filesystem::is_symlink(Path("rules")), kind == "link:");
}

const std::string kDamaged = "算法文件已损坏！/算法文件已损坏！/";
const std::string kMissing = "-1||添加算法---|0||closed|错误！GPA算法文件丢失！/GPA算法文件丢失！/";
const std::string kFull = "32|" + std::string(32, '0') + "|添加算法+-+|1||closed|";

INSTANTIATE_TEST_SUITE_P(
    Rows, RuleManager,
    ::testing::Values(
        Row{"OkAtOnce", "ok", "8|01234567|添加算法+-+|1||closed|"},
        Row{"FailedWriteAtEveryByte", "@0;yes;x;fail", "8|1234567|删除算法+++|1||closed|"},
        Row{"DeleteMiddle", "@3;yes;x;ok", "8|0124567|删除算法+++|1||closed|?/"},
        Row{"DeleteCancelled", "@3;x", "8|01234567|删除算法+++|-||open|?/"},
        Row{"DeleteLast", "@7;yes;x;ok", "8|0123456|添加算法+-+|1||closed|?/"},
        Row{"CancelAfterDeletes", "@0;yes;x;yes;x;cancel", "8|234567|删除算法+++|0||open|?/?/"},
        Row{"EnterDoesNothing", "@0;yes;x;ret", "8|1234567|删除算法+++|-||open|?/"},
        Row{"NoRuleLeft", "cut:@0;yes;x;ok",
            "1||添加算法+-+|-||open|" + kDamaged + "?/提示：不能没有算法！/"},
        Row{"AddWithoutAClick", "x;ok#90/4|新", "8|01234567N|添加算法+-+|1|+|closed|"},
        Row{"AddOnTheEmptyRow", "@8;x;ok#90/4|新", "8|01234567N|添加算法+-+|1|+|closed|"},
        Row{"DeleteLastThenAdd", "@7;yes;x;x;ok#90/4|新", "8|0123456N|添加算法+-+|1|+|closed|?/"},
        Row{"EditorCancelled", "x;ok#0/4|cancel", "8|01234567|添加算法+-+|1|+|closed|"},
        Row{"Details", "@0;view;cancel", "8|01234567|删除算法+++|0|标准4.0算法:59—0 0.0:--+|open|"},
        Row{"KeyboardSelects", "down;down;yes;x;ok", "8|0234567|删除算法+++|1||closed|?/"},
        Row{"BlankClickAdds", "@0;@9;x;ok#90/4|新", "8|01234567N|添加算法+-+|1|+|closed|"},
        Row{"EnterClicks", "@0;focus-x;yes;ret;focus-ok;ret", "8|1234567|删除算法+++|1||closed|?/"},
        // The rules file as the results window and the manager find it.
        Row{"Empty", "empty:x;ok", "0||添加算法+-+|-|+|open|提示：不能没有算法！/"},
        Row{"Missing", "missing:@0;x;view;ok;ret;cancel", kMissing},
        Row{"Directory", "dir:@0;x;view;ok;ret;cancel", kMissing},
        Row{"Link", "link:@0;yes;x;ok", "8|1234567|删除算法+++|1||closed|?/"},
        Row{"CutShort", "cut:x;ok", "1|0|添加算法+-+|1|+|closed|" + kDamaged},
        Row{"ThirtyThreeRules", "33:x;ok", kFull + kDamaged + "算法已达32个，不能再添加！/"}),
    kLabel);

class RuleEditor : public UiTest, public ::testing::WithParamInterface<Row> {};

// The editor in add mode for slot 3 of its caller's tables. The input: bands | name | ok, esc, ret
// or ret:id (in control id). The state: the list, the upper end with its comparison and the lower
// bound's edit, 添加 撤销 确定 on or off, the result, the table, the name handed back, boxes.
TEST_P(RuleEditor, TakesBandsAndAName) {
  RuleTables tables;
  RuleNameBuffer name;
  name.fill('\x7f');
  CRuleEditDlg editor(&name, &tables, 3);
  editor.Create();
  const Strings input = Split(GetParam().input, '|');
  EnterBands(editor, input[0]);
  if (input.size() > 1) Type(editor, kRuleNameEdit, input[1]);
  std::string state = Cells(editor.List(), ' ', '/') + "|" + Shown(editor, kBandUpperLabel) +
                      Split(Shown(editor, kBandRelationLabel), ' ')[0] + "," +
                      Shown(editor, kBandLowerEdit) + "|" + On(editor, kAddBandButton) +
                      On(editor, kUndoBandButton) + On(editor, kEditorOkButton) + "|";
  const std::string act = input.size() > 2 ? input[2] : "";
  if (act.size() > 4) editor.Item(std::stoi(act.substr(4)))->setFocus();
  if (act == "ok") Click(editor, kEditorOkButton);
  if (!act.empty() && act != "ok") {
    QTest::keyClick(editor.focusWidget(), act == "esc" ? Qt::Key_Escape : Qt::Key_Return);
  }
  const std::string nameOut(name.begin(), std::find(name.begin(), name.end(), '\x7f'));
  state += Ended(editor) + "|" + BandsOf(*tables.at(3)) + "|" + Utf8(nameOut) + "|" + Boxes();
  EXPECT_EQ(state, GetParam().state);
}

const std::string kBad = "|100>=,90|+--|-|||输入有误！";
const std::string kOpen = "|90>,89|++-|-|";
const std::string kClosed = "100—0 4.0/|*>,|-+";
const std::string kUnstorable =
    "+|-|0:40||算法名称中含有无法保存的字符（字母p，或开头的字母q），请修改名称！\n出错的字符：“";

INSTANTIATE_TEST_SUITE_P(
    Rows, RuleEditor,
    ::testing::Values(
        // The first band includes 100; every later one stays below the band above it.
        Row{"Nothing", "", "|100>=,|+--|-|||"},
        Row{"TwoBands", "90/4 80/3", "100—90 4.0/89—80 3.0/|80>,79|++-|-|90:40 80:30||"},
        Row{"LowerAtUpper", "100/4 again", "100—100 4.0/99—99 4.0/|99>,98|++-|-|100:40 99:40||"},
        Row{"LowerAboveUpper", "101/4", "|100>=,101|+--|-|||输入有误！/"},
        Row{"EmptyLower", "/4", "|100>=,|+--|-|||输入有误！/"},
        Row{"EmptyPoints", "90/", kBad + "/"}, Row{"LetterInPoints", "90/4a", kBad + "/"},
        Row{"NegativePoints", "90/-1", kBad + "/"},
        Row{"AtTheByteLimit", "90/25.5", kBad + "\n绩点最大为25.4。/"},
        Row{"HugePoints", "90/99999999999999999999", kBad + "\n绩点最大为25.4。/"},
        Row{"ZerosAfterTheTenths", "90/4.00", "100—90 4.0/" + kOpen + "90:40||"},
        Row{"TwoDecimals", "90/3.65", "|100>=,90|+--|-|||输入有误！\n绩点最多只能有一位小数。/"},
        Row{"TwoPoints", "90/3.7.1", "100—90 3.7/" + kOpen + "90:37||"},
        Row{"SinglePoint", "90/.", "100—90 0.0/" + kOpen + "90:0||"},
        Row{"BelowTheByteLimit", "90/25.4", "100—90 25.4/" + kOpen + "90:254||"},
        Row{"LeadingZeros", "090/4", "100—090 4.0/" + kOpen + "90:40||"},
        Row{"LowerTakesDigitsOnly", "9a-0/4", "100—90 4.0/" + kOpen + "90:40||"},
        Row{"AtZeroClosesTheRule", "0/1", "100—0 1.0/|*>,|-+-|-|0:10||"},
        Row{"Undo", "90/4 80/3 undo again", "100—90 4.0/89—80 3.0/|80>,79|++-|-|90:40 80:30||"},
        Row{"UndoToTheStart", "90/4 0/1 undo undo", "|100>=,90|+--|-|||"},
        // 确定 closes the rule with a band at 0 and hands the name back.
        Row{"Ok", "90/4|新|ok", "100—90 4.0/|90>,89|+++|1|90:40 0:0|新|"},
        Row{"OkAfterABandAtZero", "60/2 0/1|a|ok", "100—60 2.0/59—0 1.0/|*>,|-++|1|60:20 0:10|a|"},
        Row{"OkWithoutABand", "|a|ok", "|100>=,|+-+|0|||"},
        Row{"OkWith20Bytes", "0/4|一二三四五六七八九十|ok",
            kClosed + "+|1|0:40|一二三四五六七八九十|"},
        Row{"OkWith21Bytes", "0/4|一二三四五六七八九十a|ok", kClosed + "-|-|0:40||"},
        Row{"Enter", "0/4|b|ret", kClosed + "+|1|0:40|b|"},
        Row{"EnterWithoutAName", "0/4||ret", kClosed + "-|-|0:40||"},
        Row{"EnterInABandAdds", "90/4|b|ret:1003", "100—90 4.0/|90>,89|+++|-|90:40 89:40||"},
        Row{"EnterInABandOfAClosedRule", "0/4|b|ret:1026", kClosed + "+|-|0:40||"},
        Row{"Escape", "90/4|b|esc", "100—90 4.0/|90>,89|+++|0|90:40||"},
        // The file would read a name byte 0x70 ("p") as the name's end, a leading 0x71 ("q") as
        // the file's end.
        Row{"LetterP", "0/4|中p減|ok", kClosed + kUnstorable + "p”/"},
        Row{"TrailByte0x70", "0/4|a雙|ok", kClosed + kUnstorable + "雙”/"},
        Row{"LeadingQ", "0/4|q1|ok", kClosed + kUnstorable + "q”/"},
        Row{"QInside", "0/4|aq|ok", kClosed + "+|1|0:40|aq|"},
        Row{"TrailByte0x71", "0/4|皅|ok", kClosed + "+|1|0:40|皅|"}),
    kLabel);

// 31 bands above 0 fill all but the last slot, which only a band at 0 may take.
TEST_F(UiTest, TheEditorKeepsTheLastOfItsThirtyTwoBandsForZero) {
  RuleTables tables;
  RuleNameBuffer name{};
  CRuleEditDlg editor(&name, &tables, 0);
  editor.Create();
  for (int lower = 100; lower >= 69; --lower) EnterBands(editor, std::to_string(lower) + "/1");
  EnterBands(editor, "0/2");
  EXPECT_EQ(Boxes(), "分数段已达上限，最后一段的下限必须为0！/");
  EXPECT_EQ(BandsOf(*tables[0]).substr(BandsOf(*tables[0]).size() - 16), "71:10 70:10 0:20");
}

}  // namespace
}  // namespace gradova::ui
