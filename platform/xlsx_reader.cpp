#include "platform/xlsx_reader.h"

#include <unzip.h>

#include <QDate>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace gradova::platform {
namespace {

// Deeper than any part of a workbook; the limit keeps the reader's stack of open elements short.
constexpr int kMaxDepth = 64;
// Row numbers beyond any limit are taken as this, which keeps the arithmetic on them in range.
constexpr long long kFarRow = 1LL << 40;

struct ZipCloser {
  void operator()(void* zip) const { unzClose(zip); }
};

enum class PartEnd { Read, Missing, Stopped, DamagedZip, DamagedXml, LongToken };

// Streams the part `name` of `zip` to `onToken`, one token at a time, to the end of its document or
// until `onToken` returns false (Stopped). The reader holds a token whole until its end, and checks
// a tag's attributes against each other, so a token longer than limits.tokenBytes ends the reading.
PartEnd StreamPart(unzFile zip, const std::string& name, const courses::TranscriptLimits& limits,
                   const std::function<bool(const QXmlStreamReader&)>& onToken) {
  if (unzLocateFile(zip, name.c_str(), 1) != UNZ_OK) return PartEnd::Missing;
  if (unzOpenCurrentFile(zip) != UNZ_OK) return PartEnd::DamagedZip;
  QXmlStreamReader xml;
  std::array<char, 16 << 10> piece;
  std::uint64_t unpacked = 0;
  std::size_t sinceToken = 0;
  int depth = 0;
  PartEnd end = PartEnd::Read;
  while (end == PartEnd::Read && xml.readNext() != QXmlStreamReader::EndDocument) {
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
      const int read = unzReadCurrentFile(
          zip, piece.data(), static_cast<unsigned>(std::min(piece.size(), limits.tokenBytes)));
      unpacked += static_cast<std::uint64_t>(std::max(read, 0));
      sinceToken += static_cast<std::size_t>(std::max(read, 0));
      if (read < 0 || unpacked > limits.partBytes) end = PartEnd::DamagedZip;
      if (read == 0) end = PartEnd::DamagedXml;
      if (sinceToken > limits.tokenBytes) end = PartEnd::LongToken;
      if (read > 0) xml.addData(QByteArray(piece.data(), read));
      continue;
    }
    sinceToken = 0;
    depth += xml.isStartElement() ? 1 : xml.isEndElement() ? -1 : 0;
    if (xml.hasError() || depth > kMaxDepth) {
      end = PartEnd::DamagedXml;
    } else if (!onToken(xml)) {
      end = PartEnd::Stopped;
    }
  }
  // The checksum is checked when the whole part was read.
  if (unzCloseCurrentFile(zip) == UNZ_CRCERROR) end = PartEnd::DamagedZip;
  return end;
}

std::optional<TranscriptFileError> Damage(PartEnd end) {
  if (end == PartEnd::DamagedZip) return TranscriptFileError::DamagedZip;
  if (end == PartEnd::DamagedXml) return TranscriptFileError::DamagedXml;
  if (end == PartEnd::LongToken) return TranscriptFileError::TooLarge;
  return std::nullopt;
}

// A whole non-negative number, no larger than kFarRow.
std::optional<long long> NumberOf(std::string_view text) {
  long long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number < 0) return std::nullopt;
  return std::min(number, kFarRow);
}

// The value of the attribute `name` (no namespace) of the element that `xml` is at.
std::string Attribute(const QXmlStreamReader& xml, const char* name) {
  const QXmlStreamAttributes attributes = xml.attributes();
  const QStringView value = attributes.value(QLatin1String(name));
  return value.isEmpty() ? std::string() : value.toUtf8().toStdString();
}

// The text of <v> and <t> elements, phonetic runs (<rPh>) left out, as UTF-8. It keeps at most one
// byte more than a cell may hold: enough to tell that a text is too long.
class ElementText {
 public:
  explicit ElementText(std::size_t cellBytes) : m_cellBytes(cellBytes) {}

  void Follow(const QXmlStreamReader& xml) {
    if (xml.isStartElement()) {
      m_phonetic = m_phonetic || xml.name() == u"rPh";
      m_open = !m_phonetic && (xml.name() == u"v" || xml.name() == u"t");
    } else if (xml.isEndElement()) {
      m_phonetic = m_phonetic && xml.name() != u"rPh";
      m_open = false;
    } else if (xml.isCharacters() && m_open && m_text.size() <= m_cellBytes) {
      const auto room = static_cast<qsizetype>(m_cellBytes + 1 - m_text.size());
      const QByteArray text = xml.text().left(room).toUtf8();
      m_text.append(text.constData(), static_cast<std::size_t>(text.size()));
    }
  }

