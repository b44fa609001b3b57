#include "ui/result_dlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>

#include "platform/files.h"
#include "platform/gbk.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"
#include "ui/main_dlg.h"
#include "ui/res/resource_ids.h"
#include "ui_seams.h"

namespace gradova::ui {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using Rows = std::vector<std::vector<std::string>>;

// The main window with the sample courses loaded; "查看GPA" runs the results window through the
// modal seam, where `m_inResults` acts on it.
class ResultDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Dialog::SetModalRunnerForTesting([this](platform::Dialog& dialog) {
      ++m_opened;
      auto& results = static_cast<CResultDlg&>(dialog);
      m_shown = Cells(results);
      if (m_inResults) m_inResults(results);
      m_result = results.Ended() ? results.Result() : -1;
    });
    m_main = std::make_unique<CMainDlg>();
    m_main->Create();
    testing::WriteBytes(m_dir.Path("sample.txt"), testing::DataFile("sample_courses.txt"));
    m_seams.fileAnswers.push_back(m_dir.Path("sample.txt"));
    Click(*m_main, kFromFileButton);
  }
  void TearDown() override {
    platform::Dialog::SetModalRunnerForTesting(nullptr);
    m_main.reset();
  }
  static void Click(platform::Dialog& dialog, int id) { dialog.ItemAs<QPushButton>(id)->click(); }
  static Rows Cells(CResultDlg& results) {
    Rows rows;
    platform::ListControl& list = results.List();
    rows.push_back({});
    for (int column = 0; column < list.ColumnCount(); ++column) {
      rows.back().push_back(platform::GbkToUtf8(list.ColumnTitle(column)));
    }
    for (int row = 0; row < list.GetItemCount(); ++row) {
      rows.push_back({});
      for (int column = 0; column < list.ColumnCount(); ++column) {
        rows.back().push_back(platform::GbkToUtf8(list.GetItemText(row, column)));
      }
    }
    return rows;
  }
  void ViewGpa() { Click(*m_main, kViewGpaButton); }

  testing::TempDir m_dir;
  testing::UiSeams m_seams;
  testing::ScopedCurrentPath m_inDir{m_dir.Root()};
  std::unique_ptr<CMainDlg> m_main;
  std::function<void(CResultDlg&)> m_inResults;
  int m_opened = 0;
  int m_result = -2;
  Rows m_shown;
};

TEST_F(ResultDlgTest, WorkedExampleCellForCell) {
  m_inResults = [](CResultDlg& results) {
    EXPECT_EQ(results.List().ColumnWidth(0), 160);
    EXPECT_EQ(results.List().ColumnWidth(1), 40);
    EXPECT_EQ(results.List().ColumnWidth(3), 120);
    EXPECT_EQ(results.RuleCount(), 8);
  };
  ViewGpa();
  ASSERT_EQ(m_opened, 1);
  const std::vector<std::string> empty(11);
  const Rows expected{
      {"课程名称", "学分", "成绩", "标准4.0算法", "改进4.0算法(1)", "改进4.0算法(2)", "北大4.0算法",
       "加拿大4.3算法", "中科大4.3算法", "上海交大4.3算法", "台湾4.0算法"},
      {"高等数学", "5", "100", "4.0", "4.0", "4.0", "4.0", "4.3", "4.3", "4.3", "4.0"},
      {"Linear Algebra", "4", "100", "4.0", "4.0", "4.0", "4.0", "4.3", "4.3", "4.3", "4.0"},
      {"思想品德修养", "2", "99", "4.0", "4.0", "4.0", "4.0", "4.3", "4.3", "4.3", "4.0"},
      {"马克思主义哲学", "2", "60", "1.0", "1.0", "2.0", "1.0", "2.3", "1.0", "1.0", "2.0"},
      {"未命名课程", "2", "60", "1.0", "1.0", "2.0", "1.0", "2.3", "1.0", "1.0", "2.0"},
      empty,
      {"总计/加权平均", "15.0", "89.2", "3.20", "3.20", "3.47", "3.20", "3.77", "3.42", "3.42",
       "3.47"},
      {"共计5门课", "", "", "", "", "", "", "", "", "", ""},
  };
  EXPECT_EQ(m_shown, expected);
  EXPECT_FALSE(m_main->Modified());
}

