#include "platform/browser_command.h"

#include <map>

namespace gradova::platform {
std::string OpenErrorText(int code) {
  static const std::map<int, const char*> kTexts{
      {0, "The operating system is out\nof memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied\naccess to the specified file."},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
      {26, "A sharing violation occurred. "},
      {27, "The filename association is\nincomplete or invalid."},
      {28, "The DDE transaction could not\nbe completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30,
       "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
       "being processed."},
      {31, "There is no application associated\nwith the given filename extension."},
      {32, "The specified dynamic-link library was not found."},
  };
  const auto it = kTexts.find(code);
  return it != kTexts.end() ? it->second : "Unknown Error (" + std::to_string(code) + ") occurred.";
}

std::string OpenErrorMessage(int code) {
  return "Unable to open hyperlink:\n\n" + OpenErrorText(code);
}

std::string_view CutAtPlaceholder(std::string_view commandLine) {
  std::size_t firstBare = std::string_view::npos;
  std::size_t firstQuoted = std::string_view::npos;
  for (std::size_t i = 0; i + 1 < commandLine.size(); ++i) {
    if (commandLine[i] != '%') continue;
    const char letter = commandLine[++i];
    // "%%" and the other field codes are no placeholders.
    if (std::string_view("uUfF").find(letter) == std::string_view::npos) continue;
    const std::size_t percent = i - 1;
    if (firstQuoted == std::string_view::npos && percent > 0 && commandLine[percent - 1] == '"' &&
        i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
      firstQuoted = percent - 1;
    }
    if (firstBare == std::string_view::npos) firstBare = percent;
  }
  return commandLine.substr(0, firstQuoted != std::string_view::npos ? firstQuoted : firstBare);
}

}  // namespace gradova::platform
