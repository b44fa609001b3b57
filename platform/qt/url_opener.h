#pragma once
// The three ways the hyperlink reaches outside the program: the desktop's default handler for an
// address, the command of the desktop entry that handles text/html, and starting a program on
// its own. Texts are UTF-8.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gradova::platform {

// Hands `address` to the desktop's default handler. A bare host name ("example.org") is taken as
// a web address, not as a file name, and nothing in the address is read as an option. False
// when no handler could be started; whether the handler then shows the page is beyond knowing.
bool OpenUrlWithDefaultHandler(std::string_view address);
// The address as OpenUrlWithDefaultHandler hands it over: always with a scheme, "http" for a bare
// host. Nothing for an address that makes no URL (empty, say); it is then not handed over.
std::optional<std::string> DefaultHandlerUrl(std::string_view address);

// The Exec value of the desktop entry that `xdg-mime query default text/html` names, looked up
// in the application folders of the XDG base directories. Nothing when xdg-mime cannot be run,
// fails or names no entry, when no folder holds that entry, or when it has no Exec key.
std::optional<std::string> QueryHtmlHandlerCommand();

// Starts `program` with `arguments`, each passed as one argument and never through a shell, and
// does not wait for it. False when it could not be started (not found, not executable).
bool StartDetached(const std::string& program, const std::vector<std::string>& arguments);

// Test seam: while set, the three calls above go to these functions instead and nothing is
// opened or started; a function left empty answers as a failure (false or nothing). Reset with
// std::nullopt.
struct UrlOpener {
  std::function<bool(std::string_view address)> openUrl;
  std::function<std::optional<std::string>()> queryHtmlHandlerCommand;
  std::function<bool(const std::string& program, const std::vector<std::string>& arguments)>
      startDetached;
};
void SetUrlOpenerForTesting(std::optional<UrlOpener> opener);

}  // namespace gradova::platform
