#include "platform/qt/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "platform/qt/gbk_text.h"

namespace gradova::platform {

QString ProgramFamily() {
  // The WenQuanYi faces first: in Noto CJK the ideographs share their glyphs with the Kangxi
  // radicals, so the PDF's text layer would map 大 to ⼤ and text copied or searched in the
  // document would not be the table's. The Noto Serif faces are left out, as their Latin letters
  // have serifs beside sans-serif Chinese, and SimSun, whose Latin letters have them too.
  static const QString family = [] {
    for (const char* installed :
         {"WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Noto Sans CJK SC", "Microsoft YaHei"}) {
      if (QFontDatabase::hasFamily(QString::fromLatin1(installed))) {
        return QString::fromLatin1(installed);
      }
    }
    // None installed: the toolkit's own fallback still finds whatever can draw Chinese.
    return QString::fromUtf8("宋体");
  }();
  return family;
}

QString InstalledFamilyFor(const QString& face) {
  if (face != QString::fromUtf8("宋体") && face != QStringLiteral("SimSun")) return face;
  return ProgramFamily();
}

void SetApplicationFont(const std::string& gbkFace, int pointSize) {
  QApplication::setFont(QFont(InstalledFamilyFor(FromGbk(gbkFace)), pointSize));
}

}  // namespace gradova::platform
