#pragma once
// The texts of .xls cell values that FreeXL reads wrongly or not at all, from their records' bytes:
// booleans and errors (BOOLERR), which FreeXL gives as the numbers 1 and 0, and formulas' cached
// results (FORMULA, then STRING for a text), which it leaves out.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace gradova::platform {

// A number as an .xlsx holds it: the shortest text that reads back as the same double ("92",
// "2.5").
std::string XlsNumberText(double number);

// A BOOLERR record's value: "TRUE", "FALSE" or the error's text ("#DIV/0!"). The body has 8 bytes.
std::string BoolErrText(std::string_view body);

// A FORMULA record's cached result: a number, a boolean or an error as above, "" for an empty
// text; nullopt when it is a text, which the STRING record after it holds. The body has 20 bytes.
std::optional<std::string> FormulaResultText(std::string_view body);

// A STRING record's text as UTF-8, cut after `maxBytes` + 1 bytes (enough to tell that it is too
// long for a cell). BIFF8 only: a BIFF5 text in its code page is left out ("").
std::string StringRecordText(std::string_view body, bool biff8, std::size_t maxBytes);

}  // namespace gradova::platform
