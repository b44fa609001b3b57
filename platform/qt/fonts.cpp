#include "platform/qt/fonts.h"

#include <QFont>
#include <QStringList>

namespace gradova::platform {

void InstallCjkFontSubstitutes() {
  const QStringList faces{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("WenQuanYi Micro Hei")};
  QFont::insertSubstitutions(QString::fromUtf8("宋体"), faces);
  QFont::insertSubstitutions(QStringLiteral("SimSun"), faces);
}

}  // namespace gradova::platform
