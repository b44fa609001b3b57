#pragma once
// Writing the result table for a terminal or a script: GBK cells in, UTF-8 lines out, one per row,
// each ended by LF and written to the stream as it is made. In every output each control byte of a
// cell (C0, DEL) is written as a space, and no C1 control comes out of the conversion. Write errors
// show in the stream's error indicator.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/result_rows.h"

namespace gradova::cli {

// Terminal columns taken by UTF-8 `text`: East Asian wide and fullwidth characters count two,
// combining marks none, everything else one.
std::size_t DisplayWidth(std::string_view text);

// The table's lines on their way to the stream, handed over in blocks of about 32 KiB. What was
// committed reaches the stream at the latest at Flush.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* out) : m_out(out) {}
  // Room for `bytes` more bytes; valid until the next call.
  char* Room(std::size_t bytes);
  // Keeps the bytes from the start of the room up to `end`.
  void Commit(const char* end);
  // Hands everything kept to the stream and flushes it; false when the stream failed now or
  // before.
  bool Flush();

 private:
  void Drain();

  std::FILE* m_out;
  std::unique_ptr<char[]> m_bytes;
  std::size_t m_capacity = 0;
  std::size_t m_used = 0;
};

// The point cells of rows as a writer lays them out, made once for each score class.
class PointsMemo {
 public:
  // The point cells of `row` as `layOut` appends them to the string it is given; empty for a row
  // without point cells. Valid until the next call.
  template <typename LayOut>
  std::string_view Get(const RowCells& row, LayOut&& layOut) {
    if (row.pointsFrom >= row.cells.size()) return {};
    std::string& laidOut = row.pointsClass < m_byClass.size() ? m_byClass[row.pointsClass]
                                                              : (m_other.clear(), m_other);
    if (laidOut.empty()) layOut(laidOut);
    return laidOut;
  }

 private:
  std::vector<std::string> m_byClass = std::vector<std::string>(gpa::CourseTotals::kNoScoreClass);
  std::string m_other;
};

// Tab-separated values: the cells separated by one TAB; a TAB, CR or LF inside a cell is a
// control byte, written as a space, so that every row keeps its columns and its line.
class TsvWriter {
 public:
  explicit TsvWriter(OutputBuffer& out) : m_out(out) {}
  void Row(const RowCells& row);

 private:
  OutputBuffer& m_out;
  PointsMemo m_points;
};

// Aligned columns two spaces apart, no padding after the last non-empty cell of a row. Every row is
// measured before the first is written; point cells are never empty.
class TextWriter {
 public:
  explicit TextWriter(OutputBuffer& out) : m_out(out) {}
  void Measure(const RowCells& row);
  void Row(const RowCells& row);

 private:
  // Writes cells `first` to `end` of `row` at `out`, each after the padding owed before it
  // (`pending`, updated); returns the end of what was written.
  char* LayOut(const RowCells& row, std::size_t first, std::size_t end, std::size_t& pending,
               char* out) const;

  OutputBuffer& m_out;
  std::vector<std::size_t> m_widths;
  std::vector<char> m_measured;  // a cell converted only to be measured
  PointsMemo m_points;
};

}  // namespace gradova::cli
