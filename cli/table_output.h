#pragma once
// Writing the result table for a terminal or a script, in UTF-8.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "gpa/result_table.h"

namespace gradova::cli {

// Terminal columns taken by UTF-8 `text`: East Asian wide and fullwidth characters count two,
// combining marks none, everything else one.
std::size_t DisplayWidth(std::string_view text);

// A table's rows of GBK cells, all of the same length, handed to the visitor in order. A source
// can be run more than once and gives the same rows each time.
using RowVisitor = std::function<void(const std::vector<std::string_view>& cells)>;
using RowSource = std::function<void(const RowVisitor& visit)>;

// The title row (`gbkTitles`), then every row of `table`.
RowSource TableRows(const std::vector<std::string>& gbkTitles, const gpa::ResultTable& table);

// Writes the rows to `out`, converted from GBK to UTF-8, one line per row ended by LF. Tsv
// separates cells by one TAB and writes a TAB, CR or LF inside a cell as a space; Text aligns the
// columns and writes every control byte as a space. Returns false when writing failed.
bool WriteTable(std::FILE* out, OutputFormat format, const RowSource& rows);

}  // namespace gradova::cli
