#include "platform/qt/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include "platform/qt/gbk_text.h"

namespace gradova::platform {
namespace {

QString SimplifiedChineseFamily() {
  const QStringList faces{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun")};
  for (const QString& face : faces) {
    if (QFontDatabase::hasFamily(face)) return face;
  }
  // None installed: the toolkit's own fallback still finds whatever can draw Chinese.
  return QString::fromUtf8("宋体");
}

}  // namespace

QString InstalledFamilyFor(const QString& face) {
  if (face != QString::fromUtf8("宋体") && face != QStringLiteral("SimSun")) return face;
  static const QString family = SimplifiedChineseFamily();
  return family;
}

void SetApplicationFont(const std::string& gbkFace, int pointSize) {
  QApplication::setFont(QFont(InstalledFamilyFor(FromGbk(gbkFace)), pointSize));
}

}  // namespace gradova::platform
