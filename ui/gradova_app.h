#pragma once

namespace gradova::ui {

// The application: runs the main window modally; the program ends when it closes.
class CGradovaApp {
 public:
  // Sets up the toolkit's fonts and the message box title, then runs the main window. Returns
  // the process exit code.
  int InitInstance();
};

}  // namespace gradova::ui
