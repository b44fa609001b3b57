#include "ui/res/icon.h"

namespace gradova::ui {

QIcon ApplicationIcon() {
  // The two sizes of icon 128; the larger pictures are for the desktop's icon theme. Every image
  // added is decoded at once, which at 256 pixels is a noticeable part of start-up.
  QIcon icon;
  for (const int size : {16, 32}) {
    icon.addFile(QStringLiteral(":/res/gradova-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace gradova::ui
