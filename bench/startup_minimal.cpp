// The yardstick for start-up: a Qt program that shows one empty dialog and stops when idle.
#include <QApplication>
#include <QDialog>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QDialog dialog;
  dialog.show();
  QTimer::singleShot(0, &application, &QApplication::quit);
  return application.exec();
}