  std::string Take() { return std::exchange(m_text, std::string()); }

 private:
  const std::size_t m_cellBytes;
  std::string m_text;
  bool m_open = false;
  bool m_phonetic = false;
};

// Whether a number format shows a date or a time: a y, m, d, h or s outside quoted text, escaped
// characters and [colour] or [condition] sections. Excel writes dates as day numbers in such a
// format; they are no number of the transcript.
bool IsDateFormatCode(QStringView code) {
  QChar closing;
  for (qsizetype i = 0; i < code.size(); ++i) {
    const QChar c = code[i];
    if (!closing.isNull()) {
      if (c == closing) closing = QChar();
    } else if (c == u'"' || c == u'[') {
      closing = c == u'"' ? u'"' : u']';
    } else if (c == u'\\') {
      ++i;
    } else if (QStringView(u"yYmMdDhHsS").contains(c)) {
      return true;
    }
  }
  return false;
}

// The number formats that Excel builds in as dates and times, Chinese and Japanese ones included.
bool IsBuiltInDateFormat(long long id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

// A day number of Excel's 1900 date system as the date it stands for, "2024-01-01".
std::string DateText(const std::string& serial) {
  bool number = false;
  const double days = QString::fromStdString(serial).toDouble(&number);
  if (!number || days < 0 || days > 3e6) return serial;
  return QDate(1899, 12, 30).addDays(static_cast<qint64>(days)).toString(Qt::ISODate).toStdString();
}

class SheetCells {
 public:
  explicit SheetCells(const courses::TranscriptLimits& limits)
      : m_records(limits), m_text(limits.cellBytes), m_columns(limits.columns) {}

  // A token of the shared string table: each <si> is one string.
  bool OnSharedToken(const QXmlStreamReader& xml) {
    m_text.Follow(xml);
    if (!xml.isEndElement() || xml.name() != u"si") return true;
    std::string text = m_text.Take();
    if (!m_records.Charge(sizeof(std::string) + text.size())) return false;
    m_shared.push_back(std::move(text));
    return true;
  }

  // A token of the styles: which cell formats (<xf> of <cellXfs>, by index) show dates.
  bool OnStylesToken(const QXmlStreamReader& xml) {
    const QStringView name = xml.name();
    if (xml.isStartElement() && name == u"numFmt") {
      const std::optional<long long> id = NumberOf(Attribute(xml, "numFmtId"));
      if (id && IsDateFormatCode(xml.attributes().value(QLatin1String("formatCode")))) {
        if (!m_records.Charge(sizeof(long long))) return false;
        m_dateFormats.push_back(*id);
      }
    } else if (name == u"cellXfs") {
      m_inCellFormats = xml.isStartElement();
    } else if (xml.isStartElement() && name == u"xf" && m_inCellFormats) {
      const long long id = NumberOf(Attribute(xml, "numFmtId")).value_or(0);
      if (!m_records.Charge(1)) return false;
      m_dateStyles.push_back(IsBuiltInDateFormat(id) ||
                             std::find(m_dateFormats.begin(), m_dateFormats.end(), id) !=
                                 m_dateFormats.end());
    }
    return true;
  }

  // A token of the worksheet: its <row>s and their cells (<c>).
  bool OnSheetToken(const QXmlStreamReader& xml) {
    const QStringView name = xml.name();
    if (xml.isStartElement() && name == u"row") {
      const std::optional<long long> number = NumberOf(Attribute(xml, "r"));
      m_row = number ? *number - 1 : std::min(m_row + 1, kFarRow);
      m_column = -1;
    } else if (xml.isStartElement() && name == u"c") {
      m_column = ColumnOf(Attribute(xml, "r"), m_column + 1);
      m_type = Attribute(xml, "t");
      const std::size_t style = static_cast<std::size_t>(NumberOf(Attribute(xml, "s")).value_or(0));
      m_dateCell =
          (m_type.empty() || m_type == "n") && style < m_dateStyles.size() && m_dateStyles[style];
      m_inCell = true;
      m_text.Take();
    } else if (xml.isEndElement() && name == u"c") {
      m_inCell = false;
      return EndCell();
    }
    if (m_inCell) m_text.Follow(xml);
    return true;
  }

  courses::ReadRecords Take() { return m_records.Take(); }

 private:
  bool EndCell() {
    std::string value = m_text.Take();
    if (m_type == "b") value = value == "1" ? "TRUE" : "FALSE";
    if (m_dateCell) value = DateText(value);
    if (m_type == "s") {
      const std::optional<long long> index = NumberOf(value);
      value = index && static_cast<std::size_t>(*index) < m_shared.size()
                  ? m_shared[static_cast<std::size_t>(*index)]
                  : std::string();
    }
    if (m_row < 0 || value.empty()) return true;
    return m_records.Put(static_cast<std::size_t>(m_row), static_cast<std::size_t>(m_column),
                         std::move(value));
  }

  // The 0-based column of a cell reference such as "AB12", at most one past the last column kept;
  // `fallback` without one.
  long long ColumnOf(std::string_view reference, long long fallback) const {
    long long column = 0;
    std::size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) {
      column = std::min<long long>(column * 26 + (reference[i] - 'A' + 1),
                                   static_cast<long long>(m_columns) + 1);
    }
    return i == 0 ? std::min(fallback, static_cast<long long>(m_columns)) : column - 1;
  }

  courses::RecordsBuilder m_records;
  ElementText m_text;
  std::size_t m_columns;
  std::vector<std::string> m_shared;
  std::vector<long long> m_dateFormats;  // custom number formats that show dates
  std::vector<bool> m_dateStyles;        // by cell format index
  bool m_inCellFormats = false;
  long long m_row = -1;
  long long m_column = -1;
  std::string m_type;  // the cell's t: "s" shared string, "b" boolean, "n" or none a number, ...
  bool m_dateCell = false;
  bool m_inCell = false;
};

