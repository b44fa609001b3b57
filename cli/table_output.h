#pragma once
// Writing the result table for a terminal or a script: GBK cells in, UTF-8 lines out, one per row,
// each ended by LF and written to the stream as it is made. In every output each control byte of a
// cell (C0, DEL) is written as a space, and no C1 control comes out of the conversion. Write errors
// show in the stream's error indicator.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/result_rows.h"

namespace gradova::cli {

// Terminal columns taken by UTF-8 `text`: East Asian wide and fullwidth characters count two,
// combining marks none, everything else one.
std::size_t DisplayWidth(std::string_view text);

// The bytes of one line, reused from row to row.
class LineBuffer {
 public:
  // Room for `cells` as UTF-8 with their separators and a line end, and `extra` bytes more;
  // valid until the next call.
  char* Room(const RowCells& cells, std::size_t extra);
  // Writes the line from the start of the room up to `end`.
  void Write(std::FILE* out, const char* end) const;

 private:
  std::vector<char> m_bytes;
};

// Tab-separated values: the cells separated by one TAB; a TAB, CR or LF inside a cell is a
// control byte, written as a space, so that every row keeps its columns and its line.
class TsvWriter {
 public:
  explicit TsvWriter(std::FILE* out) : m_out(out) {}
  void Row(const RowCells& cells);

 private:
  std::FILE* m_out;
  LineBuffer m_line;
};

// Aligned columns two spaces apart, no padding after the last non-empty cell of a row. Every row is
// measured before the first is written.
class TextWriter {
 public:
  explicit TextWriter(std::FILE* out) : m_out(out) {}
  void Measure(const RowCells& cells);
  void Row(const RowCells& cells);

 private:
  std::FILE* m_out;
  std::vector<std::size_t> m_widths;
  LineBuffer m_line;
};

}  // namespace gradova::cli
