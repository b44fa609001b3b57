#include "ui/res/icon.h"

namespace gradova::ui {

QIcon ApplicationIcon() {
  QIcon icon;
  for (const char* file : {":/res/gradova-16.png", ":/res/gradova-32.png", ":/res/gradova-48.png",
                           ":/res/gradova-256.png"}) {
    icon.addFile(QString::fromLatin1(file));
  }
  return icon;
}

}  // namespace gradova::ui
