#include "platform/browser_command.h"

#include <cstring>
#include <iterator>
#include <optional>
#include <utility>

namespace gradova::platform {
namespace {

bool IsPlaceholder(char letter) {
  return letter == 'u' || letter == 'U' || letter == 'f' || letter == 'F';
}

// Every field code a desktop entry may hold, the deprecated ones included.
bool IsFieldCode(char letter) {
  return letter != '\0' && std::strchr("fFuUdDnNickvm", letter) != nullptr;
}

// The words of a command by the desktop entry quoting rules: blanks separate words; inside double
// quotes a backslash makes the next '"', '`', '$' or '\' literal. Nothing on an unclosed quote.
std::optional<std::vector<std::string>> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c != '"') {
      word += c;
      continue;
    }
    bool closed = false;
    for (++i; i < text.size(); ++i) {
      if (text[i] == '"') {
        closed = true;
        break;
      }
      if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] != '\0' &&
          std::strchr("\"`$\\", text[i + 1])) {
        ++i;
      }
      word += text[i];
    }
    if (!closed) return std::nullopt;
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

// The word with its field codes expanded to nothing and "%%" to "%"; nothing on an unknown code
// or a lone "%" at the end, which the desktop entry rules say must make the command rejected.
std::optional<std::string> ExpandFieldCodes(const std::string& word) {
  std::string expanded;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '%') {
      expanded += word[i];
      continue;
    }
    if (i + 1 >= word.size()) return std::nullopt;
    const char letter = word[++i];
    if (letter == '%') {
      expanded += '%';
    } else if (!IsFieldCode(letter)) {
      return std::nullopt;
    }
  }
  return expanded;
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

std::string_view CutAtPlaceholder(std::string_view execLine) {
  std::size_t firstBare = std::string_view::npos;
  std::size_t firstQuoted = std::string_view::npos;
  for (std::size_t i = 0; i + 1 < execLine.size(); ++i) {
    if (execLine[i] != '%') continue;
    const char letter = execLine[++i];
    if (!IsPlaceholder(letter)) continue;  // "%%" and the other field codes
    const std::size_t percent = i - 1;
    if (firstQuoted == std::string_view::npos && percent > 0 && execLine[percent - 1] == '"' &&
        i + 1 < execLine.size() && execLine[i + 1] == '"') {
      firstQuoted = percent - 1;
    }
    if (firstBare == std::string_view::npos) firstBare = percent;
  }
  if (firstQuoted != std::string_view::npos) return execLine.substr(0, firstQuoted);
  if (firstBare != std::string_view::npos) return execLine.substr(0, firstBare);
  return execLine;
}

BrowserCommand BuildBrowserCommand(std::string_view execLine, std::string_view address) {
  if (!address.empty() && address.front() == '-') {
    return BrowserCommand{BrowserCommandStatus::UnsafeAddress, {}, {}};
  }
  const std::optional<std::vector<std::string>> words = SplitWords(CutAtPlaceholder(execLine));
  if (!words) return BrowserCommand{};
  std::vector<std::string> expanded;
  for (const std::string& word : *words) {
    // A word that is only a field code stands for arguments we do not supply: it goes away.
    if (word.size() == 2 && word[0] == '%' && IsFieldCode(word[1])) continue;
    std::optional<std::string> text = ExpandFieldCodes(word);
    if (!text) return BrowserCommand{};
    expanded.push_back(std::move(*text));
  }
  if (expanded.empty() || expanded.front().empty()) return BrowserCommand{};
  BrowserCommand command;
  command.status = BrowserCommandStatus::Ready;
  command.program = std::move(expanded.front());
  command.arguments.assign(std::make_move_iterator(expanded.begin() + 1),
                           std::make_move_iterator(expanded.end()));
  command.arguments.emplace_back(address);
  return command;
}

}  // namespace gradova::platform
