#pragma once
// What the hyperlink does when the desktop's default handler cannot open its address: it runs the
// command of the desktop entry that handles text/html itself, cut at the placeholder for the
// address, with the address appended. And the texts that tell the user why nothing opened.
//
// Result codes keep the shell's convention, so that one table of texts covers every way an open
// can fail: a code above 32 is success, 32 and below name the error.
#include <string>
#include <string_view>
#include <vector>

namespace gradova::platform {

// Any code above 32 means the address was handed to a browser.
inline constexpr int kOpenedCode = 33;
// The program could not be started (not found, not executable).
inline constexpr int kFileNotFoundCode = 2;
// The text/html entry's command cannot be run as written (bad quoting, an unknown field code,
// no program).
inline constexpr int kAssociationInvalidCode = 27;
// The desktop has no handler that would open the address.
inline constexpr int kNoAssociationCode = 31;

// The text for an error code, as the shell words it; every code without a text of its own gets
// "Unknown Error (<code>) occurred.".
std::string OpenErrorText(int code);
// "Unable to open hyperlink:\n\n" and the text for `code`: the whole message box.
std::string OpenErrorMessage(int code);

// `execLine` up to its placeholder for the address: "%u", "%U", "%f" or "%F". A placeholder in
// double quotes is looked for first, and the command then ends before the opening quote; else
// the first bare one, and the command ends just before it. "%%" is a literal percent sign, never
// a placeholder. Without a placeholder the whole line is returned.
std::string_view CutAtPlaceholder(std::string_view execLine);

enum class BrowserCommandStatus {
  Ready,
  Invalid,        // unterminated quote, unknown field code or no program: nothing to run
  UnsafeAddress,  // the address begins with "-" and the browser would read it as an option
};

struct BrowserCommand {
  BrowserCommandStatus status = BrowserCommandStatus::Invalid;
  std::string program;                 // the first word of the command
  std::vector<std::string> arguments;  // the other words, then the address as one argument
};

// The command to start for `execLine` (an Exec value, its string escapes already undone) and
// `address`: the line is cut at its placeholder, split into words by the desktop entry quoting
// rules, stripped of its other field codes ("%%" becomes "%"), and the address is added as the
// last argument exactly as given, never split or reinterpreted. On any status but Ready, program
// and arguments are empty.
BrowserCommand BuildBrowserCommand(std::string_view execLine, std::string_view address);

}  // namespace gradova::platform
