#pragma once

namespace gradova::ui {

// The application: runs the main window modally; the program ends when it closes.
class CGradovaApp {
 public:
  // Sets the message box title and the application font, then runs the main window. Returns
  // the process exit code.
  int InitInstance();
};

}  // namespace gradova::ui
