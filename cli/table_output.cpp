#include "cli/table_output.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gbk.h"

namespace gradova::cli {
namespace {

constexpr std::string_view kEllipsis = "…";
// Bytes of a GBK cell that always hold more than kMaxCellColumns columns: no character takes more
// than two bytes, and each takes at least one column.
constexpr std::size_t kShownBytes = 2 * kMaxCellColumns + 2;
constexpr std::size_t kFlushBytes = 64 * 1024;

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

bool IsWide(char32_t c) {
  if (c < 0x1100) return false;
  return c <= 0x115F || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

// The UTF-8 character at `pos` (the converter's output is always valid), and its length.
char32_t CharacterAt(std::string_view text, std::size_t pos, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
  for (std::size_t i = 1; i < length && pos + i < text.size(); ++i) {
    code = (code << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
  }
  return code;
}

// Appends a GBK cell as UTF-8, each control byte as a space. An ASCII cell, nearly every one, is
// its own UTF-8; control bytes come out of the converter only where they went in, since GBK trail
// bytes start at 0x40.
void AppendCell(std::string_view gbk, std::string& out) {
  const std::size_t start = out.size();
  out.append(gbk);
  for (std::size_t i = start; i < out.size(); ++i) {
    if (static_cast<unsigned char>(out[i]) >= 0x80) {
      out.resize(start);
      platform::AppendGbkToUtf8(gbk, out);
      std::replace_if(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), IsControl, ' ');
      return;
    }
    if (IsControl(out[i])) out[i] = ' ';
  }
}

// A cell as the text format shows it, cut to kMaxCellColumns and ending in "…" when wider, and
// the columns it takes.
struct ShownCell {
  std::string text;
  std::size_t width = 0;
};

ShownCell Show(std::string_view gbk) {
  ShownCell shown;
  AppendCell(gbk.substr(0, kShownBytes), shown.text);
  std::size_t cut = std::string::npos;  // where the text is cut if it is too wide
  std::size_t cutWidth = 0;
  for (std::size_t pos = 0, length = 0; pos < shown.text.size(); pos += length) {
    const std::size_t columns = IsWide(CharacterAt(shown.text, pos, length)) ? 2 : 1;
    if (cut == std::string::npos && shown.width + columns > kMaxCellColumns - 1) {
      cut = pos;
      cutWidth = shown.width;
    }
    shown.width += columns;
  }
  if (shown.width > kMaxCellColumns) {
    shown.text.resize(cut);
    shown.text.append(kEllipsis);
    shown.width = cutWidth + 1;
  }
  return shown;
}

// The lines on their way to the stream, handed over about kFlushBytes at a time; a long cell goes
// in pieces, so that no cell is held whole a second time.
class Output {
 public:
  explicit Output(std::FILE* out) : m_out(out) {}
  void Text(std::string_view utf8) { m_bytes.append(utf8); }
  void Separator() { m_bytes.push_back('\t'); }
  void Spaces(std::size_t count) { m_bytes.append(count, ' '); }
  void Cell(std::string_view gbk) {
    while (gbk.size() > kFlushBytes) {
      // A piece ends before a character: a byte from 0x81 up starts a two-byte one.
      std::size_t end = 0;
      while (end < kFlushBytes) end += static_cast<unsigned char>(gbk[end]) >= 0x81 ? 2 : 1;
      AppendCell(gbk.substr(0, end), m_bytes);
      gbk.remove_prefix(std::min(end, gbk.size()));
      Flush();
    }
    AppendCell(gbk, m_bytes);
  }
  void EndLine() {
    m_bytes.push_back('\n');
    if (m_bytes.size() >= kFlushBytes) Flush();
  }
  bool Finish() {
    Flush();
    return std::fflush(m_out) == 0 && !std::ferror(m_out);
  }

 private:
  void Flush() {
    std::fwrite(m_bytes.data(), 1, m_bytes.size(), m_out);
    m_bytes.clear();
  }
  std::FILE* m_out;
  std::string m_bytes;
};

bool WriteTsv(const CellGrid& grid, Output& out) {
  std::vector<std::string_view> cells;
  for (std::size_t row = 0; row < grid.rows; ++row) {
    grid.row(row, cells);
    for (std::size_t column = 0; column < cells.size(); ++column) {
      if (column > 0) out.Separator();
      out.Cell(cells[column]);
    }
    out.EndLine();
  }
  return out.Finish();
}

bool WriteText(const CellGrid& grid, Output& out) {
  std::vector<std::size_t> widths(grid.columns, 0);
  std::vector<std::string_view> cells;
  for (std::size_t row = 0; row < grid.rows; ++row) {
    grid.row(row, cells);
    for (std::size_t column = 0; column < cells.size(); ++column) {
      widths[column] = std::max(widths[column], Show(cells[column]).width);
    }
  }
  for (std::size_t row = 0; row < grid.rows; ++row) {
    grid.row(row, cells);
    std::size_t pending = 0;  // padding owed before the next non-empty cell
    for (std::size_t column = 0; column < cells.size(); ++column) {
      if (column > 0) pending += 2;
      const ShownCell cell = Show(cells[column]);
      if (!cell.text.empty()) {
        out.Spaces(pending);
        out.Text(cell.text);
        pending = 0;
      }
      pending += widths[column] - cell.width;
    }
    out.EndLine();
  }
  return out.Finish();
}

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t pos = 0, length = 0; pos < text.size(); pos += length) {
    width += IsWide(CharacterAt(text, pos, length)) ? 2 : 1;
  }
  return width;
}

bool WriteTable(const CellGrid& grid, OutputFormat format, std::FILE* out) {
  Output output(out);
  return format == OutputFormat::Tsv ? WriteTsv(grid, output) : WriteText(grid, output);
}

}  // namespace gradova::cli
