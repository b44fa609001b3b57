#include "ui/gradova_app.h"

#include "platform/qt/fonts.h"
#include "platform/qt/message_box.h"
#include "ui/main_dlg.h"
#include "ui/res/dialog_templates.h"

namespace gradova::ui {

int CGradovaApp::InitInstance() {
  platform::SetApplicationTitle("Gradova");
  const platform::DialogTemplate mainTemplate = MakeMainDialogTemplate();
  platform::SetApplicationFont(mainTemplate.fontFace, mainTemplate.fontPointSize);
  CMainDlg mainDialog;
  mainDialog.DoModal();
  return 0;
}

}  // namespace gradova::ui
