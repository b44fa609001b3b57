#include "platform/qt/toolkit_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace gradova::platform {

bool InstallToolkitTranslations() {
  static bool installed = false;
  auto translator = std::make_unique<QTranslator>();
  if (!installed &&
      translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator.get())) {
    translator.release()->setParent(QCoreApplication::instance());
    installed = true;
  }
  return installed;
}

}  // namespace gradova::platform
