#include "platform/qt/control_fit.h"

#include <QWidget>
#include <algorithm>

namespace gradova::platform {

QRect FitContents(QRect place, const QWidget& widget, ControlKind kind, const QRect& dialog) {
  if (kind != ControlKind::Label && kind != ControlKind::Picture) return place;
  const QSize needed = widget.sizeHint();
  if (needed.width() > place.width()) place.setWidth(needed.width());
  if (needed.height() > place.height()) {
    const int top = kind == ControlKind::Label
                        ? place.top() - (needed.height() - place.height()) / 2
                        : place.top();
    place = QRect(place.left(), std::max(top, 0), place.width(), needed.height());
  }
  return place.intersected(dialog);
}

}  // namespace gradova::platform