// The first worksheet's part name, from the workbook and its relationships; empty when there is
// none.
std::variant<std::string, TranscriptFileError> FirstSheetPart(
    unzFile zip, const courses::TranscriptLimits& limits) {
  std::string id;
  const PartEnd book = StreamPart(zip, "xl/workbook.xml", limits, [&id](const auto& xml) {
    if (!xml.isStartElement() || xml.name() != u"sheet") return true;
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
      if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty()) {
        id = attribute.value().toUtf8().toStdString();
      }
    }
    return id.empty();
  });
  if (const auto damage = Damage(book)) return *damage;
  std::string target;
  const PartEnd rels = StreamPart(zip, "xl/_rels/workbook.xml.rels", limits, [&](const auto& xml) {
    if (!xml.isStartElement() || xml.name() != u"Relationship" || id.empty() ||
        Attribute(xml, "Id") != id) {
      return true;
    }
    target = Attribute(xml, "Target");
    return false;
  });
  if (const auto damage = Damage(rels)) return *damage;
  if (target.empty()) return target;
  return target[0] == '/' ? target.substr(1) : "xl/" + target;
}

}  // namespace

FirstSheet ReadXlsxFirstSheet(const std::string& path, const courses::TranscriptLimits& limits) {
  const std::unique_ptr<void, ZipCloser> zip(unzOpen64(path.c_str()));
  if (!zip) return TranscriptFileError::NotZip;
  auto sheetPart = FirstSheetPart(zip.get(), limits);
  if (const auto* error = std::get_if<TranscriptFileError>(&sheetPart)) return *error;
  const std::string& sheetName = std::get<std::string>(sheetPart);
  if (sheetName.empty()) return TranscriptFileError::NoWorksheet;
  SheetCells cells(limits);
  const PartEnd styles = StreamPart(zip.get(), "xl/styles.xml", limits,
                                    [&cells](const auto& xml) { return cells.OnStylesToken(xml); });
  if (const auto damage = Damage(styles)) return *damage;
  const PartEnd shared = StreamPart(zip.get(), "xl/sharedStrings.xml", limits,
                                    [&cells](const auto& xml) { return cells.OnSharedToken(xml); });
  if (const auto damage = Damage(shared)) return *damage;
  const PartEnd sheet = StreamPart(zip.get(), sheetName, limits,
                                   [&cells](const auto& xml) { return cells.OnSheetToken(xml); });
  if (const auto damage = Damage(sheet)) return *damage;
  if (sheet == PartEnd::Missing) return TranscriptFileError::NoWorksheet;
  return cells.Take();
}

}  // namespace gradova::platform
