#pragma once
// The hourglass over every window of the program while it lives, as MFC's CWaitCursor gives it:
// for the commands that may keep the window busy for a moment, such as loading a course file of
// millions of lines. End it before a message box, which must show the ordinary pointer.
#include <QGuiApplication>

namespace gradova::platform {

class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace gradova::platform
