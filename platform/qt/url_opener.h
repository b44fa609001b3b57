#pragma once
// How the hyperlink reaches outside the program, through GIO: the desktop's default handler for
// an address, the command line of the desktop's browser, and starting a program. Each open
// answers with a result code of platform/browser_command.h: above 32 when the address was handed
// over, else the error whose text the user is shown. Texts are UTF-8.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradova::platform {

// Hands `address` to the desktop's default handler for its scheme. A bare host name
// ("example.org") is taken as an http address, not as a file name; an address that makes no URL
// (empty, say) is not handed over and gives kNoAssociationCode, as does a desktop without a
// handler. Whether the handler then shows the page is beyond knowing.
int OpenWithDefaultHandler(std::string_view address);

// The command line of the desktop's default text/html handler, else of its http handler, as the
// desktop entry's Exec value holds it. Nothing when the desktop has neither.
std::optional<std::string> BrowserCommandLine();

// Starts the words of `commandLine`, split by the shell's quoting rules, with `address` added as
// one more argument exactly as given, and does not wait. No shell runs it: the address is never
// split or expanded. An address that begins with "-" is refused with kNoAssociationCode, as the
// program would read it as an option; a line without words or with an open quote gives
// kAssociationInvalidCode.
int StartCommandLine(std::string_view commandLine, std::string_view address);

// Test seam: while set, these stand in for the desktop's default handler (given the URL made of
// the address), its browser's command line and the start of a program (given its words, the
// address last), and nothing is opened or started. Every function must be set. Reset with
// std::nullopt.
struct UrlOpener {
  std::function<int(const std::string& url)> openUrl;
  std::function<std::optional<std::string>()> browserCommandLine;
  std::function<int(const std::vector<std::string>& words)> start;
};
void SetUrlOpenerForTesting(std::optional<UrlOpener> opener);

}  // namespace gradova::platform
