// Gradova: the desktop program.
#include <QApplication>

#include "ui/gradova_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  gradova::ui::CGradovaApp app;
  return app.InitInstance();
}
