#pragma once
// Where a control of a template goes, once its contents are known. The face drawn in place of
// 宋体 has wider Latin letters and a taller line than the templates were laid out for.
#include <QRect>

#include "platform/qt/dialog_template.h"

class QWidget;

namespace gradova::platform {

// `place` (pixels, from the template) made to show all that `widget` holds, within `dialog`: a
// label whose text would be cut grows to the right and about its middle; a picture takes its
// image's size, as a picture control does. Other controls keep `place`.
QRect FitContents(QRect place, const QWidget& widget, ControlKind kind, const QRect& dialog);

}  // namespace gradova::platform
