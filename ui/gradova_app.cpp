#include "ui/gradova_app.h"

#include "platform/qt/fonts.h"
#include "platform/qt/message_box.h"
#include "platform/qt/toolkit_translations.h"
#include "ui/main_dlg.h"
#include "ui/res/dialog_templates.h"

namespace gradova::ui {

void PrepareToolkit() {
  platform::SetApplicationTitle("Gradova");
  const platform::DialogTemplate mainTemplate = MakeMainDialogTemplate();
  platform::SetApplicationFont(mainTemplate.fontFace, mainTemplate.fontPointSize);
  // Without the translations the standard buttons read English; everything else still works.
  platform::InstallToolkitTranslations();
}

int CGradovaApp::InitInstance() {
  PrepareToolkit();
  CMainDlg mainDialog;
  mainDialog.DoModal();
  return 0;
}

}  // namespace gradova::ui
