#include "platform/qt/settings.h"

#include <QSettings>
#include <QStandardPaths>

#include "platform/qt/gbk_text.h"

namespace gradova::platform {
namespace {

const QString kMyRuleKey = QStringLiteral("myRule");

// Built from the path each time rather than from the organisation and application names, whose
// default paths Qt works out once per process: a test that moves the config folder is heard.
QString SettingsPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/settings.ini";
}

}  // namespace

std::string ReadMyRule() {
  return ToGbk(QSettings(SettingsPath(), QSettings::IniFormat).value(kMyRuleKey).toString());
}

void WriteMyRule(std::string_view nameGbk) {
  QSettings settings(SettingsPath(), QSettings::IniFormat);
  if (nameGbk.empty()) {
    settings.remove(kMyRuleKey);
  } else {
    settings.setValue(kMyRuleKey, FromGbk(nameGbk));
  }
}

}  // namespace gradova::platform
