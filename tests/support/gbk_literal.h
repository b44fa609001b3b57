#pragma once
// Tests write their texts in UTF-8; the code under test works on GBK bytes.
#include <string>
#include <string_view>

#include "platform/gbk.h"

namespace gradova::testing {

inline std::string Gbk(std::string_view utf8) { return platform::Utf8ToGbk(utf8); }
inline std::string Utf8(std::string_view gbk) { return platform::GbkToUtf8(gbk); }

}  // namespace gradova::testing
