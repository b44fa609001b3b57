#pragma once
// The cells of a tab-separated row: GBK in, UTF-8 out, a TAB, CR or LF inside a cell written as
// one space so that the row keeps its columns and its line.
#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/output_buffer.h"

namespace gradova::cli {

// The most bytes WriteTsvCell writes for a cell of `gbkBytes` bytes.
std::size_t TsvCellBound(std::size_t gbkBytes);

// Writes the cell at `out`, which has room for TsvCellBound(cell.size()) bytes; returns the end.
char* WriteTsvCell(std::string_view gbkCell, char* out);

// The cells separated by one TAB, then LF.
void WriteTsvRow(OutputBuffer& buffer, const std::vector<std::string_view>& gbkCells);

}  // namespace gradova::cli
