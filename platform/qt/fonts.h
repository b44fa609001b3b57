#pragma once

namespace gradova::platform {

// The dialog templates ask for "宋体" (SimSun), which Linux does not have: map it, and its
// Latin name, to an installed Simplified Chinese face so that Chinese never shows as boxes.
void InstallCjkFontSubstitutes();

}  // namespace gradova::platform
