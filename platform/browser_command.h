#pragma once
// The result codes of opening the hyperlink's address, the texts that tell the user why nothing
// opened, and the cut that makes a browser's command line take the address as its last argument.
//
// Result codes keep the shell's convention, so that one table of texts covers every way an open
// can fail: a code above 32 is success, 32 and below name the error.
#include <string>
#include <string_view>

namespace gradova::platform {

// Any code above 32 means the address was handed to a browser.
inline constexpr int kOpenedCode = 33;
// The program could not be started because it does not exist.
inline constexpr int kFileNotFoundCode = 2;
// The browser's command line cannot be run as written (bad quoting, no program).
inline constexpr int kAssociationInvalidCode = 27;
// The desktop has no handler that would open the address.
inline constexpr int kNoAssociationCode = 31;

// The text for an error code, as the shell words it; every code without a text of its own gets
// "Unknown Error (<code>) occurred.".
std::string OpenErrorText(int code);
// "Unable to open hyperlink:\n\n" and the text for `code`: the whole message box.
std::string OpenErrorMessage(int code);

// `commandLine` up to its placeholder for the address: "%u", "%U", "%f" or "%F". A placeholder in
// double quotes is looked for first, and the command then ends before the opening quote; else
// the first bare one, and the command ends just before it. "%%" is a literal percent sign, never
// a placeholder. Without a placeholder the whole line is returned.
std::string_view CutAtPlaceholder(std::string_view commandLine);

}  // namespace gradova::platform
