// Start-up of the desktop program through its own start-up code, until its main window has been
// drawn and the event loop is idle.
#include <QApplication>

#include "bench/end_after_first_paint.h"
#include "ui/gradova_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const EndAfterFirstPaint end(application);
  gradova::ui::CGradovaApp app;
  return app.InitInstance();
}
