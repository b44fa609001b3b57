// The course file and the report where the file system is not as expected: a directory or a link
// in a file's place, a start-up directory whose name is not UTF-8. Each command either works on
// a regular file of its own or says it failed, leaving what was there untouched, and the program
// goes on working.
#include <gtest/gtest.h>

#include <QPushButton>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"
#include "ui/main_dlg.h"
#include "ui/res/resource_ids.h"
#include "ui/result_dlg.h"
#include "ui_seams.h"

namespace gradova::ui {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const std::string kReport = "GPA report.html";

class FileFaultsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    platform::Dialog::SetModalRunnerForTesting(nullptr);
    m_main.reset();
  }
  // Starts the main window in `startDir` (made if needed) under the test's directory.
  void Start(const std::string& startDir = ".") {
    m_start = m_dir.Root() / startDir;
    fs::create_directories(m_start);
    m_inStart.emplace(m_start);
    m_main = std::make_unique<CMainDlg>();
    m_main->Create();
  }
  std::string At(const std::string& name) const { return (m_start / name).string(); }
  void Click(int id) { m_main->ItemAs<QPushButton>(id)->click(); }
  void Load(const std::string& path) {
    m_seams.fileAnswers.push_back(path);
    Click(kFromFileButton);
  }
  void Save(const std::string& path) {
    m_seams.fileAnswers.push_back(path);
    Click(kSaveCurrentButton);
  }
  // 查看GPA, then 生成报告 in the results window, which is then closed.
  void WriteReport() {
    platform::Dialog::SetModalRunnerForTesting([](platform::Dialog& results) {
      results.ItemAs<QPushButton>(kWriteReportButton)->click();
      results.ItemAs<QPushButton>(kResultOkButton)->click();
    });
    Click(kViewGpaButton);
  }

  testing::TempDir m_dir;
  testing::UiSeams m_seams;
  fs::path m_start;
  std::optional<testing::ScopedCurrentPath> m_inStart;
  std::unique_ptr<CMainDlg> m_main;
};

const std::string kSample = testing::DataFile("sample_courses.txt");
// The sample as the program saves it: the course without a name gets its default name.
const std::string kSavedSample =
    kSample.substr(0, kSample.rfind("2 60")) + testing::Gbk("未命名课程 2 60\r\n");

TEST_F(FileFaultsTest, CourseFileThatIsADirectory) {
  Start();
  fs::create_directory(At("courses.txt"));
  testing::WriteBytes(At("courses.txt/inner"), "kept");
  Load(At("courses.txt"));
  testing::WriteBytes(At("sample.txt"), kSample);
  Load(At("sample.txt"));
  Save(At("courses.txt"));
  EXPECT_EQ(m_seams.BoxTexts(), (Strings{"文件打开失败！", "文件创建失败！"}));
  EXPECT_EQ(testing::ReadBytes(At("courses.txt/inner")), "kept");
  Save(At("saved.txt"));
  EXPECT_EQ(testing::ReadBytes(At("saved.txt")), kSavedSample);
}

TEST_F(FileFaultsTest, CourseFileThatIsALinkIsReadThroughItAndReplacedBySaving) {
  Start();
  testing::WriteBytes(At("target.txt"), kSample);
  fs::create_symlink(At("target.txt"), At("link.txt"));
  Load(At("link.txt"));
  EXPECT_EQ(m_main->List().GetItemCount(), 6) << "five courses and the trailing row";
  Save(At("link.txt"));
  EXPECT_FALSE(fs::is_symlink(At("link.txt")));
  EXPECT_EQ(testing::ReadBytes(At("target.txt")), kSample);
  EXPECT_EQ(testing::ReadBytes(At("link.txt")), kSavedSample);
}

TEST_F(FileFaultsTest, ReportThatIsADirectoryIsLeftAloneAndReported) {
  Start();
  fs::create_directory(At(kReport));
  testing::WriteBytes(At(kReport + "/inner"), "kept");
  testing::WriteBytes(At("sample.txt"), kSample);
  Load(At("sample.txt"));
  WriteReport();
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"文件创建失败！"});
  EXPECT_EQ(testing::ReadBytes(At(kReport + "/inner")), "kept");
  fs::remove_all(At(kReport));
  WriteReport();
  EXPECT_EQ(testing::ReadBytes(At(kReport)), testing::DataFile("worked_example_report.html"));
}

TEST_F(FileFaultsTest, ReportThatIsALinkIsReplacedAndItsTargetKept) {
  Start();
  testing::WriteBytes(At("elsewhere"), "not a report");
  fs::create_symlink(At("elsewhere"), At(kReport));
  testing::WriteBytes(At("sample.txt"), kSample);
  Load(At("sample.txt"));
  WriteReport();
  EXPECT_FALSE(fs::is_symlink(At(kReport)));
  EXPECT_EQ(testing::ReadBytes(At(kReport)), testing::DataFile("worked_example_report.html"));
  EXPECT_EQ(testing::ReadBytes(At("elsewhere")), "not a report");
}

// Paths are the file system's own bytes: a start-up directory and a course file named in GBK
// (not UTF-8) work like any other.
TEST_F(FileFaultsTest, PathsThatAreNotUtf8) {
  const std::string gbkName = testing::Gbk("成绩");
  Start(gbkName + "\xff");
  EXPECT_TRUE(fs::exists(At("rules")));
  testing::WriteBytes(At(gbkName + ".txt"), kSample);
  Load(At(gbkName + ".txt"));
  Save(At(gbkName + "2.txt"));
  EXPECT_EQ(testing::ReadBytes(At(gbkName + "2.txt")), kSavedSample);
  WriteReport();
  EXPECT_EQ(testing::ReadBytes(At(kReport)), testing::DataFile("worked_example_report.html"));
  EXPECT_EQ(m_seams.BoxTexts(), Strings{"成功生成\"GPA report.html\"!"});
}

// Names that look like paths, commands or markup are only ever text: loading, viewing, the
// report and saving create no file but the ones asked for, and the page holds them escaped.
TEST_F(FileFaultsTest, CourseNamesAreNeverPathsOrCommands) {
  Start("home");
  const std::string hostile =
      "../../escaped 1 60\r\n/tmp/absolute 1 70\r\n$(touch pwned) 1 80\r\n"
      "`touch pwned2`;rm 1 90\r\n<script>alert(1)</script> 1 95\r\n";
  testing::WriteBytes(At("hostile.txt"), hostile);
  Load(At("hostile.txt"));
  WriteReport();
  Save(At("saved.txt"));
  EXPECT_EQ(testing::FileNames(m_start), (Strings{kReport, "hostile.txt", "rules", "saved.txt"}));
  EXPECT_EQ(testing::FileNames(m_dir.Root()), Strings{"home"});
  const std::string page = testing::ReadBytes(At(kReport)).value_or("");
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;"), std::string::npos);
  EXPECT_EQ(testing::ReadBytes(At("saved.txt")), hostile);
}

}  // namespace
}  // namespace gradova::ui
