// The hyperlink's fallback command. The input is a text/html entry's Exec line, a LF, then the
// address. The cut is a prefix of the line ending where a placeholder begins (or the whole line
// when it has none); a command is either refused with nothing to run or has a program and ends
// with the address as one argument, byte for byte, and the address never changes the words
// before it; an address that begins with "-" is never handed over.
#include <algorithm>
#include <string>

#include "check.h"
#include "platform/browser_command.h"

namespace {

using gradova::platform::BrowserCommand;
using gradova::platform::BrowserCommandStatus;

bool IsPlaceholder(char letter) {
  return letter == 'u' || letter == 'U' || letter == 'f' || letter == 'F';
}

// Whether `line` holds a placeholder, "%%" being a literal percent sign.
bool HasPlaceholder(std::string_view line) {
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    if (line[i] != '%') continue;
    if (IsPlaceholder(line[i + 1])) return true;
    ++i;
  }
  return false;
}

bool StartsWithPlaceholder(std::string_view rest) {
  if (rest.size() >= 2 && rest[0] == '%' && IsPlaceholder(rest[1])) return true;
  return rest.size() >= 4 && rest[0] == '"' && rest[1] == '%' && IsPlaceholder(rest[2]) &&
         rest[3] == '"';
}

void CheckCommand(const BrowserCommand& command, std::string_view address) {
  if (command.status != BrowserCommandStatus::Ready) {
    GRADOVA_FUZZ_CHECK(command.program.empty() && command.arguments.empty(),
                       "a refused command has something to run");
    return;
  }
  GRADOVA_FUZZ_CHECK(!command.program.empty(), "a ready command has no program");
  GRADOVA_FUZZ_CHECK(!command.arguments.empty() && command.arguments.back() == address,
                     "the address is not the last argument as given");
  GRADOVA_FUZZ_CHECK(address.empty() || address.front() != '-',
                     "an address that reads as an option is handed over");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const gradova::fuzz::ExactBytes input(data, size);
  const auto [lineText, addressText] = gradova::fuzz::SplitAt(input.View(), "\n");
  const gradova::fuzz::ExactBytes lineCopy(lineText);
  const gradova::fuzz::ExactBytes addressCopy(addressText);
  const std::string_view line = lineCopy.View();
  const std::string_view address = addressCopy.View();

  const std::string_view cut = gradova::platform::CutAtPlaceholder(line);
  GRADOVA_FUZZ_CHECK(cut.data() == line.data() && cut.size() <= line.size(),
                     "the cut is not a prefix of the line");
  if (cut.size() == line.size()) {
    GRADOVA_FUZZ_CHECK(!HasPlaceholder(line), "a line with a placeholder is not cut");
  } else {
    GRADOVA_FUZZ_CHECK(StartsWithPlaceholder(line.substr(cut.size())),
                       "the line is not cut where a placeholder begins");
    GRADOVA_FUZZ_CHECK(HasPlaceholder(line), "a line without a placeholder is cut");
  }

  const BrowserCommand command = gradova::platform::BuildBrowserCommand(line, address);
  CheckCommand(command, address);
  if (!address.empty() && address.front() == '-') {
    GRADOVA_FUZZ_CHECK(command.status == BrowserCommandStatus::UnsafeAddress,
                       "an address that reads as an option is not refused");
    return 0;
  }

  // The words before the address depend on the line alone.
  const BrowserCommand plain = gradova::platform::BuildBrowserCommand(line, "x");
  CheckCommand(plain, "x");
  GRADOVA_FUZZ_CHECK(plain.status == command.status, "the address changes whether a command runs");
  if (command.status == BrowserCommandStatus::Ready) {
    GRADOVA_FUZZ_CHECK(plain.program == command.program &&
                           std::equal(plain.arguments.begin(), plain.arguments.end() - 1,
                                      command.arguments.begin(), command.arguments.end() - 1),
                       "the address changes the words before it");
  }
  return 0;
}
