// Development tool: draws each dialog with sample data into PNG files, for reviewing the look.
//
//   gradova-screenshots OUTDIR SAMPLE_COURSE_FILE
//
// Runs on the offscreen platform unless another is chosen, at the scale QT_SCALE_FACTOR asks
// for; works in a temporary directory so that no `rules` file is left behind.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "gpa/course_snapshot.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/qt/dialog.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/transcript_file.h"
#include "ui/gradova_app.h"
#include "ui/import_dlg.h"
#include "ui/main_dlg.h"
#include "ui/res/resource_ids.h"
#include "ui/result_dlg.h"

using namespace gradova;

namespace {

bool Save(QWidget& widget, const std::filesystem::path& file) {
  const bool saved = widget.grab().save(QString::fromStdString(file.string()), "PNG");
  std::cout << (saved ? "wrote " : "could not write ") << file.string() << "\n";
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gradova-screenshots OUTDIR SAMPLE_COURSE_FILE\n";
    return 2;
  }
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ui::PrepareToolkit();
  const std::filesystem::path outDir = std::filesystem::absolute(argv[1]);
  const std::string sample = std::filesystem::absolute(argv[2]).string();
  std::filesystem::create_directories(outDir);
  const std::filesystem::path work =
      std::filesystem::temp_directory_path() /
      ("gradova-screenshots-" + std::to_string(QCoreApplication::applicationPid()));
  std::filesystem::create_directories(work);
  std::filesystem::current_path(work);
  // The rule marked as the user's below is kept here, not in the user's own settings.
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(work.string()));

  bool ok = true;
  // Courses come from the sample; the PDF goes beside the pictures.
  platform::SetFileDialogResponderForTesting([&](const platform::FileDialogRequest& request) {
    return std::optional<std::string>(request.kind == platform::FileDialogKind::Open
                                          ? sample
                                          : (outDir / "GPA report.pdf").string());
  });
  // The first box is drawn, and every box is answered as its default button would be.
  platform::SetMessageBoxResponderForTesting([&](const platform::MessageBoxRequest& request) {
    static bool drawn = false;
    if (!drawn) {
      const auto box = platform::MakeMessageBox(request);
      box->show();
      ok = Save(*box, outDir / "message-box.png") && ok;
      drawn = true;
    }
    return request.kind == platform::MessageBoxKind::Question ? platform::kIdCancel
                                                              : platform::kIdOk;
  });
  const std::map<int, std::string> names{
      {ui::kAboutDialogId, "about"},           {ui::kResultDialogId, "results-window"},
      {ui::kRuleListDialogId, "rule-manager"}, {ui::kRuleEditDialogId, "rule-editor"},
      {ui::kImportDialogId, "import-dialog"},  {ui::kTargetPlanDialogId, "target-plan"}};
  // Each modal dialog is drawn, then opens the next ones down: from the results the planner (with
  // a plan) and the rule manager; from the manager the editor.
  platform::Dialog::SetModalRunnerForTesting([&](platform::Dialog& dialog) {
    const int id = dialog.Template().id;
    if (id == ui::kTargetPlanDialogId) {
      dialog.ItemAs<QLineEdit>(ui::kTargetGpaEdit)->setText("3.5");
      dialog.ItemAs<QLineEdit>(ui::kRemainingCreditsEdit)->setText("20");
      dialog.ItemAs<QPushButton>(ui::kPlanButton)->click();
    }
    // The resizable windows as a user would make them larger: the results wide enough for every
    // rule's column, the import by a little each way.
    if (id == ui::kResultDialogId) {
      auto* list = dialog.ItemAs<QTreeView>(ui::kResultList);
      dialog.resize(dialog.size() + QSize(list->header()->length() - list->viewport()->width(), 0));

    } else if (id == ui::kImportDialogId) {
      dialog.resize(dialog.size() + QSize(120, 60));
    }
    QApplication::processEvents();  // the scroll bars a larger list no longer needs go
    ok = Save(dialog, outDir / (names.at(id) + ".png")) && ok;
    if (id == ui::kResultDialogId) {
      dialog.ItemAs<QPushButton>(ui::kTargetPlanButton)->click();
      dialog.ItemAs<QPushButton>(ui::kCustomRulesButton)->click();
    } else if (id == ui::kRuleListDialogId) {
      auto* list = dialog.ItemAs<QAbstractItemView>(ui::kRuleList);
      const QModelIndex first = list->model()->index(3, 0);
      list->setCurrentIndex(first);
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(first).center());
      dialog.ItemAs<QPushButton>(ui::kViewDetailsButton)->click();
    }
    if (!dialog.Ended()) dialog.EndDialog(0);
  });
  {
    ui::CMainDlg mainDialog;
    mainDialog.Create();
    mainDialog.ItemAs<QPushButton>(ui::kFromFileButton)->click();
    // The sample's courses in the terms and categories a transcript gives them.
    const char* groups[][2] = {{"2023-2024-1", "公共必修"},
                               {"2023-2024-1", "专业必修"},
                               {"2023-2024-2", "通识教育选修"},
                               {"2023-2024-2", "公共必修"}};
    for (int row = 0; row < 4; ++row) {
      for (int column = 3; column < 5; ++column)
        mainDialog.List().SetItemText(row, column, platform::Utf8ToGbk(groups[row][column - 3]));
    }
    mainDialog.List().SelectRow(1);
    ok = Save(mainDialog, outDir / "main-window.png") && ok;
    mainDialog.ItemAs<QPushButton>(ui::kInstructionsButton)->click();
    mainDialog.ItemAs<QPushButton>(ui::kViewGpaButton)->click();
    // A course added after loading leaves the list unsaved: loading again asks about it.
    const char* course[] = {"线性代数", "3", "88"};
    for (int field = 0; field < 3; ++field) {
      mainDialog.ItemAs<QLineEdit>(ui::kNameEdit + field)->setText(course[field]);
    }
    mainDialog.ItemAs<QPushButton>(ui::kAddModifyButton)->click();
    mainDialog.ItemAs<QPushButton>(ui::kFromFileButton)->click();
  }
  // The import dialog over a transcript with terms and categories, a worded grade, a pass/fail
  // course and a retake.
  platform::ReplaceFile("transcript.csv",
                        "学年学期,课程名称,课程性质,学分,成绩\r\n2023-2024-1,高等数学,必修,5,优\r\n"
                        "2023-2024-1,体育,必修,1,通过\r\n2023-2024-1,线性代数,必修,4,58\r\n"
                        "2023-2024-2,线性代数,必修,4,良好\r\n2023-2024-2,大学物理,选修,3,中等\r\n");
  ui::CImportDlg import(platform::ReadTranscriptFile("transcript.csv").records);
  import.DoModal();
  // A record with terms and categories, by term with the cumulative GPA, 选修 left out.
  {
    const char* record[][5] = {{"高等数学", "5", "92", "2022-2023-1", "必修"},
                               {"大学英语", "3", "85", "2022-2023-1", "必修"},
                               {"体育", "1", "通过", "2022-2023-1", "必修"},
                               {"线性代数", "4", "78", "2022-2023-2", "必修"},
                               {"电影赏析", "2", "95", "2022-2023-2", "选修"},
                               {"大学物理", "4", "88", "2023-2024-1", "必修"}};
    gpa::CourseSnapshot snapshot;
    for (const auto& course : record) {
      gpa::AppendCourse(snapshot, platform::Utf8ToGbk(course[0]), course[1],
                        platform::Utf8ToGbk(course[2]), course[3], platform::Utf8ToGbk(course[4]));
    }
    ui::CResultDlg byTerm(static_cast<int>(std::size(record)), snapshot);
    byTerm.Create();
    byTerm.ItemAs<QComboBox>(ui::kResultViewList)->setCurrentIndex(2);
    static_cast<QToolButton*>(byTerm.Item(ui::kCategoryMenu))->menu()->actions()[1]->trigger();
    auto* list = byTerm.ItemAs<QTreeView>(ui::kTermList);
    byTerm.resize(byTerm.size() + QSize(list->header()->length() - list->viewport()->width(), 0));
    QApplication::processEvents();
    ok = Save(byTerm, outDir / "results-by-term.png") && ok;
    // The same with 北大4.0算法 marked as the user's, then its trend chart against a target.
    byTerm.ItemAs<QComboBox>(ui::kMyRuleList)->setCurrentIndex(4);
    byTerm.ItemAs<QComboBox>(ui::kResultViewList)->setCurrentIndex(0);
    QApplication::processEvents();
    ok = Save(byTerm, outDir / "results-my-rule.png") && ok;
    platform::Dialog::SetModalRunnerForTesting([](platform::Dialog& plan) {
      plan.ItemAs<QLineEdit>(ui::kTargetGpaEdit)->setText("3.5");
      plan.ItemAs<QLineEdit>(ui::kRemainingCreditsEdit)->setText("20");
      plan.ItemAs<QPushButton>(ui::kPlanButton)->click();
    });
    byTerm.ItemAs<QPushButton>(ui::kTargetPlanButton)->click();
    byTerm.ItemAs<QComboBox>(ui::kResultViewList)->setCurrentIndex(3);
    QApplication::processEvents();
    ok = Save(byTerm, outDir / "results-chart.png") && ok;
    // The PDF of that record, for a student who has filled in who they are.
    platform::Dialog::SetModalRunnerForTesting([&](platform::Dialog& pdf) {
      const char* fields[][2] = {{"张三", "2021001"}, {"某某大学", "计算机科学与技术"}};
      for (int row = 0; row < 2; ++row) {
        pdf.ItemAs<QLineEdit>(row ? ui::kSchoolEdit : ui::kStudentNameEdit)
            ->setText(fields[row][0]);
        pdf.ItemAs<QLineEdit>(row ? ui::kMajorEdit : ui::kStudentNumberEdit)
            ->setText(fields[row][1]);
      }
      ok = Save(pdf, outDir / "pdf-dialog.png") && ok;
      pdf.ItemAs<QPushButton>(ui::kPdfOkButton)->click();
    });
    byTerm.ItemAs<QPushButton>(ui::kExportPdfButton)->click();
  }
  std::filesystem::current_path(outDir);
  std::filesystem::remove_all(work);
  return ok ? 0 : 1;
}