TEST_F(ResultDlgTest, ReportIsWrittenInTheStartUpDirectory) {
  std::filesystem::create_directory(m_dir.Path("elsewhere"));
  std::filesystem::current_path(m_dir.Path("elsewhere"));  // where a file dialog may have left it
  m_inResults = [](CResultDlg& results) {
    Click(results, kWriteReportButton);
    Click(results, kWriteReportButton);
    Click(results, kResultOkButton);
  };
  ViewGpa();
  EXPECT_EQ(testing::ReadBytes(m_dir.Path("GPA report.html")),
            testing::DataFile("worked_example_report.html"));
  EXPECT_FALSE(std::filesystem::exists(m_dir.Path("elsewhere/GPA report.html")));
  EXPECT_EQ(m_seams.BoxTexts(), (std::vector<std::string>{"成功生成\"GPA report.html\"!",
                                                          "成功生成\"GPA report.html\"!"}));
  EXPECT_EQ(m_result, 0);
}

// A report that fails at any byte keeps the old page whole and says so; the window goes on and
// the next attempt writes the page.
TEST_F(ResultDlgTest, FailedReportAtEveryByteKeepsTheOldPageAndSaysSo) {
  const std::string page = testing::DataFile("worked_example_report.html");
  testing::WriteBytes(m_dir.Path("GPA report.html"), "old");
  const std::filesystem::path dir = m_dir.Root();
  m_inResults = [&](CResultDlg& results) {
    for (std::size_t failAt = 0; failAt < page.size(); ++failAt) {
      m_seams.boxes.clear();
      platform::SetWriteFailureAfterBytesForTesting(failAt);
      Click(results, kWriteReportButton);
      platform::SetWriteFailureAfterBytesForTesting(std::nullopt);
      ASSERT_EQ(testing::ReadBytes(m_dir.Path("GPA report.html")), "old") << failAt;
      ASSERT_EQ(m_seams.BoxTexts(), std::vector<std::string>{"文件创建失败！"}) << failAt;
      ASSERT_EQ(testing::FileNames(dir),
                (std::vector<std::string>{"GPA report.html", "rules", "sample.txt"}));
    }
    Click(results, kWriteReportButton);
  };
  ViewGpa();
  EXPECT_EQ(testing::ReadBytes(m_dir.Path("GPA report.html")), page);
}

TEST_F(ResultDlgTest, EnterClosesWithZero) {
  m_inResults = [](CResultDlg& results) { QTest::keyClick(&results, Qt::Key_Return); };
  ViewGpa();
  EXPECT_EQ(m_result, 0);
}

TEST_F(ResultDlgTest, MissingRulesCloseTheWindowAtOnce) {
  std::filesystem::remove(m_dir.Path("rules"));
  ViewGpa();
  EXPECT_EQ(m_opened, 0);
  EXPECT_EQ(m_seams.BoxTexts(), std::vector<std::string>{"错误！GPA算法文件丢失！"});
}

TEST_F(ResultDlgTest, DamagedRulesWarnAndShowTheCompleteOnes) {
  testing::WriteBytes(m_dir.Path("rules"), testing::DataFile("builtin_rules").substr(0, 30));
  ViewGpa();
  EXPECT_EQ(m_seams.BoxTexts(), std::vector<std::string>{"算法文件已损坏！"});
  ASSERT_FALSE(m_shown.empty());
  EXPECT_EQ(m_shown[0].size(), 4u);
}

TEST_F(ResultDlgTest, EmptyRulesShowThreeColumns) {
  testing::WriteBytes(m_dir.Path("rules"), "");
  ViewGpa();
  ASSERT_EQ(m_shown.size(), 9u);
  EXPECT_EQ(m_shown[7], (std::vector<std::string>{"总计/加权平均", "15.0", "89.2"}));
  EXPECT_TRUE(m_seams.boxes.empty());
}

TEST(ViewGpa, WithoutCoursesSaysNoData) {
  testing::TempDir dir;
  testing::UiSeams seams;
  int opened = 0;
  platform::Dialog::SetModalRunnerForTesting([&opened](platform::Dialog&) { ++opened; });
  {
    testing::ScopedCurrentPath inDir(dir.Root());
    CMainDlg main;
    main.Create();
    main.ItemAs<QPushButton>(kViewGpaButton)->click();
  }
  platform::Dialog::SetModalRunnerForTesting(nullptr);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(seams.BoxTexts(), std::vector<std::string>{"当前没有数据！"});
}

}  // namespace
}  // namespace gradova::ui
