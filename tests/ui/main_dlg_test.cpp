#include "ui/main_dlg.h"

#include "platform/qt/gbk_text.h"
#include "ui_fixture.h"

namespace gradova::ui {
namespace {

using namespace std::string_literals;

class MainDlgTest : public UiTest {
 protected:
  // The course rows but the trailing empty one (without an empty term and category), the fields
  // (the term and category when either holds text), 添加/修改, 删除 保存当前 清空当前 on or off,
  // * if modified, the boxes (the unsaved-changes question as "?"), the result if ended.
  std::string State() {
    std::string state =
        QString::fromStdString(Cells(Main().List())).replace(",,/", "/").toStdString();
    EXPECT_EQ(state.substr(state.size() - 3), ",,/");
    state.resize(state.size() - 3);
    const std::string groups = "|" + Shown(Main(), kTermEdit) + "|" + Shown(Main(), kCategoryEdit);
    for (int id = kNameEdit; id <= kAddModifyButton; ++id) state += "|" + Shown(Main(), id);
    state += groups == "||" ? "" : groups;
    state += "|";
    for (int id : {kDeleteButton, kSaveCurrentButton, kClearCurrentButton}) state += On(Main(), id);
    state += (Main().Modified() ? "*|" : "|") + Boxes();
    return state + (Main().Ended() ? "|" + std::to_string(Main().Result()) : "");
  }
};

TEST_F(MainDlgTest, StartUpMakesTheRulesAndEnablesWhatAnEmptyListAllows) {
  std::filesystem::remove(Path("rules"));
  EXPECT_EQ(State(), "||||添加|---|");
  EXPECT_EQ(Read("rules"), kBuiltIn);
  // 宋体 is not installed on Linux: the windows name an installed Chinese face instead, which
  // spares the start-up a search for a substitute.
  EXPECT_TRUE(QFontInfo(Main().font()).exactMatch());
  EXPECT_EQ(Main().List().ColumnWidth(1), Main().List().ColumnWidth(2));  // none stretches
  // The focus starts in the name field, and Tab follows what the eye sees.
  EXPECT_EQ(TabOrder(Main()), "1001,1002,1003,1013,1014,1004,1006,1005,1011,1012,1009,1000,");
  Run("+a,1,60;@0");  // 删除, 保存当前 and 清空当前 on
  EXPECT_EQ(TabOrder(Main()),
            "1000,1001,1002,1003,1013,1014,1004,1007,1006,1005,1008,1010,1011,1012,1009,");
}

// Here `rules` cannot be made because the working directory was removed under the program.
TEST_F(MainDlgTest, RulesThatCannotBeCreatedAreReportedAndStartUpGoesOn) {
  std::filesystem::create_directory(Path("gone"));
  std::filesystem::current_path(Path("gone"));
  std::filesystem::remove(Path("gone"));
  EXPECT_EQ(Cells(Main().List()), ",,,,/");
  EXPECT_NE(Boxes().find("rules"), std::string::npos);
}

class MainScript : public MainDlgTest, public ::testing::WithParamInterface<Row> {};

TEST_P(MainScript, EndsInTheStatedState) {
  Write("good.txt", "a 1 60\r\nLinear Algebra 4 100\r\n2 60");
  Write("bad.txt", "a 1 60\r\nb 0 60\r\n");
  Write("format.txt", "a 1 60\r\n\r\n");
  Write("empty.txt", "");
  Write("utf8.txt", "数学☕ 2 60");
  Write("t.xlsx", "a,b");
  Write("huge.txt", "");
  std::filesystem::resize_file(Path("huge.txt"), std::uintmax_t{1} << 40);  // sparse
  std::filesystem::create_directory(Path("dir.txt"));
  std::filesystem::create_symlink(Path("good.txt"), Path("link.txt"));
  Run(GetParam().input);
  EXPECT_EQ(State(), GetParam().state);
  EXPECT_TRUE(std::filesystem::is_directory(Path("dir.txt")));
}

#define GOOD "a,1,60/Linear Algebra,4,100/未命名课程,2,60/"
#define SCORE_WORDS "分数应为 0~100 的数字，或优、良、中、及格、不及格"

INSTANTIATE_TEST_SUITE_P(
    Rows, MainScript,
    ::testing::Values(
        // Numbers are judged by their value; the texts are stored as typed.
        Row{"Decimals", "+c,2.5,88.5", "c,2.5,88.5/|c|2.5|88.5|添加|-++*|"},
        Row{"Score100", "+c,1,100", "c,1,100/|c|1|100|添加|-++*|"},
        Row{"HalfCredit", "+c,0.5,60", "c,0.5,60/|c|0.5|60|添加|-++*|"},
        Row{"WordedScore", "+c,2,优秀", "c,2,优秀/|c|2|优秀|添加|-++*|"},
        Row{"PassGrade", "+c,2,合格;+d,2,不通过",
            "c,2,合格/|d|2|不通过|添加|-++*|输入有误！\n" SCORE_WORDS "/"},
        Row{"TermAndCategory", "+a,1,60,2023-2024-1,;+b,2,70,,必修;@0",
            "a,1,60,2023-2024-1,/b,2,70,,必修/|a|1|60|修改|2023-2024-1||+++*|"},
        Row{"NegativeScore", "+c,1,-5", "|c|1|-5|添加|---|输入有误！\n分数应在 0~100 之间/"},
        Row{"Score100Point5", "+c,1,100.5", "|c|1|100.5|添加|---|输入有误！\n分数应在 0~100 之间/"},
        Row{"ExponentScore", "+c,1,100e5", "|c|1|100e5|添加|---|输入有误！\n" SCORE_WORDS "/"},
        Row{"SpacesScore", "+c,1,  ", "|c|1|  |添加|---|输入有误！\n" SCORE_WORDS "/"},
        Row{"EmptyScore", "+c,1,", "|c|1||添加|---|输入有误！\n" SCORE_WORDS "/"},
        Row{"ZeroCredits", "+c,0,60", "|c|0|60|添加|---|输入有误！\n学分应大于 0 且不超过 1000/"},
        Row{"ExponentCredits", "+c,1e3,60",
            "|c|1e3|60|添加|---|输入有误！\n学分应为数字，如 3 或 0.5/"},
        Row{"UnnamedTwice", "+,2,60;add", "未命名课程,2,60/未命名课程,2,60/||2|60|添加|-++*|"},
        // A name keeps its first line and what GBK can hold.
        Row{"Pasted", "=,2,6;paste:数学\r\n物理 2 6;add", "数学,2,6/|数学|2|6|添加|-++*|"},
        Row{"InputMethod", "=,2,60;ime:数学\n物理;add", "数学,2,60/|数学|2|60|添加|-++*|"},
        Row{"OutsideGbk", "=,2,60;ime:数学😀𠀀한;add", "数学???,2,60/|数学???|2|60|添加|-++*|"},
        // A click or a keyboard move fills the fields from the row's cells; 删除 from the next row.
        Row{"Modify", "+a,1,60;+b,2,70;@0;+x,3,80", "x,3,80/b,2,70/|x|3|80|修改|+++*|"},
        Row{"ResetKeepsTheMode", "+a,1,60;@0;reset", "a,1,60/||||修改|+++*|"},
        Row{"ClickTheTrailingRow", "+a,1,60;@0;@1", "a,1,60/||||添加|-++*|"},
        Row{"DeleteShowsTheNextRow", "+a,1,60;+b,2,70;@0;del", "b,2,70/|b|2|70|修改|+++*|"},
        Row{"DeleteTheLastRow", "+a,1,60;+b,2,70;@1;del", "a,1,60/||||添加|-++*|"},
        Row{"DeleteTheOnlyRow", "+a,1,60;@0;del", "||||添加|---*|"},
        Row{"ClickBlankSpace", "+a,1,60;@0;@2", "a,1,60/||||添加|-++*|"},
        Row{"AddWithTheTrailingRowSelected", "+a,1,60;@1;+b,2,70;del",
            "a,1,60/b,2,70/|b|2|70|添加|-++*|"},
        Row{"KeyboardToTheTrailingRow", "+a,1,60;@0;down;del", "a,1,60/||||添加|-++*|"},
        Row{"FirstDownTakesTheFirstRow", "+a,1,60;+b,2,70;down",
            "a,1,60/b,2,70/|a|1|60|修改|+++*|"},
        // Without a click the selection can reach the trailing row while 修改 and 删除 stay.
        Row{"ModifyOnLastRow", "+a,1,60;@0;^1;+x,3,80", "a,1,60/x,3,80/|x|3|80|修改|+++*|"},
        Row{"DeleteOnLastRow", "+a,1,60;@0;^1;del", "a,1,60/|a|1|60|修改|-++*|"},
        Row{"Enter", "=a,1,6;ret:1001;pad:1002;ret:1003;ret:1000",
            "a,1,6/a,1,6/a,1,6/|a|1|6|添加|-++*|"},
        Row{"EnterOnAButton", "+a,1,60;@0;ret:1007", "||||添加|---*|"},
        Row{"ExitEndsWithZero", "exit", "||||添加|---||0"},
        Row{"ExitNo", "+a,1,60;no;exit", "a,1,60/|a|1|60|添加|-++*|?/|0"},
        Row{"ExitYesSaves", "+a,1,60;yes;>c.txt;exit", "a,1,60/|a|1|60|添加|-++|?/|0"},
        Row{"EscapeCancel", "+a,1,60;esc", "a,1,60/|a|1|60|添加|-++*|?/"},
        Row{"CloseBoxCancel", "+a,1,60;close", "a,1,60/|a|1|60|添加|-++*|?/"},
        Row{"ViewGpaChangesNothing", "+a,1,60;gpa", "a,1,60/|a|1|60|添加|-++*|"},
        Row{"ViewGpaWithoutCourses", "gpa", "||||添加|---|当前没有数据！/"},
        // 清空当前 asks about unsaved changes and empties the list unless the user stops it.
        Row{"ClearNo", "+a,1,60;@0;no;clear", "||||添加|---|?/"},
        Row{"ClearCancel", "+a,1,60;cancel;clear", "a,1,60/|a|1|60|添加|-++*|?/"},
        Row{"ClearYesSaves", "+a,1,60;yes;>c.txt;clear", "||||添加|---|?/"},
        Row{"ClearYesSaveCancelled", "+a,1,60;yes;>;clear", "a,1,60/|a|1|60|添加|-++*|?/"},
        Row{"ClearYesSaveFails", "+a,1,60;yes;>dir.txt;clear",
            "a,1,60/|a|1|60|添加|-++*|?/文件创建失败！/"},
        Row{"ClearAfterASave", "+a,1,60;>c.txt;save;clear", "||||添加|---|"},
        // 从文件 replaces the list, or empties it and the fields at the first bad line.
        Row{"Load", "+x,1,60;no;>good.txt;load", GOOD "|x|1|60|添加|-++|?/"},
        Row{"LoadThroughALink", ">link.txt;load", GOOD "||||添加|-++|"},
        Row{"LoadEmptyFile", ">empty.txt;load", "||||添加|-++|"},
        Row{"LoadBadData", "=n,2,3;>bad.txt;load",
            "||||添加|---|文件包含错误数据!\n第2行：学分应大于 0 且不超过 1000/"},
        Row{"LoadBadFormat", "=n,2,3;>format.txt;load",
            "||||添加|---|文件格式错误!\n第2行：应为“课程名称 学分 分数”，以空格分隔/"},
        Row{"LoadCancelled", "+x,1,60;cancel;load", "x,1,60/|x|1|60|添加|-++*|?/"},
        Row{"LoadDialogCancelled", "+x,1,60;no;>;load", "x,1,60/|x|1|60|添加|-++*|?/"},
        Row{"LoadMissing", "+x,1,6;no;>nofile;load", "x,1,6/|x|1|6|添加|-++*|?/文件打开失败！/"},
        Row{"LoadDirectory", ">dir.txt;load", "||||添加|---|文件打开失败！/"},
        Row{"LoadLargerThanMemory", "+x,1,6;no;>huge.txt;load",
            "x,1,6/|x|1|6|添加|-++*|?/文件打开失败！/"},
        Row{"LoadUtf8", ">utf8.txt;load",
            "数学?,2,60/||||添加|-++|有1个字符无法转换，已替换为“?”。/"},
        Row{"LoadUnreadableTranscript", "+x,1,6;no;>t.xlsx;load",
            "x,1,6/|x|1|6|添加|-++*|?/无法读取成绩单：文件不是有效的.xlsx（不是zip压缩包）！/"},
        Row{"SaveToADirectory", "+a,1,6;>dir.txt;save", "a,1,6/|a|1|6|添加|-++*|文件创建失败！/"},
        // Only a course file (.txt) cannot hold a term, a category or a passed pass/fail course.
        Row{"SaveTermsToATable", "+a,1,6,t,c;>c.csv;save", "a,1,6,t,c/|a|1|6|添加|t|c|-++|"},
        Row{"SaveTermsToAFileNo", "+a,1,6,,c;no;>c.txt;save", "a,1,6,,c/|a|1|6|添加||c|-++*|?/"},
        Row{"SavePassedToAFileYes", "+a,1,P;yes;>c.txt;save;>c.txt;load", "|a|1|P|添加|-++|?/"}),
    kLabel);

// Course names are only ever text, however odd their bytes or however much they look like paths,
// commands or markup: no file is made but the one asked for.
TEST_F(MainDlgTest, LoadThenSaveWritesTheSameBytes) {
  for (const std::string& bytes :
       {Gbk("高等数学 5 100\r\nLinear Algebra 2.5 99.5\r\n"), "a\0b 2 60\r\n"s,
        "\xff\xfe\x81 2 60\r\n"s, "\xEF\xBB\xBF数学 2 60\r\n"s, "数学 2 60\r\n"s,
        "../x 1 60\r\n$(touch y) 1 8\r\n<b>`z` 1 9\r\n"s, std::string(600, 'n') + " 2 60\r\n"}) {
    Write("in.txt", bytes);
    Run(">in.txt;load;>out.txt;save");
    EXPECT_EQ(Read("out.txt"), bytes);
  }
  EXPECT_EQ(Boxes(), "");
  EXPECT_EQ(FileNames(), (Strings{"in.txt", "out.txt", "rules"}));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor of a load never stays
  // However long a cell, the view is given its first 259 characters and "…".
  QAbstractItemModel* model = Main().List().View()->model();
  EXPECT_EQ(model->data(model->index(0, 0)).toString(), QString(259, 'n') + QChar(0x2026));
}

// A save that fails at any byte of the new file keeps the old file whole and the list unsaved.
// One that works writes CR LF lines, a course without a name under its default name, and
// writes the file that a link in its place names, keeping the link. A name is made to end in
// ".txt"; a cancelled dialog forgets it.
TEST_F(MainDlgTest, FailedSaveAtEveryByteKeepsOldFileAndTellsTheUser) {
  Run("+高等数学,5,100;+,2,60");
  const std::string fresh = Gbk("高等数学 5 100\r\n未命名课程 2 60\r\n");
  Write("target.txt", "old");
  std::filesystem::create_symlink(Path("target.txt"), Path("c.txt"));
  FailAtEveryByte(fresh.size(), "c.txt", "文件创建失败！/", [&] {
    Run(">c.txt;save");
    ASSERT_TRUE(Main().Modified() || m_seams.boxes.empty());  // unsaved after each failure
  });
  EXPECT_EQ(Read("target.txt"), fresh);
  EXPECT_TRUE(!Main().Modified() && std::filesystem::is_symlink(Path("c.txt")));
  const std::size_t dialogs = m_seams.fileDialogs.size();
  Run(">b;save;>UPPER.TXT;save;>;save;save");
  EXPECT_EQ(FileNames(), (Strings{"UPPER.TXT.txt", "b.txt", "c.txt", "rules", "target.txt"}));
  EXPECT_EQ(m_seams.fileDialogs.at(dialogs).initialPath, Path("c.txt"));
  EXPECT_EQ(m_seams.fileDialogs.back().initialPath, "");
}

// A text exchange writes a field only when its text changed, so it never moves the caret.
TEST_F(MainDlgTest, ExchangeLeavesTheCaretWhereItIs) {
  Run("=abcd,,");
  Main().ItemAs<QLineEdit>(kNameEdit)->setCursorPosition(2);
  Main().UpdateData(true);
  Main().UpdateData(false);
  EXPECT_EQ(Main().ItemAs<QLineEdit>(kNameEdit)->cursorPosition(), 2);
}

// 使用说明 and the system menu's entry show the instructions.
TEST_F(MainDlgTest, TheAboutDialogShowsTheInstructions) {
  m_inModal.assign(2, [](platform::Dialog& about) {
    auto* text = about.ItemAs<QPlainTextEdit>(kHelpTextBox);
    EXPECT_EQ(text->toPlainText(), platform::FromGbk(Data("instructions.txt")).remove('\r'));
    EXPECT_TRUE(text->isReadOnly() && about.focusWidget() == about.Item(kAboutOkButton));
    Click(about, kAboutOkButton);
    EXPECT_TRUE(about.Ended());
  });
  Run("about");
  ASSERT_EQ(Main().SystemMenu()->actions().size(), 2);
  EXPECT_TRUE(Main().SystemMenu()->actions()[0]->isSeparator());
  Main().SystemMenu()->actions()[1]->trigger();
  EXPECT_EQ(m_modals, 2);
}

}  // namespace
}  // namespace gradova::ui
