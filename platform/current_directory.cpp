#include "platform/current_directory.h"

#include <filesystem>

namespace gradova::platform {

std::string GetCurrentDirectory() {
  std::error_code error;
  return std::filesystem::current_path(error).string();
}

bool SetCurrentDirectory(const std::string& path) {
  std::error_code error;
  std::filesystem::current_path(path, error);
  return !error;
}

}  // namespace gradova::platform
