#pragma once
#include <QString>
#include <string>

namespace gradova::platform {

// The one family every text of the program is drawn in, on screen and in the PDF: an installed
// sans-serif face that holds Latin letters, digits and Simplified Chinese alike, so that a line
// mixing them reads as one type.
QString ProgramFamily();

// The installed family to draw a template's face with. The templates ask for "宋体" (SimSun),
// which Linux does not have: it and its Latin name map to ProgramFamily(), so that Chinese never
// shows as boxes; any other face is used as it is. Asking for the installed family by name,
// rather than through a font substitution, also spares the toolkit its search for fallbacks of a
// family it cannot find, which is a large part of a dialog's first drawing.
QString InstalledFamilyFor(const QString& face);

// Makes a template's face and size the application's font: message boxes and file dialogs then
// match the dialogs, and a control that lays out its text while it is being made (before it
// inherits its dialog's font) already uses the face it will be drawn with, instead of loading
// the desktop's default face for nothing.
void SetApplicationFont(const std::string& gbkFace, int pointSize);

}  // namespace gradova::platform
