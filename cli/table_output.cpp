#include "cli/table_output.h"

#include <algorithm>
#include <iterator>

#include "cli/output_buffer.h"
#include "cli/tsv_cells.h"
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

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Converts a GBK cell to UTF-8 and appends it, writing each control byte as a space.
void AppendTextCell(std::string& out, std::string_view gbk) {
  // Most cells are plain ASCII numbers that need neither conversion nor blanking.
  bool plain = true;
  for (const char c : gbk) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 || IsControl(byte)) {
      plain = false;
      break;
    }
  }
  if (plain) {
    out.append(gbk);
    return;
  }
  const std::size_t start = out.size();
  platform::AppendGbkToUtf8(gbk, out);
  for (std::size_t i = start; i < out.size(); ++i) {
    if (IsControl(static_cast<unsigned char>(out[i]))) out[i] = ' ';
  }
}

bool WriteTsv(std::FILE* out, const RowSource& rows) {
  OutputBuffer buffer(out);
  rows([&buffer](const std::vector<std::string_view>& cells) { WriteTsvRow(buffer, cells); });
  return buffer.Finish();
}

bool WriteText(std::FILE* out, const RowSource& rows) {
  std::vector<std::size_t> widths;
  std::string converted;
  rows([&](const std::vector<std::string_view>& cells) {
    widths.resize(cells.size(), 0);
    for (std::size_t column = 0; column < cells.size(); ++column) {
      converted.clear();
      AppendTextCell(converted, cells[column]);
      widths[column] = std::max(widths[column], DisplayWidth(converted));
    }
  });
  OutputBuffer buffer(out);
  std::string line;
  rows([&](const std::vector<std::string_view>& cells) {
    line.clear();
    std::size_t pending = 0;  // padding owed before the next non-empty cell
    for (std::size_t column = 0; column < cells.size(); ++column) {
      if (column > 0) pending += 2;
      if (cells[column].empty()) {
        pending += widths[column];
        continue;
      }
      line.append(pending, ' ');
      const std::size_t start = line.size();
      AppendTextCell(line, cells[column]);
      pending = widths[column] - DisplayWidth(std::string_view(line).substr(start));
    }
    line.push_back('\n');
    buffer.Append(line);
  });
  return buffer.Finish();
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t code = NextCodePoint(text, pos);
    if (InRanges(kZeroWidthRanges, code)) continue;
    width += InRanges(kWideRanges, code) ? 2 : 1;
  }
  return width;
}

RowSource TableRows(const std::vector<std::string>& gbkTitles, const gpa::ResultTable& table) {
  return [&gbkTitles, &table](const RowVisitor& visit) {
    std::vector<std::string_view> cells(gbkTitles.begin(), gbkTitles.end());
    cells.resize(table.ColumnCount());
    visit(cells);
    for (std::size_t row = 0; row < table.RowCount(); ++row) {
      for (std::size_t column = 0; column < cells.size(); ++column) {
        cells[column] = table.Cell(row, column);
      }
      visit(cells);
    }
  };
}

bool WriteTable(std::FILE* out, OutputFormat format, const RowSource& rows) {
  return format == OutputFormat::Tsv ? WriteTsv(out, rows) : WriteText(out, rows);
}

}  // namespace gradova::cli
