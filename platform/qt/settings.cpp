#include "platform/qt/settings.h"

#include <QSettings>
#include <QStandardPaths>

#include "platform/qt/gbk_text.h"

namespace gradova::platform {
namespace {

const QString kMyRuleKey = QStringLiteral("myRule");
const QString kStudentKeys[] = {QStringLiteral("student/name"), QStringLiteral("student/number"),
                                QStringLiteral("student/school"), QStringLiteral("student/major")};

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

std::vector<std::string> ReadStudentFields() {
  const QSettings settings(SettingsPath(), QSettings::IniFormat);
  std::vector<std::string> fields;
  for (const QString& key : kStudentKeys) fields.push_back(ToGbk(settings.value(key).toString()));
  return fields;
}

void WriteStudentFields(const std::vector<std::string>& fieldsGbk) {
  QSettings settings(SettingsPath(), QSettings::IniFormat);
  for (std::size_t i = 0; i < std::size(kStudentKeys) && i < fieldsGbk.size(); ++i)
    settings.setValue(kStudentKeys[i], FromGbk(fieldsGbk[i]));
}

}  // namespace gradova::platform
