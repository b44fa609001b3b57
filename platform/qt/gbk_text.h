#pragma once
// The widgets speak Unicode; the dialogs hold GBK. Every crossing goes through these two calls,
// which use the program's one converter.
#include <QString>
#include <string>
#include <string_view>

namespace gradova::platform {

QString FromGbk(std::string_view gbk);
// A character that GBK cannot hold becomes "?".
std::string ToGbk(const QString& text);

}  // namespace gradova::platform
