// The yardstick for start-up: a Qt program that shows one empty dialog, until it has been drawn
// and the event loop is idle.
#include <QApplication>
#include <QDialog>

#include "bench/end_after_first_paint.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const EndAfterFirstPaint end(application);
  QDialog dialog;
  dialog.show();
  return application.exec();
}
