#pragma once
// What the program remembers between runs: an INI file in the user's config folder for this
// application (QStandardPaths' AppConfigLocation, so XDG_CONFIG_HOME moves it). A file that
// cannot be read or written leaves every setting at its default.
#include <string>
#include <string_view>
#include <vector>

namespace gradova::platform {

// The name (GBK) of the rule the user marked as theirs, or "" when none is marked.
std::string ReadMyRule();
// Marks the rule named `nameGbk` as the user's; "" takes the mark away.
void WriteMyRule(std::string_view nameGbk);

// What a PDF says of its student (姓名, 学号, 学校, 专业), as last entered, each GBK; empty at
// first.
std::vector<std::string> ReadStudentFields();
void WriteStudentFields(const std::vector<std::string>& fieldsGbk);

}  // namespace gradova::platform
