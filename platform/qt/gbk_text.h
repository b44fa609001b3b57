#pragma once
// The widgets speak Unicode; the dialogs hold GBK. Every crossing goes through these two calls,
// which use the program's one converter.
#include <QString>
#include <string>
#include <string_view>

#include "platform/gbk.h"

namespace gradova::platform {

inline QString FromGbk(std::string_view gbk) { return QString::fromStdString(GbkToUtf8(gbk)); }
// A character that GBK cannot hold becomes "?".
inline std::string ToGbk(const QString& text) { return Utf8ToGbk(text.toStdString()); }

}  // namespace gradova::platform
