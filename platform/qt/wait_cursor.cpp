#include "platform/qt/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace gradova::platform {

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

WaitCursor::~WaitCursor() { QApplication::restoreOverrideCursor(); }

}  // namespace gradova::platform
