#include "cli/tsv_cells.h"

#include <cstdint>
#include <cstring>

#include "platform/gbk.h"

namespace gradova::cli {
namespace {

constexpr bool IsTsvBlank(unsigned char c) { return c == '\t' || c == '\r' || c == '\n'; }

// Whether any of eight bytes is below 0x0E, the range that holds TAB, LF and CR. A byte b below
// it, and only such a byte, makes (b - 0x0E) & ~b set bit 7 in the lowest such position.
bool HasByteBelowShiftOut(std::uint64_t word) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  constexpr std::uint64_t kShiftOut = 0x0E0E0E0E0E0E0E0E;
  return ((word - kShiftOut) & ~word & kHighBits) != 0;
}

// The position of the first TAB, CR or LF in `text`, or its size.
std::size_t FindBlank(std::string_view text) {
  std::size_t pos = 0;
  for (; pos + 8 <= text.size(); pos += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + pos, 8);
    if (HasByteBelowShiftOut(word)) break;
  }
  for (; pos < text.size(); ++pos) {
    if (IsTsvBlank(static_cast<unsigned char>(text[pos]))) return pos;
  }
  return pos;
}

}  // namespace

std::size_t TsvCellBound(std::size_t gbkBytes) { return platform::kMaxUtf8PerGbkByte * gbkBytes; }

char* WriteTsvCell(std::string_view gbkCell, char* out) {
  // A TAB, CR or LF is never part of a GBK character (trail bytes start at 0x40), so the cell can
  // be converted piece by piece between them.
  for (;;) {
    const std::size_t blank = FindBlank(gbkCell);
    out = platform::WriteGbkAsUtf8(gbkCell.substr(0, blank), out);
    if (blank == gbkCell.size()) return out;
    *out++ = ' ';
    gbkCell.remove_prefix(blank + 1);
  }
}
void WriteTsvRow(OutputBuffer& buffer, const std::vector<std::string_view>& gbkCells) {
  std::size_t bound = gbkCells.size() + 1;
  for (const std::string_view cell : gbkCells) bound += TsvCellBound(cell.size());
  char* out = buffer.Reserve(bound);
  for (std::size_t column = 0; column < gbkCells.size(); ++column) {
    if (column > 0) *out++ = '\t';
    out = WriteTsvCell(gbkCells[column], out);
  }
  *out++ = '\n';
  buffer.Commit(out);
}

}  // namespace gradova::cli
