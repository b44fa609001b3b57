// Start-up of the main window: from exec to the window shown and the event loop idle.
#include <QApplication>
#include <QTimer>

#include "platform/qt/fonts.h"
#include "ui/main_dlg.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  gradova::platform::InstallCjkFontSubstitutes();
  gradova::ui::CMainDlg dialog;
  dialog.Create();
  QTimer::singleShot(0, &application, &QApplication::quit);
  return application.exec();
}
