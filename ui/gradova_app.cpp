#include "ui/gradova_app.h"

#include "platform/qt/fonts.h"
#include "platform/qt/message_box.h"
#include "ui/main_dlg.h"

namespace gradova::ui {

int CGradovaApp::InitInstance() {
  platform::InstallCjkFontSubstitutes();
  platform::SetApplicationTitle("Gradova");
  CMainDlg mainDialog;
  mainDialog.DoModal();
  return 0;
}

}  // namespace gradova::ui
