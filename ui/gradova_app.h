#pragma once

namespace gradova::ui {

// What every window of the program shares, set once before the first one opens: the caption of
// the notices, the application font and the toolkit's own texts in Chinese. Needs the
// application object.
void PrepareToolkit();

// The application: runs the main window modally; the program ends when it closes.
class CGradovaApp {
 public:
  // Prepares the toolkit, then runs the main window. Returns the process exit code.
  int InitInstance();
};

}  // namespace gradova::ui
