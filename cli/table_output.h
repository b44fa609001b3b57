#pragma once
// Writing a table for a terminal or a script: GBK cells in, UTF-8 lines out, one per row, each
// ended by LF. In every output each control byte of a cell (C0, DEL) is written as a space, so that
// no name can move the cursor, retitle or recolour a terminal.
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

#include "cli/options.h"

namespace gradova::cli {

// A table to write: `row` puts the GBK texts of a row's cells, `columns` of them, into `cells`.
struct CellGrid {
  std::size_t rows = 0;
  std::size_t columns = 0;
  std::function<void(std::size_t row, std::vector<std::string_view>& cells)> row;
};

// The widest cell the text format shows, in terminal columns; a wider one is cut, ending in "…".
inline constexpr std::size_t kMaxCellColumns = 40;

// Terminal columns taken by UTF-8 `text`: the East Asian wide and fullwidth characters that GBK
// holds (CJK, kana, Hangul, fullwidth forms) count two, everything else one.
std::size_t DisplayWidth(std::string_view text);

// Writes `grid` to `out`: for Tsv the cells separated by one TAB (a TAB, CR or LF inside a cell is
// a control byte, written as a space, so every row keeps its columns and its line); for Text
// aligned columns two spaces apart, without padding after the last non-empty cell of a row. False
// when the stream failed.
bool WriteTable(const CellGrid& grid, OutputFormat format, std::FILE* out);

}  // namespace gradova::cli
