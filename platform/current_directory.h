#pragma once
// The process's working directory, in the file system's own bytes, of any length.
#include <string>

namespace gradova::platform {

// Empty when it cannot be read (it was removed, say).
std::string GetCurrentDirectory();
bool SetCurrentDirectory(const std::string& path);

}  // namespace gradova::platform
