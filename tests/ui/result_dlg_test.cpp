#include "ui/result_dlg.h"

#include "ui_fixture.h"

namespace gradova::ui {
namespace {

const std::string kWritten = "成功生成\"GPA report.html\"!/";
const std::string kReport = Data("worked_example_report.html");

class ResultDlgTest : public UiTest {
 protected:
  // 查看GPA on the sample courses, loaded from `directory`; `inResults` acts in the window.
  void ViewSample(const std::function<void(CResultDlg&)>& inResults, std::string directory = "") {
    Write(directory + "sample.txt", Data("sample_courses.txt"));
    m_inModal.push_back([=](platform::Dialog& d) { inResults(static_cast<CResultDlg&>(d)); });
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
        for (int column = 0; column < model->columnCount(); ++column) {
          shown += model->headerData(column, Qt::Horizontal).toString().toStdString() + "\t";
        }
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

}  // namespace
}  // namespace gradova::ui
