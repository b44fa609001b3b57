// Runs the widget tests on the offscreen platform unless another is chosen.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string runtimeDir =
      (std::filesystem::temp_directory_path() / ("gradova-ui-test-" + std::to_string(::getpid())))
          .string();
  std::filesystem::create_directories(runtimeDir);
  std::filesystem::permissions(runtimeDir, std::filesystem::perms::owner_all);
  ::setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 0);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(runtimeDir, ignored);
  return result;
}
