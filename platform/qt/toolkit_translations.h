#pragma once
// The toolkit's own texts in Simplified Chinese: the standard buttons of the message boxes
// (确定, 是, 否, 取消), the file dialogs, the overwrite question and the edit fields' context menu.
// The program's own texts are Chinese whatever the desktop's language, and so are these.

namespace gradova::platform {

// Installs the toolkit's Simplified Chinese translations for the application, read from the
// folder where the toolkit keeps its translations (on Debian they come with
// qt6-translations-l10n). Returns false when they cannot be read; the toolkit's texts then stay
// English. Needs the application object; once installed, later calls only return true.
bool InstallToolkitTranslations();

}  // namespace gradova::platform
