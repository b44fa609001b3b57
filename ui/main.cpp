// Gradova: the desktop program.
#include <QApplication>

#include "platform/qt/gbk_text.h"
#include "ui/gradova_app.h"
#include "ui/res/version_texts.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(gradova::platform::FromGbk(gradova::ui::kProductName));
  QApplication::setApplicationVersion(gradova::platform::FromGbk(gradova::ui::kProductVersion));
  QApplication::setDesktopFileName(QStringLiteral(GRADOVA_APP_ID));
  gradova::ui::CGradovaApp app;
  return app.InitInstance();
}
