#include "cli/table_output.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

constexpr std::size_t kBlockBytes = 32 * 1024;

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

constexpr std::uint64_t kHighBits = 0x8080808080808080;
constexpr std::uint64_t EachByte(std::uint8_t byte) { return 0x0101010101010101 * byte; }

// Whether all eight bytes of `word` are printable ASCII (0x20 to 0x7E). In word - 0x20... the top
// bit of a byte is set when it is below 0x20 or from 0xA0 up, in word + 0x01... when it is from
// 0x7F to 0xFE; a borrow or carry that crosses into the next byte starts only at such a byte.
bool AllPrintable(std::uint64_t word) {
  return (((word - EachByte(0x20)) | (word + EachByte(0x01))) & kHighBits) == 0;
}

// Whether `text` holds a C0 control byte or DEL, eight bytes at a time.
bool HasControl(std::string_view text) {
  std::size_t pos = 0;
  for (std::uint64_t word; pos + 8 <= text.size(); pos += 8) {
    std::memcpy(&word, text.data() + pos, 8);
    // With the top bits cleared no carry crosses a byte. Of the bytes below 0x80, one below 0x20
    // leaves its top bit clear in (byte & 0x7F) + 0x60, and DEL alone sets it in
    // (byte & 0x7F) + 0x01.
    const std::uint64_t low = word & ~kHighBits;
    const std::uint64_t controls = (~(low + EachByte(0x60)) | (low + EachByte(0x01))) & ~word;
    if ((controls & kHighBits) != 0) return true;
  }
  return std::any_of(text.begin() + pos, text.end(), IsControl);
}

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
  for (std::uint64_t word; printable + 8 <= size; printable += 8) {
    std::memcpy(&word, bytes + printable, 8);
    if (!AllPrintable(word)) break;
    std::memcpy(out + printable, &word, 8);
  }
  for (; printable < size && bytes[printable] >= 0x20 && bytes[printable] < 0x7F; ++printable) {
    out[printable] = bytes[printable];
  }
  if (printable == size) return {out + size, true};
  const std::string_view rest = gbk.substr(printable);
  char* const end = platform::WriteGbkAsUtf8(rest, out + printable);
  // Control bytes come out only where they went in: GBK trail bytes start at 0x40.
  const bool control = HasControl(rest);
  if (control) std::replace_if(out + printable, end, IsControl, ' ');
  return {end, false};
}

std::size_t WidthOf(const char* start, WrittenCell written) {
  const auto bytes = static_cast<std::size_t>(written.end - start);
  return written.printable ? bytes : DisplayWidth(std::string_view(start, bytes));
}

// The cells of `row` before its point cells.
std::size_t TextCount(const RowCells& row) { return std::min(row.pointsFrom, row.cells.size()); }

// The most bytes that the first `count` cells of `row` take as UTF-8 with their separators and a
// line end.
std::size_t UtfBound(const RowCells& row, std::size_t count) {
  std::size_t bound = row.cells.size() + 1;
  for (std::size_t column = 0; column < count; ++column) {
    bound += platform::kMaxUtf8PerGbkByte * row.cells[column].size();
  }
  return bound;
}

}  // namespace

char* OutputBuffer::Room(std::size_t bytes) {
  if (m_capacity - m_used < bytes) {
    Drain();
    if (m_capacity < bytes) {
      m_capacity = std::max(bytes, kBlockBytes);
      m_bytes.reset(new char[m_capacity]);
    }
  }
  return m_bytes.get() + m_used;
}

void OutputBuffer::Commit(const char* end) {
  m_used = static_cast<std::size_t>(end - m_bytes.get());
}

void OutputBuffer::Drain() {
  if (m_used > 0) std::fwrite(m_bytes.get(), 1, m_used, m_out);
  m_used = 0;
}

bool OutputBuffer::Flush() {
  Drain();
  return std::fflush(m_out) == 0 && !std::ferror(m_out);
}

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    width += CodeWidth(NextCodePoint(text, pos));
  }
  return width;
}

void TsvWriter::Row(const RowCells& row) {
  const std::size_t texts = TextCount(row);
  const std::string_view points = m_points.Get(row, [&row](std::string& laidOut) {
    for (std::size_t column = row.pointsFrom; column < row.cells.size(); ++column) {
      laidOut.append(1, '\t').append(row.cells[column]);
    }
  });
  char* out = m_out.Room(UtfBound(row, texts) + points.size());
  for (std::size_t column = 0; column < texts; ++column) {
    if (column > 0) *out++ = '\t';
    out = WriteCell(row.cells[column], out).end;
  }
  out = std::copy(points.begin(), points.end(), out);
  *out++ = '\n';
  m_out.Commit(out);
}

void TextWriter::Measure(const RowCells& row) {
  const std::vector<std::string_view>& cells = row.cells;
  m_widths.resize(std::max(m_widths.size(), cells.size()), 0);
  m_measured.resize(std::max(m_measured.size(), UtfBound(row, cells.size())));
  char* const room = m_measured.data();
  for (std::size_t column = 0; column < cells.size(); ++column) {
    const std::size_t width = column >= row.pointsFrom
                                  ? cells[column].size()
                                  : WidthOf(room, WriteCell(cells[column], room));
    m_widths[column] = std::max(m_widths[column], width);
  }
}

char* TextWriter::LayOut(const RowCells& row, std::size_t first, std::size_t end,
                         std::size_t& pending, char* out) const {
  for (std::size_t column = first; column < end; ++column) {
    if (column > first) pending += 2;
    const std::size_t width = column < m_widths.size() ? m_widths[column] : 0;
    const std::string_view cell = row.cells[column];
    if (cell.empty()) {
      pending += width;
      continue;
    }
    out = std::fill_n(out, pending, ' ');
    if (column >= row.pointsFrom) {
      out = std::copy(cell.begin(), cell.end(), out);
      pending = width - cell.size();
    } else {
      const WrittenCell written = WriteCell(cell, out);
      pending = width - WidthOf(out, written);
      out = written.end;
    }
  }
  return out;
}

void TextWriter::Row(const RowCells& row) {
  std::size_t padding = 0;
  for (const std::size_t width : m_widths) padding += width + 2;
  const std::size_t texts = TextCount(row);
  // The point cells are laid out as if the padding owed before them were none; it is written
  // ahead of them.
  const std::string_view points = m_points.Get(row, [&](std::string& laidOut) {
    laidOut.resize(padding + UtfBound(row, row.cells.size()));
    std::size_t none = 0;
    char* const end = LayOut(row, row.pointsFrom, row.cells.size(), none, laidOut.data());
    laidOut.resize(static_cast<std::size_t>(end - laidOut.data()));
  });
  char* out = m_out.Room(UtfBound(row, texts) + padding + points.size());
  std::size_t pending = 0;  // padding owed before the next non-empty cell
  out = LayOut(row, 0, texts, pending, out);
  if (!points.empty()) {
    out = std::fill_n(out, pending + 2, ' ');
    out = std::copy(points.begin(), points.end(), out);
  }
  *out++ = '\n';
  m_out.Commit(out);
}

}  // namespace gradova::cli
