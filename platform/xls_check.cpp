#include "platform/xls_check.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <variant>
#include <vector>

#include "platform/xls_values.h"

namespace gradova::platform {
namespace {

using Error = TranscriptFileError;

constexpr std::string_view kSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kUnused = 0xFFFFFFFF;
// A stream below this size lives in the mini stream, where FreeXL reads a Workbook stream from the
// mini stream's start whatever its sectors (and one of just this size too, when the file has a
// mini FAT); Excel's and xlwt's Workbook streams are never smaller.
constexpr std::uint32_t kMiniCutoff = 4096;
// The mini FAT is read whole into a list; a workbook's small streams need a sector or two of it.
constexpr std::uint32_t kMaxMiniFatSectors = 64;
constexpr std::size_t kMaxRecordBytes = 8224;  // a BIFF8 record's longest body

constexpr std::uint16_t kBof = 0x0809, kEof = 0x000A, kFilePass = 0x002F, kSst = 0x00FC,
                        kContinue = 0x003C, kBoundSheet = 0x0085, kDimension = 0x0200,
                        kBoolErr = 0x0205, kMulRk = 0x00BD, kLabel = 0x0204, kFormat = 0x041E,
                        kFormula = 0x0006, kString = 0x0207;
// The records that put a value in a cell, each naming its row and column first.
constexpr std::uint16_t kCellRecords[] = {0x0203, 0x0204, kBoolErr, 0x027E, kMulRk, 0x00FD};

std::uint32_t U16(std::string_view bytes, std::size_t at) {
  if (at + 2 > bytes.size()) return 0;
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t U32(std::string_view bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

// A directory entry's name, UTF-16 up to its first NUL, is Workbook (BIFF8) or Book (BIFF5).
bool IsWorkbookName(std::string_view entry) {
  std::string name;
  for (std::size_t at = 0; at + 1 < U16(entry, 0x40) && U16(entry, at) != 0; at += 2) {
    name += U16(entry, at) < 0x80 ? static_cast<char>(U16(entry, at)) : '?';
  }
  return name == "Workbook" || name == "Book";
}

// The Workbook stream's bytes, read as FreeXL reads them: through the FAT of the sectors the
// header names (109 at most, as no file within xlsFileBytes needs more), from the directory's
// first sector.
std::variant<std::string, Error> WorkbookStream(std::string_view file) {
  if (file.substr(0, kSignature.size()) != kSignature || file.size() < 512) return Error::NotXls;
  const std::uint32_t shift = U16(file, 0x1E);
  if (shift != 9 && shift != 12) return Error::DamagedXls;
  const std::size_t sectorSize = std::size_t{1} << shift;
  const std::size_t sectors = file.size() / sectorSize - (file.size() >= sectorSize);
  if (U32(file, 0x48) != 0 || U32(file, 0x40) > kMaxMiniFatSectors ||
      (U32(file, 0x40) != 0 && U32(file, 0x38) != kMiniCutoff)) {
    return Error::DamagedXls;
  }
  const auto sector = [&](std::uint32_t index) {
    return file.substr((index + std::size_t{1}) * sectorSize, sectorSize);
  };
  std::vector<std::uint32_t> fat;
  for (std::size_t i = 0; i < 109; ++i) {
    const std::uint32_t index = U32(file, 0x4C + 4 * i);
    if (index == kUnused) continue;
    if (index >= sectors) return Error::DamagedXls;
    for (std::size_t at = 0; at < sectorSize; at += 4) fat.push_back(U32(sector(index), at));
  }
  const std::uint32_t directory = U32(file, 0x30);
  if (directory >= sectors) return Error::DamagedXls;
  for (std::size_t at = 0; at < sectorSize; at += 128) {
    const std::string_view entry = sector(directory).substr(at, 128);
    if (U16(entry, 0x40) > 64) return Error::DamagedXls;
    if (!IsWorkbookName(entry)) continue;
    const std::uint32_t size = U32(entry, 0x78);
    if (size < kMiniCutoff + (U32(file, 0x40) != 0) || size > file.size()) {
      return Error::DamagedXls;
    }
    std::string stream;
    std::uint32_t next = U32(entry, 0x74);
    for (std::size_t left = size; left > 0; left -= std::min(left, sectorSize)) {
      if (next >= sectors || next >= fat.size()) return Error::DamagedXls;
      stream.append(sector(next));
      next = fat[next];
    }
    if (next != kEndOfChain) return Error::DamagedXls;
    stream.resize(size);
    return stream;
  }
  return Error::NotXls;
}

// A BIFF8 string's characters from its option flags at body[at] on: where they start (past the
// flags and the counts of rich-text runs and phonetic bytes), how many bytes `count` of them take,
// and how many bytes of runs and phonetics follow them. The start is past the body when the flags
// and counts do not fit in it.
struct Characters {
  std::size_t start;
  std::size_t bytes;
  std::size_t extra;
};

Characters CharactersAt(std::string_view body, std::size_t at, std::size_t count) {
  const unsigned flags = at < body.size() ? static_cast<unsigned char>(body[at]) : 0;
  Characters characters{at + 1 + (flags & 8 ? 2 : 0) + (flags & 4 ? 4 : 0), count << (flags & 1),
                        0};
  if (characters.start > body.size()) characters.start = body.size() + 1;
  if (flags & 8) characters.extra += 4 * std::size_t{U16(body, at + 1)};
  if (flags & 4) characters.extra += U32(body, characters.start - 4);
  return characters;
}

// Whether a string's characters lie within its record: FreeXL copies them without looking.
bool Fits(std::string_view body, const Characters& characters) {
  return characters.start <= body.size() && characters.bytes <= body.size() - characters.start;
}

// The shared string table, walked as FreeXL parses it: string by string through the SST record and
// its CONTINUE records, a string cut at a record's end taking the rest of its characters from the
// start of the next one (after a byte of flags), in which they must all fit.
class SharedStrings {
 public:
  bool Start(std::string_view body) {
    m_left = U32(body, 4);
    return Continue(body, 8);
  }

  bool Continue(std::string_view body, std::size_t at = 0) {
    if (m_cut > 0) {
      const Characters rest = CharactersAt(body, 0, m_cut);
      if (body.empty() || !Fits(body, rest)) return false;
      at = rest.start + rest.bytes + m_cutExtra;
      m_cut = 0;
      --m_left;
    }
    for (; m_left > 0 && at < body.size(); --m_left) {
      const Characters characters = CharactersAt(body, at + 2, U16(body, at));
      if (characters.start > body.size()) return false;
      if (!Fits(body, characters)) {
        const std::size_t width = characters.bytes / std::max<std::size_t>(U16(body, at), 1);
        m_cut = U16(body, at) - (body.size() - characters.start) / width;
        m_cutExtra = characters.extra;
        return true;
      }
      at = characters.start + characters.bytes + characters.extra;
    }
    return true;
  }

 private:
  std::uint32_t m_left = 0;    // strings still to come
  std::size_t m_cut = 0;       // characters of a cut string still to come
  std::size_t m_cutExtra = 0;  // the bytes of runs and phonetics after them
};

// The records of the Workbook stream, in its substreams (the workbook's globals, then a sheet
// each) as FreeXL walks them. FreeXL allocates a sheet's grid at its DIMENSION record and frees
// only the last one; a sheet without one gets no grid of its own but another sheet's again, and a
// cell put twice or out of its grid loses its text: each of these is refused as damage.
class RecordWalk {
 public:
  RecordWalk(const courses::TranscriptLimits& limits, XlsCheck& check)
      : m_maxCells(static_cast<std::uint64_t>(limits.rows) * limits.columns),
        m_cellBytes(limits.cellBytes),
        m_check(check) {}

  std::optional<Error> Walk(std::string_view stream) {
    m_streamBytes = stream.size();
    for (std::size_t at = 0; at + 4 <= stream.size(); at += 4 + U16(stream, at + 2)) {
      const std::uint32_t type = U16(stream, at);
      const std::size_t size = U16(stream, at + 2);
      if (type == 0 && size == 0) break;  // FreeXL's other end of the stream
      if (size > kMaxRecordBytes || at + 4 + size > stream.size()) return Error::DamagedXls;
      if (at == 0 && (type != kBof || (U16(stream, 4) != 0x0500 && U16(stream, 4) != 0x0600))) {
        return Error::NotXls;
      }
      m_biff8 = m_biff8 || U16(stream, 4) == 0x0600;
      if (const std::optional<Error> error = OnRecord(type, stream.substr(at + 4, size), at)) {
        return error;
      }
    }
    if (m_sheets.empty()) return Error::NoXlsSheet;
    // Each sheet has its grid, and each grid its sheet.
    std::sort(m_sheets.begin(), m_sheets.end());
    std::sort(m_declared.begin(), m_declared.end());
    if (std::adjacent_find(m_sheets.begin(), m_sheets.end()) != m_sheets.end() ||
        m_sheets != m_declared) {
      return Error::DamagedXls;
    }
    return std::nullopt;
  }

 private:
  std::optional<Error> OnRecord(std::uint32_t type, std::string_view body, std::size_t at) {
    if (type == kFilePass) return Error::Encrypted;
    const std::uint32_t previous = std::exchange(m_lastType, type == kContinue ? m_lastType : type);
    if (!TextsFit(type, body, previous)) return Error::DamagedXls;
    if (type == kBof) {
      // A substream ends before the next begins; FreeXL would give a sheet a second grid.
      if (at != 0 && previous != kEof) return Error::DamagedXls;
      m_start = static_cast<std::uint32_t>(at);
      m_dimension = false;
      m_taken.clear();
      m_textCell.reset();
    } else if (type == kBoundSheet) {
      if (body.size() < 8) return Error::DamagedXls;
      m_sheets.push_back(U32(body, 0));
    } else if (type == kDimension) {
      // BIFF8 rows are 32-bit. No sheet has more than 65,536 rows or 256 columns.
      m_rows = m_biff8 ? U32(body, 4) : U16(body, 2);
      m_columns = m_biff8 ? U16(body, 10) : U16(body, 6);
      if (m_dimension || body.size() < (m_biff8 ? 12u : 8u) || m_rows > 65536 || m_columns > 256) {
        return Error::DamagedXls;
      }
      m_dimension = true;
      m_grid += m_rows * m_columns;
      if (m_grid > m_maxCells) return Error::TooLarge;
      m_taken.assign(m_rows * m_columns, false);
      m_declared.push_back(m_start);
    } else if (IsCell(type) && m_dimension) {
      return OnCell(type, body);
    } else if (type == kFormula && body.size() >= 20 && InFirstSheet()) {
      const std::pair<std::uint32_t, std::uint32_t> cell{U16(body, 0), U16(body, 2)};
      const std::optional<std::string> result = FormulaResultText(body);
      m_textCell = result ? std::nullopt : std::optional(cell);
      if (result) m_check.values[cell] = *result;
    } else if (type == kString && m_textCell) {
      m_check.values[*m_textCell] = StringRecordText(body, m_biff8, m_cellBytes);
      m_textCell.reset();
    }
    return std::nullopt;
  }

  // Whether a record's texts lie within it, as FreeXL copies them without looking: the shared
  // strings, a LABEL's text, a FORMAT's code.
  bool TextsFit(std::uint32_t type, std::string_view body, std::uint32_t previous) {
    if (type == kSst) {
      // A string takes three bytes at least. FreeXL would drop a first table for a second one.
      if (m_sst || body.size() < 8 || U32(body, 4) > m_streamBytes / 3) return false;
      m_sst = true;
      return m_strings.Start(body);
    }
    if (type == kContinue) return previous != kSst || m_strings.Continue(body);
    if (type == kLabel && m_biff8) return Fits(body, CharactersAt(body, 8, U16(body, 6)));
    if (type == kLabel) return body.size() >= 8 && U16(body, 6) <= body.size() - 8;
    if (type == kFormat && m_biff8) return Fits(body, CharactersAt(body, 4, U16(body, 2)));
    return true;
  }

  std::optional<Error> OnCell(std::uint32_t type, std::string_view body) {
    if (body.size() < 8) return Error::DamagedXls;
    const std::uint32_t row = U16(body, 0);
    const std::uint32_t last = type == kMulRk ? U16(body, body.size() - 2) : U16(body, 2);
    for (std::uint32_t column = U16(body, 2); column <= last; ++column) {
      if (row >= m_rows || column >= m_columns || m_taken[row * m_columns + column]) {
        return Error::DamagedXls;
      }
      m_taken[row * m_columns + column] = true;
    }
    if (type == kBoolErr && InFirstSheet()) m_check.values[{row, U16(body, 2)}] = BoolErrText(body);
    return std::nullopt;
  }

  bool InFirstSheet() const { return !m_sheets.empty() && m_start == m_sheets.front(); }

  static bool IsCell(std::uint32_t type) {
    return std::find(std::begin(kCellRecords), std::end(kCellRecords), type) !=
           std::end(kCellRecords);
  }

  const std::uint64_t m_maxCells;
  const std::size_t m_cellBytes;
  XlsCheck& m_check;
  std::size_t m_streamBytes = 0;
  std::uint64_t m_grid = 0;               // cells of every grid FreeXL will allocate
  std::vector<std::uint32_t> m_sheets;    // where each sheet's substream starts, by BOUNDSHEET
  std::vector<std::uint32_t> m_declared;  // substreams with a DIMENSION record
  bool m_biff8 = false;
  bool m_sst = false;
  SharedStrings m_strings;
  std::uint32_t m_lastType = 0;  // of the last record that was no CONTINUE
  // The substream being read: where it starts, its DIMENSION and the cells put in its grid.
  std::uint32_t m_start = 0;
  bool m_dimension = false;
  std::uint64_t m_rows = 0;
  std::uint64_t m_columns = 0;
  std::vector<bool> m_taken;
  // The first sheet's formula whose text result the next STRING record holds.
  std::optional<std::pair<std::uint32_t, std::uint32_t>> m_textCell;
};

}  // namespace

XlsCheck CheckXls(std::string_view file, const courses::TranscriptLimits& limits) {
  XlsCheck check;
  auto stream = WorkbookStream(file);
  if (const auto* error = std::get_if<Error>(&stream)) {
    check.error = *error;
    return check;
  }
  check.error = RecordWalk(limits, check).Walk(std::get<std::string>(stream));
  if (check.error) check.values.clear();
  return check;
}

}  // namespace gradova::platform
