#include "ui/result_dlg.h"

#include <cstdio>
#include <set>

#include "platform/qt/chart_view.h"
#include "platform/qt/check_menu.h"
#include "platform/qt/settings.h"
#include "ui/target_plan_dlg.h"

#include "ui_fixture.h"

namespace gradova::ui {
namespace {

const std::string kWritten = "成功生成\"GPA report.html\"!/";
const std::string kReport = Data("worked_example_report.html");

// What `command` writes on its standard output.
std::string Output(const std::string& command) {
  std::string text;
  std::FILE* pipe = popen(command.c_str(), "r");
  for (int c; pipe && (c = std::fgetc(pipe)) != EOF;) text += static_cast<char>(c);
  EXPECT_TRUE(pipe && pclose(pipe) == 0) << command;
  return text;
}

class ResultDlgTest : public UiTest {
 protected:
  // 查看GPA on the sample courses, loaded from `directory`; `inResults` acts in the window, before
  // the handlers already set for the windows it opens.
  void ViewSample(const std::function<void(CResultDlg&)>& inResults, std::string directory = "") {
    Write(directory + "sample.txt", Data("sample_courses.txt"));
    m_inModal.insert(m_inModal.begin(),
                     [=](platform::Dialog& d) { inResults(static_cast<CResultDlg&>(d)); });
    Run(">" + directory + "sample.txt;load;gpa");
  }
};

// The report goes to the start-up directory, wherever a file dialog left the working directory.
TEST_F(ResultDlgTest, WorkedExampleCellForCellAndItsReport) {
  Main();
  std::filesystem::create_directory(Path("elsewhere"));
  std::filesystem::current_path(Path("elsewhere"));
  std::string shown;
  ViewSample(
      [&](CResultDlg& results) {
        const QAbstractItemModel* model = results.List().View()->model();
        for (int column = 0; column < model->columnCount(); ++column)
          shown += model->headerData(column, Qt::Horizontal).toString().toStdString() + "\t";
        shown.back() = '\n';
        shown += Cells(results.List(), '\t', '\n');
        EXPECT_EQ(results.List().ColumnWidth(1), results.List().ColumnWidth(2));
        Click(results, kWriteReportButton);
        Click(results, kWriteReportButton);
        QTest::keyClick(&results, Qt::Key_Return);
        shown += std::to_string(results.Ended() ? results.Result() : -1);
      },
      "elsewhere/");
  // The cells as the report's page shows them, where an empty cell reads "-".
  std::string expected = Data("worked_example_report_cells.tsv");
  expected.erase(std::remove(expected.begin(), expected.end(), '-'), expected.end());
  EXPECT_EQ(shown, expected + "0");
  EXPECT_EQ(Read("GPA report.html"), kReport);
  EXPECT_EQ(Boxes(), kWritten + kWritten);
}

// A directory in the report's place is left alone. A report that fails at any byte keeps the old
// page whole and the window open; the page then written goes to the file that a link in its
// place names, and the link stays.
TEST_F(ResultDlgTest, FailedReportAtEveryByteKeepsTheOldPageAndSaysSo) {
  std::filesystem::create_directory(Path("GPA report.html"));
  Write("GPA report.html/inner", "kept");
  Write("elsewhere", "old");
  ViewSample([&](CResultDlg& results) {
    Click(results, kWriteReportButton);
    EXPECT_EQ(Boxes() + *Read("GPA report.html/inner"), "文件创建失败！/kept");
    std::filesystem::remove_all(Path("GPA report.html"));
    std::filesystem::create_symlink(Path("elsewhere"), Path("GPA report.html"));
    FailAtEveryByte(kReport.size(), "GPA report.html", "文件创建失败！/",
                    [&] { Click(results, kWriteReportButton); });
  });
  EXPECT_EQ(Read("elsewhere"), kReport);
  EXPECT_TRUE(std::filesystem::is_symlink(Path("GPA report.html")));
}

// With 40 courses the window, maximised or made larger, grows its list with it, and opens again
// at the size it was left at. Scrolled to the far right and the top, the list shows at its left
// the first course's name, and at its bottom the totals with the last rule's GPA; a row the
// keyboard goes down to is not hidden under them, nor is the list moved back.
TEST_F(ResultDlgTest, GrowsAndKeepsNamesAndTotalsInView) {
  std::string script;
  for (int i = 0; i < 40; ++i)
    script += "+课程" + std::to_string(i) + ",2," + std::to_string(60 + i) + ";";
  std::string state;
  QSize left;
  m_inModal = {
      [&](platform::Dialog& d) {
        QTreeView* view = static_cast<CResultDlg&>(d).List().View();
        const QSize around = d.size() - view->size();
        d.setWindowState(Qt::WindowMaximized);
        QApplication::processEvents();
        state += d.size() != d.minimumSize() && d.size() - view->size() == around ? "max+" : "max-";
        d.setWindowState(Qt::WindowNoState);
        d.resize(left = d.minimumSize() + QSize(200, 100));
        state += d.size() - view->size() == around ? "grown+" : "grown-";
        view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        view->scrollToTop();
        const QRect rows = view->viewport()->geometry();
        const int row = view->visualRect(view->model()->index(0, 0)).height();
        const auto seen = [&](QPoint at) {  // the cell the user sees at `at`
          QWidget* under = view->childAt(at);
          const QModelIndex cell =
              qobject_cast<QTreeView*>(under->parentWidget())->indexAt(under->mapFrom(view, at));
          state += "/" + cell.data().toString().toStdString();
        };
        seen(rows.topLeft() + QPoint(3, 3));
        seen(rows.bottomLeft() + QPoint(3, -row - 3));
        seen(rows.bottomRight() - QPoint(3, row + 3));
        view->setFocus();
        for (int i = 0; i < 34; ++i) QTest::keyClick(view, Qt::Key_Down);
        seen({rows.left() + 3, rows.top() + view->visualRect(view->currentIndex()).center().y()});
        if (view->horizontalScrollBar()->value() == 0) state += "/moved back";
      },
      [&](platform::Dialog& d) {
        state += d.size() == left ? "/again" : "/new";
        d.resize(d.minimumSize());
      }};
  Run(script + "gpa;gpa");
  EXPECT_EQ(state, "max+grown+/课程0/总计/加权平均/3.25/课程33/again");
}

// The planner of the worked example (15 credits, 48 points under the first rule), opened once:
// each row types the target and the remaining credits and presses 计算 or Enter; then the first
// rule's row, the boxes shown and whether the planner ended. A refused input keeps the rows.
#define PLAN_RANGE "输入有误！\n目标GPA应大于 0 且不超过 100，剩余学分应在 0~10000000 之间"
TEST_F(ResultDlgTest, TargetPlanOfTheWorkedExample) {
  const Row rows[] = {
      {"ZeroTarget", "0,10,calc", "标准4.0算法,3.20,,/" PLAN_RANGE "/-"},
      {"NeedsNinety", "3.5,10,calc", "标准4.0算法,3.20,3.95,90/-"},
      {"EnterPlansToo", "3,15,ret", "标准4.0算法,3.20,2.80,80/-"},
      {"Reached", "1.5,15,calc", "标准4.0算法,3.20,0.00,已达到/-"},
      {"Unreachable", "4,5,calc", "标准4.0算法,3.20,6.40,无法达到/-"},
      {"NotANumber", "3.5a,10,calc", "标准4.0算法,3.20,6.40,无法达到/" PLAN_RANGE "/-"},
      {"TargetAbove100", "100.5,10,calc", "标准4.0算法,3.20,6.40,无法达到/" PLAN_RANGE "/-"},
      {"TooManyCredits", "3,10000001,calc", "标准4.0算法,3.20,6.40,无法达到/" PLAN_RANGE "/-"},
  };
  m_inModal.push_back([&](platform::Dialog& plan) {
    for (const Row& row : rows) {
      m_seams.boxes.clear();
      const Strings input = Split(row.input, ',');
      Type(plan, kTargetGpaEdit, input[0]);
      Type(plan, kRemainingCreditsEdit, input[1]);
      if (input[2] == "calc") Click(plan, kPlanButton);
      if (input[2] == "ret") QTest::keyClick(plan.Item(kTargetGpaEdit), Qt::Key_Return);
      const std::string first = Split(Cells(static_cast<CTargetPlanDlg&>(plan).List()), '/')[0];
      EXPECT_EQ(first + "/" + Boxes() + Ended(plan), row.state) << row.label;
    }
  });
  ViewSample([](CResultDlg& results) { Click(results, kTargetPlanButton); });
  EXPECT_EQ(m_modals, 2);
}

// The PDF holds every cell of the table in order, as its text layer reads; a PDF that cannot be
// written says so and leaves nothing. Latin letters, digits and Chinese are drawn in one face, on
// screen and in the PDF alike.
TEST_F(ResultDlgTest, PdfOfTheWorkedExampleHoldsEveryCell) {
  std::set<std::string> faces;
  const auto ok = [](platform::Dialog& d) { Click(d, kPdfOkButton); };
  m_inModal = {ok, ok};
  ViewSample([&](CResultDlg& results) {
    for (QWidget* drawn : std::initializer_list<QWidget*>{&results, results.List().View()}) {
      QTextLayout line(QString::fromUtf8("Linear Algebra 3.20 高等数学"), drawn->font());
      line.beginLayout(), line.createLine(), line.endLayout();
      for (const QGlyphRun& run : line.glyphRuns())
        faces.insert(run.rawFont().familyName().remove(' ').toStdString());
    }
    m_seams.fileAnswers = {Path("out.pdf"), Path("missing/out.pdf")};
    Click(results, kExportPdfButton);
    Click(results, kExportPdfButton);
  });
  EXPECT_EQ(m_seams.fileDialogs.at(1).initialPath, Path("GPA report.pdf"));
  EXPECT_EQ(Boxes(), "成功生成\"out.pdf\"!/文件创建失败！/");
  const Strings fonts = Split(Output("pdffonts '" + Path("out.pdf") + "'"), '\n');
  for (std::size_t line = 2; line + 1 < fonts.size(); ++line) {
    const std::string name = fonts[line].substr(0, fonts[line].find(' '));
    faces.insert(name.substr(name.find('+') + 1));  // without a subset's tag
  }
  EXPECT_EQ(faces.size(), 1u) << *faces.begin() << " " << *faces.rbegin();
  const std::string text = Output("pdftotext -raw '" + Path("out.pdf") + "' -");
  std::size_t at = text.find("GPA报告");
  for (const std::string& cell : Split(Data("worked_example_report_cells.tsv"), '\t')) {
    for (const std::string& part : Split(cell, '\n')) {
      if (part.empty() || part == "-") continue;
      at = text.find(part, at);
      ASSERT_NE(at, std::string::npos) << part;
    }
  }
}

// The summary a student hands in: four years term by term under their rule and one more ticked,
// portrait, every font embedded. Its text gives back, in order, the student's fields, each term's
// label and GPA under the user's rule as the window shows them, the totals, the earned credits and
// each shown rule's scale. The fields are there again the next time; no rule ticked is refused.
TEST_F(ResultDlgTest, TranscriptSummaryPdfTermByTerm) {
  platform::WriteMyRule(Gbk("北大4.0算法"));
  Write("t.xlsx", Data("transcript_terms.xlsx"));
  std::vector<std::string> expected = {"姓名：张三 学号：2021001", "学校：某大学"};
  const auto rules = [](platform::Dialog& d) {
    return static_cast<QToolButton*>(d.Item(kPdfRuleMenu))->menu()->actions();
  };
  m_inModal = {[](platform::Dialog& d) { Click(d, kImportOkButton); },
               [&](platform::Dialog& d) {
                 auto& results = static_cast<CResultDlg&>(d);
                 results.ItemAs<QComboBox>(kResultViewList)->setCurrentIndex(1);
                 const platform::ListControl& terms = results.TermList();
                 for (int row = 0; row + 1 < terms.GetItemCount(); ++row) {
                   expected.push_back(Utf8(terms.GetItemText(row, 0)));
                   expected.push_back(terms.GetItemText(row, 3));
                 }
                 expected.push_back(terms.GetItemText(terms.GetItemCount() - 1, 3));
                 expected.push_back(Shown(results, kEarnedCreditsLabel));
                 m_seams.fileAnswers = {Path("out.pdf")};
                 Click(results, kExportPdfButton);
                 Click(results, kExportPdfButton);
               },
               [&](platform::Dialog& d) {
                 std::vector<bool> mineAlone(8);
                 mineAlone[0] = true;
                 EXPECT_EQ(platform::CheckedItems(d.Item(kPdfRuleMenu)), mineAlone);
                 for (QAction* rule : rules(d)) rule->setChecked(false);
                 Click(d, kPdfOkButton);
                 EXPECT_EQ(Boxes(), "请至少选择一种算法。/");
                 EXPECT_EQ(rules(d).size(), 8);
                 rules(d)[0]->setChecked(true);
                 rules(d)[1]->setChecked(true);
                 Type(d, kStudentNameEdit, "张三");
                 Type(d, kStudentNumberEdit, "2021001");
                 Type(d, kSchoolEdit, "某大学");
                 Click(d, kPdfOkButton);
               },
               [&](platform::Dialog& d) {
                 EXPECT_EQ(Shown(d, kStudentNameEdit) + Shown(d, kSchoolEdit), "张三某大学");
               }};
  Run(">t.xlsx;load;gpa");
  EXPECT_EQ(m_modals, 4);
  expected.push_back("北大4.0算法：90–100 = 4.0，85–89 = 3.7");
  expected.push_back("标准4.0算法：90–100 = 4.0，80–89 = 3.0");
  const std::string text = Output("pdftotext -raw '" + Path("out.pdf") + "' -");
  std::size_t at = 0;
  for (const std::string& part : expected) {
    at = text.find(part, at);
    ASSERT_NE(at, std::string::npos) << part << "\n" << text;
  }
  const std::string info = Output("pdfinfo '" + Path("out.pdf") + "'");
  EXPECT_NE(info.find("595 x 842 pts"), std::string::npos) << info;
  const Strings fonts = Split(Output("pdffonts '" + Path("out.pdf") + "'"), '\n');
  for (std::size_t line = 2; line + 1 < fonts.size(); ++line)
    EXPECT_NE(fonts[line].find(" yes "), std::string::npos) << fonts[line];
}

// A record with terms (two label styles of one term, and none) and categories, a passed pass/fail
// course among them: the per-term rows in time order under the first rule, the earned credits, and
// a subset of categories and terms that the table, the report and the planner follow. The
// transcript's own points end every row, averaged over the courses whose points are a value.
TEST_F(ResultDlgTest, TermsAndSubset) {
  gpa::CourseSnapshot snapshot;
  for (const char* course : {"A,2,90,2023-2024-1,必修,3.9", "B,2,80,2022-2023学年第二学期,选修,3.3",
                             "C,1,通过,2022-2023-2,必修,4", "D,4,70,,必修,-"}) {
    const Strings f = Split(Gbk(course), ',');
    gpa::AppendCourse(snapshot, f[0], f[1], f[2], f[3], f[4], f[5]);
  }
  CResultDlg results(4, snapshot, &Main());
  results.Create();
  const auto shown = [&] {
    const bool byTerm = results.Item(kTermList)->isVisible();
    const platform::ListControl& list = byTerm ? results.TermList() : results.List();
    std::string text = Shown(results, kEarnedCreditsLabel) + "|";
    for (int row = 0; row < list.GetItemCount(); ++row) {
      for (int column = 0; column < 4; ++column) text += Utf8(list.GetItemText(row, column)) + ",";
      text.back() = '/';
    }
    return text;
  };
  const auto choose = [&](int id, int index) {
    results.ItemAs<QComboBox>(id)->setCurrentIndex(index);
    return shown();
  };
  const std::string terms =
      "2022-2023学年第二学期,2.0,80.0,3.00/2022-2023-2,0.0,无法计算,无法计算/"
      "2023-2024-1,2.0,90.0,4.00/未分学期,4.0,70.0,2.00/";
  EXPECT_EQ(choose(kResultViewList, 1), "已获学分：9.0|" + terms + "累计,8.0,77.5,2.75/");
  const int last = results.List().ColumnCount() - 1;
  EXPECT_EQ(results.TermList().GetItemText(4, last), "3.60");
  EXPECT_EQ(Split(choose(kResultViewList, 2), '/')[5], "累计至2023-2024-1,4.0,85.0,3.50");
  static_cast<QToolButton*>(results.Item(kCategoryMenu))->menu()->actions()[1]->trigger();
  const std::string table = "A,2,90,4.0/D,4,70,2.0/,,,/总计/加权平均,6.0,76.7,2.67/共计2门课,,,/";
  EXPECT_EQ(choose(kResultViewList, 0), "已获学分：7.0|" + table);
  EXPECT_EQ(choose(kFromTermList, 2), "已获学分：6.0|" + table);
  EXPECT_EQ(results.List().GetItemText(1, last) + results.List().GetItemText(3, last), "-3.90");
  Click(results, kWriteReportButton);
  const std::string report = Utf8(*Read("GPA report.html"));
  EXPECT_NE(report.find("<p>仅统计：必修；2023-2024-1 起</p>\r\n<table"), std::string::npos);
  const std::size_t byTerm = report.find(
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" "
      "id=\"table2\">\r\n<tr>\r\n<td>学期</td>");
  EXPECT_LT(byTerm, report.find("<td>2023-2024-1</td>\r\n<td>2.0</td>\r\n<td>90.0</td>", byTerm));
  // The trend chart of that subset under the rule chosen beside it, by term and cumulated, with
  // the target last planned across, up to the rule's top; saved as PNG and as SVG.
  choose(kResultViewList, 3);
  results.ItemAs<QComboBox>(kChartRuleList)->setCurrentIndex(4);
  results.Item(kChartRuleList)->setFocus();
  EXPECT_EQ(TabOrder(results), "1078,1079,1071,1072,1073,1074,1018,1019,1020,1021,1022,1076,");
  m_inModal.push_back([&](platform::Dialog& plan) {
    Type(plan, kTargetGpaEdit, "3.5"), Type(plan, kRemainingCreditsEdit, "10");
    Click(plan, kPlanButton);
  });
  Click(results, kTargetPlanButton);
  QString points = QString::number(platform::ChartTop(results.Item(kChartView)));
  for (const auto& line : platform::ChartPoints(results.Item(kChartView))) {
    for (const auto& [x, y] : line) points += QString(" %1:%2").arg(x).arg(y);
    points += "/";
  }
  EXPECT_EQ(points.toStdString(), "4.3 0:4.3 1:3/ 0:4.3 1:3.43/ 0:3.5 1:3.5/");
  m_seams.fileAnswers = {Path("c.png"), Path("c.svg")};
  Click(results, kExportChartButton), Click(results, kExportChartButton);
  EXPECT_EQ(Read("c.png")->substr(1, 3) + Read("c.svg")->substr(0, 5), "PNG<?xml");
  EXPECT_EQ(m_seams.fileDialogs.at(0).initialPath, Path("GPA chart.png"));
}

// 我的算法 by the keyboard, over three windows: End marks the last rule, which then leads the table
// and the per-term view in bold and is selected in the planner; the next window reads the mark
// back, and Home takes it away, the rules back in the file's order.
TEST_F(ResultDlgTest, MyRuleLeadsAndIsRemembered) {
  gpa::CourseSnapshot snapshot;
  gpa::AppendCourse(snapshot, "A", "2", "85", "2023-2024-1", "");
  std::string state;
  m_inModal.assign(3, [&](platform::Dialog& plan) {
    state += std::to_string(static_cast<CTargetPlanDlg&>(plan).List().GetSelectionMark()) + "\n";
  });
  for (const Qt::Key key : {Qt::Key_End, Qt::Key_Up, Qt::Key_Home}) {
    CResultDlg results(1, snapshot, &Main());
    results.Create();
    for (int pass = 0; pass < 2; ++pass) {
      for (platform::ListControl* list : {&results.List(), &results.TermList()}) {
        const QAbstractItemModel* model = list->View()->model();
        const bool bold =
            model->headerData(3, Qt::Horizontal, Qt::FontRole).value<QFont>().bold() &&
            model->index(0, 3).data(Qt::FontRole).value<QFont>().bold();
        state += model->headerData(3, Qt::Horizontal).toString().toStdString() +
                 (bold ? "+" : "-") + Utf8(list->GetItemText(0, 3)) + ",";
      }
      if (pass == 0) QTest::keyClick(results.Item(kMyRuleList), key);
    }
    Click(results, kTargetPlanButton);
  }
  EXPECT_EQ(state,
            "标准4.0算法-3.0,标准4.0算法-3.00,台湾4.0算法+4.0,台湾4.0算法+4.00,0\n"
            "台湾4.0算法+4.0,台湾4.0算法+4.00,上海交大4.3算法+3.7,上海交大4.3算法+3.70,0\n"
            "上海交大4.3算法+3.7,上海交大4.3算法+3.70,标准4.0算法-3.0,标准4.0算法-3.00,-1\n");
}

}  // namespace
}  // namespace gradova::ui
