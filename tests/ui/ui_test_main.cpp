// Runs the widget tests on the offscreen platform unless another is chosen.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QTemporaryDir>

#include "ui/gradova_app.h"

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const QTemporaryDir runtimeDir;  // made private to its owner, removed at the end
  ::setenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit().constData(), 0);
  QApplication application(argc, argv);
  gradova::ui::PrepareToolkit();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
