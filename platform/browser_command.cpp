#include "platform/browser_command.h"

namespace gradova::platform {
namespace {

bool IsPlaceholder(char letter) {
  return letter == 'u' || letter == 'U' || letter == 'f' || letter == 'F';
}

}  // namespace

std::string OpenErrorText(int code) {
  switch (code) {
    case 0:
      return "The operating system is out\nof memory or resources.";
    case 2:
      return "The specified file was not found.";
    case 3:
      return "The specified path was not found.";
    case 5:
      return "The operating system denied\naccess to the specified file.";
    case 8:
      return "There was not enough memory to complete the operation.";
    case 11:
      return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
      return "A sharing violation occurred. ";
    case 27:
      return "The filename association is\nincomplete or invalid.";
    case 28:
      return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
      return "The DDE transaction failed.";
    case 30:
      return "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed.";
    case 31:
      return "There is no application associated\nwith the given filename extension.";
    case 32:
      return "The specified dynamic-link library was not found.";
    default:
      return "Unknown Error (" + std::to_string(code) + ") occurred.";
  }
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
    if (!IsPlaceholder(letter)) continue;  // "%%" and the other field codes
    const std::size_t percent = i - 1;
    if (firstQuoted == std::string_view::npos && percent > 0 && commandLine[percent - 1] == '"' &&
        i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
      firstQuoted = percent - 1;
    }
    if (firstBare == std::string_view::npos) firstBare = percent;
  }
  if (firstQuoted != std::string_view::npos) return commandLine.substr(0, firstQuoted);
  if (firstBare != std::string_view::npos) return commandLine.substr(0, firstBare);
  return commandLine;
}

}  // namespace gradova::platform
