#include "platform/current_directory.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace gradova::platform {

std::string GetCurrentDirectory() {
  std::vector<char> buffer(256);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool SetCurrentDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

}  // namespace gradova::platform
