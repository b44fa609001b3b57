// The main window with a large course file: loading it through "从文件", "查看GPA" until the filled
// results window shows, "生成报告", "导出PDF" under every rule, emptying the list with "清空当前",
// and the peak memory.
// Offscreen, the file dialog answered through the toolkit layer's seam.
//
//   ui_list_bench COURSEFILE
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/qt/dialog.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "ui/main_dlg.h"
#include "ui/res/resource_ids.h"

namespace {

template <typename Action>
double Milliseconds(Action action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  QApplication::processEvents();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The memory the process holds now, not its peak.
long ResidentMegabytes() {
  long pages = 0;
  long resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return resident * ::sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: ui_list_bench COURSEFILE\n";
    return 2;
  }
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  const std::string courses = std::filesystem::absolute(argv[1]).string();
  const auto work = std::filesystem::temp_directory_path() / "gradova-ui-bench";
  std::filesystem::create_directories(work);
  std::filesystem::current_path(work);
  gradova::platform::SetFileDialogResponderForTesting(
      [&](const gradova::platform::FileDialogRequest& request) {
        return std::optional<std::string>(request.kind == gradova::platform::FileDialogKind::Open
                                              ? courses
                                              : (work / "out.pdf").string());
      });

  gradova::ui::CMainDlg dialog;
  dialog.Create();
  QApplication::processEvents();
  const double load =
      Milliseconds([&] { dialog.ItemAs<QPushButton>(gradova::ui::kFromFileButton)->click(); });
  const int rows = dialog.List().GetItemCount() - 1;
  rusage afterLoad{};
  ::getrusage(RUSAGE_SELF, &afterLoad);

  // "查看GPA" until the filled results window is shown, and "生成报告" inside it.
  double report = 0;
  const auto viewStart = std::chrono::steady_clock::now();
  double view = 0;
  gradova::platform::SetMessageBoxResponderForTesting(
      [](const gradova::platform::MessageBoxRequest&) { return gradova::platform::kIdOk; });
  double pdf = 0;
  gradova::platform::Dialog::SetModalRunnerForTesting([&](gradova::platform::Dialog& results) {
    if (results.Template().id == gradova::ui::kPdfExportDialogId) {
      results.ItemAs<QPushButton>(gradova::ui::kPdfOkButton)->click();
      return;
    }
    QApplication::processEvents();
    view = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - viewStart)
               .count();
    report = Milliseconds(
        [&] { results.ItemAs<QPushButton>(gradova::ui::kWriteReportButton)->click(); });
    pdf =
        Milliseconds([&] { results.ItemAs<QPushButton>(gradova::ui::kExportPdfButton)->click(); });
    results.EndDialog(0);
  });
  dialog.ItemAs<QPushButton>(gradova::ui::kViewGpaButton)->click();

  const double clear =
      Milliseconds([&] { dialog.ItemAs<QPushButton>(gradova::ui::kClearCurrentButton)->click(); });
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  std::cout << "courses loaded: " << rows << "\n"
            << "load (从文件): " << load << " ms\n"
            << "peak memory after the load: " << afterLoad.ru_maxrss / 1024 << " MB\n"
            << "clear (清空当前): " << clear << " ms\n"
            << "memory held after the clear: " << ResidentMegabytes() << " MB\n"
            << "view (查看GPA, results window shown): " << view << " ms\n"
            << "report (生成报告): " << report << " ms\n"
            << "PDF (导出PDF): " << pdf << " ms, "
            << std::filesystem::file_size(work / "out.pdf") / 1024 << " KB\n"
            << "peak memory: " << usage.ru_maxrss / 1024 << " MB\n";
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  std::filesystem::remove_all(work);
  return rows > 0 ? 0 : 1;
}
