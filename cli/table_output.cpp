#include "cli/table_output.h"

#include <algorithm>
#include <iterator>

#include "platform/gbk.h"

namespace gradova::cli {
namespace {

struct CodeRange {
  char32_t first;
  char32_t last;
};

// Wide and fullwidth ranges of Unicode's East Asian Width property, merged where adjacent.
constexpr CodeRange kWideRanges[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

constexpr CodeRange kZeroWidthRanges[] = {
    {0x0300, 0x036F}, {0x200B, 0x200F}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}};

template <std::size_t N>
bool InRanges(const CodeRange (&ranges)[N], char32_t code) {
  const auto* it =
      std::lower_bound(std::begin(ranges), std::end(ranges), code,
                       [](const CodeRange& range, char32_t c) { return range.last < c; });
  return it != std::end(ranges) && it->first <= code;
}

std::size_t CodeWidth(char32_t code) {
  // Latin text and the common CJK ideographs answer without a search.
  if (code < 0x300) return 1;
  if (code >= 0x4E00 && code <= 0x9FFF) return 2;
  if (InRanges(kZeroWidthRanges, code)) return 0;
  return InRanges(kWideRanges, code) ? 2 : 1;
}

// Decodes the UTF-8 character at `pos` (the converter's output is always valid) and advances.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  const int trailing = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
  char32_t code = lead & (0x3F >> trailing);
  for (int i = 0; i < trailing && pos < text.size(); ++i) {
    code = (code << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
  }
  return code;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

struct WrittenCell {
  char* end;
  bool printable;  // printable ASCII only, written as it is: one column a byte
};

// Writes a GBK cell at `out` as UTF-8, each C0 control byte and DEL as a space, in every output
// alike, so that no name can move the cursor, retitle or recolour a terminal. C1 controls never
// come out: the converter turns a byte 0x80 to 0x9F that starts no GBK character into U+FFFD (0x80
// into the euro sign), and no GBK character is one. Printable ASCII, nearly every cell, is copied
// as it is.
WrittenCell WriteCell(std::string_view gbk, char* out) {
  const char* const bytes = gbk.data();
  const std::size_t size = gbk.size();
  std::size_t printable = 0;
  for (; printable < size && bytes[printable] >= 0x20 && bytes[printable] < 0x7F; ++printable) {
    out[printable] = bytes[printable];
  }
  if (printable == size) return {out + size, true};
  const std::string_view rest = gbk.substr(printable);
  char* const end = platform::WriteGbkAsUtf8(rest, out + printable);
  // Control bytes come out only where they went in: GBK trail bytes start at 0x40.
  const bool control = std::any_of(rest.begin(), rest.end(), IsControl);
  if (control) std::replace_if(out + printable, end, IsControl, ' ');
  return {end, false};
}

std::size_t WidthOf(const char* start, WrittenCell written) {
  const auto bytes = static_cast<std::size_t>(written.end - start);
  return written.printable ? bytes : DisplayWidth(std::string_view(start, bytes));
}

}  // namespace

char* LineBuffer::Room(const RowCells& cells, std::size_t extra) {
  std::size_t bound = extra + cells.size() + 1;
  for (const std::string_view cell : cells) bound += platform::kMaxUtf8PerGbkByte * cell.size();
  if (m_bytes.size() < bound) m_bytes.resize(bound);
  return m_bytes.data();
}

void LineBuffer::Write(std::FILE* out, const char* end) const {
  std::fwrite(m_bytes.data(), 1, static_cast<std::size_t>(end - m_bytes.data()), out);
}

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    width += CodeWidth(NextCodePoint(text, pos));
  }
  return width;
}

void TsvWriter::Row(const RowCells& cells) {
  char* out = m_line.Room(cells, 0);
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (column > 0) *out++ = '\t';
    out = WriteCell(cells[column], out).end;
  }
  *out++ = '\n';
  m_line.Write(m_out, out);
}

void TextWriter::Measure(const RowCells& cells) {
  m_widths.resize(std::max(m_widths.size(), cells.size()), 0);
  // Converted in the line buffer only to be measured.
  char* const room = m_line.Room(cells, 0);
  for (std::size_t column = 0; column < cells.size(); ++column) {
    const std::size_t width = WidthOf(room, WriteCell(cells[column], room));
    m_widths[column] = std::max(m_widths[column], width);
  }
}

void TextWriter::Row(const RowCells& cells) {
  std::size_t padding = 0;
  for (const std::size_t width : m_widths) padding += width + 2;
  char* out = m_line.Room(cells, padding);
  std::size_t pending = 0;  // padding owed before the next non-empty cell
  for (std::size_t column = 0; column < cells.size(); ++column) {
    if (column > 0) pending += 2;
    const std::size_t width = column < m_widths.size() ? m_widths[column] : 0;
    if (cells[column].empty()) {
      pending += width;
      continue;
    }
    out = std::fill_n(out, pending, ' ');
    const WrittenCell written = WriteCell(cells[column], out);
    pending = width - WidthOf(out, written);
    out = written.end;
  }
  *out++ = '\n';
  m_line.Write(m_out, out);
}

}  // namespace gradova::cli
