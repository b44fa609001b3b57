#pragma once
// Writing the result table for a terminal or a script, in UTF-8.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "gpa/result_table.h"

namespace gradova::cli {

// Terminal columns taken by UTF-8 `text`: East Asian wide and fullwidth characters count two,
// combining marks none, everything else one.
std::size_t DisplayWidth(std::string_view text);

// Writes the title row (`gbkTitles`) and every row of `table` to `out`, converted from GBK to
// UTF-8, one line per row ended by LF. Tsv separates cells by one TAB and writes a TAB, CR or LF
// inside a cell as a space; Text aligns the columns and writes every control byte as a space.
// Returns false when writing failed.
bool WriteTable(std::FILE* out, OutputFormat format, const std::vector<std::string>& gbkTitles,
                const gpa::ResultTable& table);

}  // namespace gradova::cli
