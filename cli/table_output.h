#pragma once
// Writing the result table for a terminal or a script: GBK cells in, UTF-8 lines out, one per row,
// each ended by LF, handed to the stream in large pieces and the rest by Finish (or when the writer
// is destroyed). Write errors show in the stream's error indicator.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/result_rows.h"

namespace gradova::cli {

// Terminal columns taken by UTF-8 `text`: East Asian wide and fullwidth characters count two,
// combining marks none, everything else one.
std::size_t DisplayWidth(std::string_view text);

// Lines waiting to be written, handed to the stream 64 KiB at a time and at the end.
class PendingLines {
 public:
  explicit PendingLines(std::FILE* out) : m_out(out) {}
  ~PendingLines();
  PendingLines(const PendingLines&) = delete;
  PendingLines& operator=(const PendingLines&) = delete;

  // Room after the pending lines for `cells` as UTF-8 with their separators and a line end, and
  // `extra` bytes more; valid until End.
  char* Begin(const RowCells& cells, std::size_t extra);
  // The line begun ends before `end`.
  void End(const char* end);
  // Hands the pending lines to the stream.
  void Flush();

 private:
  std::FILE* m_out;
  std::vector<char> m_bytes;
  std::size_t m_used = 0;
};

// Tab-separated values: the cells separated by one TAB, a TAB, CR or LF inside a cell written as
// a space, so that every row keeps its columns and its line.
class TsvWriter {
 public:
  explicit TsvWriter(std::FILE* out) : m_lines(out) {}
  void Row(const RowCells& cells);
  void Finish() { m_lines.Flush(); }

 private:
  PendingLines m_lines;
};

// Aligned columns two spaces apart, every control byte written as a space, no padding after the
// last non-empty cell of a row. Every row is measured before the first is written.
class TextWriter {
 public:
  explicit TextWriter(std::FILE* out) : m_lines(out) {}
  void Measure(const RowCells& cells);
  void Row(const RowCells& cells);
  void Finish() { m_lines.Flush(); }

 private:
  std::vector<std::size_t> m_widths;
  PendingLines m_lines;
};

}  // namespace gradova::cli
