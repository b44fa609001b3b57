#include "platform/qt/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "platform/qt/gbk_text.h"

namespace gradova::platform {

QString InstalledFamilyFor(const QString& face) {
  if (face != QString::fromUtf8("宋体") && face != QStringLiteral("SimSun")) return face;
  static const QString family = [] {
    for (const char* installed :
         {"Noto Serif CJK SC", "Noto Sans CJK SC", "WenQuanYi Micro Hei", "SimSun"}) {
      if (QFontDatabase::hasFamily(QString::fromLatin1(installed))) {
        return QString::fromLatin1(installed);
      }
    }
    // None installed: the toolkit's own fallback still finds whatever can draw Chinese.
    return QString::fromUtf8("宋体");
  }();
  return family;
}

void SetApplicationFont(const std::string& gbkFace, int pointSize) {
  QApplication::setFont(QFont(InstalledFamilyFor(FromGbk(gbkFace)), pointSize));
}

}  // namespace gradova::platform
