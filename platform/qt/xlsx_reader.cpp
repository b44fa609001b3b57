#include "platform/qt/xlsx_reader.h"

#include <zip.h>

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace gradova::platform {
namespace {

// A transcript is far smaller than these: the limits of the old .xls format, which keep a few
// bytes of XML from asking for gigabytes of empty cells. A part beyond kMaxPartBytes unpacked
// counts as damaged.
constexpr long long kMaxColumns = 256;
constexpr long long kMaxRows = 65536;
constexpr zip_uint64_t kMaxPartBytes = 64 << 20;

struct ZipCloser {
  void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

class Workbook {
 public:
  // Nothing when the bytes are no zip archive or cannot be opened as one; `error` says which.
  static std::optional<Workbook> Open(std::string_view bytes, TranscriptFileError& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &zipError) : nullptr;
    const int code = zip_error_code_zip(&zipError);
    zip_error_fini(&zipError);
    if (zip) return Workbook(zip);
    if (source) zip_source_free(source);
    error = code == ZIP_ER_NOZIP ? TranscriptFileError::NotZip : TranscriptFileError::DamagedZip;
    return std::nullopt;
  }

  // The part named `name`: nothing when it is missing, or damaged (then `m_damaged` is set).
  std::optional<QByteArray> Part(const QString& name) {
    const QByteArray path = name.toUtf8();
    zip_stat_t stat;
    if (zip_stat(m_zip.get(), path.constData(), 0, &stat) != 0) return std::nullopt;
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen(m_zip.get(), path.constData(), 0));
    QByteArray bytes;
    if (file && (stat.valid & ZIP_STAT_SIZE) && stat.size <= kMaxPartBytes) {
      bytes.resize(static_cast<qsizetype>(stat.size));
      if (zip_fread(file.get(), bytes.data(), stat.size) == static_cast<zip_int64_t>(stat.size)) {
        return bytes;
      }
    }
    m_damaged = true;
    return std::nullopt;
  }

  bool Damaged() const { return m_damaged; }

 private:
  explicit Workbook(zip_t* zip) : m_zip(zip) {}
  std::unique_ptr<zip_t, ZipCloser> m_zip;
  bool m_damaged = false;
};

// The text of the <t> elements in the element the reader is on, phonetic runs (<rPh>) left out.
QString RunsText(QXmlStreamReader& xml) {
  QString text;
  while (xml.readNextStartElement()) {
    if (xml.name() == u"t") {
      text += xml.readElementText();
    } else if (xml.name() == u"rPh") {
      xml.skipCurrentElement();
    } else {
      text += RunsText(xml);
    }
  }
  return text;
}

// The first worksheet's part name, from the workbook and its relationships; empty when there is
// none.
QString FirstSheetPart(const QByteArray& workbook, const QByteArray& rels, bool& damaged) {
  QString id;
  QXmlStreamReader xml(workbook);
  while (id.isEmpty() && xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
    if (!xml.isStartElement() || xml.name() != u"sheet") continue;
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
      if (attribute.name() == u"id" && !attribute.prefix().isEmpty())
        id = attribute.value().toString();
    }
  }
  damaged = damaged || xml.hasError();
  QXmlStreamReader relsXml(rels);
  while (!id.isEmpty() && relsXml.readNextStartElement()) {
    if (relsXml.name() != u"Relationship") continue;
    const QXmlStreamAttributes attributes = relsXml.attributes();
    if (attributes.value(QLatin1String("Id")) == id) {
      const QString target = attributes.value(QLatin1String("Target")).toString();
      return target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
    }
    relsXml.skipCurrentElement();
  }
  damaged = damaged || relsXml.hasError();
  return {};
}

std::vector<QString> SharedStrings(const QByteArray& part, bool& damaged) {
  std::vector<QString> strings;
  QXmlStreamReader xml(part);
  while (xml.readNextStartElement()) {
    if (xml.name() == u"si") {
      strings.push_back(RunsText(xml));
    } else if (xml.name() != u"sst") {
      xml.skipCurrentElement();
    }
  }
  damaged = damaged || xml.hasError();
  return strings;
}

// The 0-based column of a cell reference such as "AB12"; `fallback` without one.
long long ColumnOf(QStringView reference, long long fallback) {
  long long column = 0;
  qsizetype i = 0;
  for (; i < reference.size() && reference[i] >= u'A' && reference[i] <= u'Z'; ++i) {
    column = std::min(column * 26 + (reference[i].unicode() - u'A' + 1), kMaxColumns + 1);
  }
  return i == 0 ? fallback : column - 1;
}

courses::TextRecords SheetCells(const QByteArray& part, const std::vector<QString>& shared,
                                bool& damaged) {
  courses::TextRecords records;
  QXmlStreamReader xml(part);
  long long row = -1;
  long long column = -1;
  while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::Invalid) {
    if (!xml.isStartElement()) continue;
    const QXmlStreamAttributes attributes = xml.attributes();
    if (xml.name() == u"row") {
      bool numbered = false;
      const long long number = attributes.value(QLatin1String("r")).toLongLong(&numbered);
      row = numbered ? number - 1 : row + 1;
      column = -1;
    } else if (xml.name() == u"c" && row >= 0 && row < kMaxRows) {
      column = ColumnOf(attributes.value(QLatin1String("r")), column + 1);
      const QStringView type = attributes.value(QLatin1String("t"));
      QString value;
      while (xml.readNextStartElement()) {
        if (xml.name() == u"v") {
          value = xml.readElementText();
        } else if (xml.name() == u"is") {
          value = RunsText(xml);
        } else {
          xml.skipCurrentElement();
        }
      }
      if (type == u"s") {
        const qulonglong index = value.toULongLong();
        value = index < shared.size() ? shared[index] : QString();
      }
      if (column >= kMaxColumns || value.isEmpty()) continue;
      if (records.size() <= static_cast<std::size_t>(row)) records.resize(row + 1);
      std::vector<std::string>& record = records[row];
      if (record.size() <= static_cast<std::size_t>(column)) record.resize(column + 1);
      record[column] = value.toStdString();
    }
  }
  damaged = damaged || xml.hasError();
  for (std::vector<std::string>& record : records) {
    if (record.empty()) record.emplace_back();
  }
  return records;
}

}  // namespace

std::variant<courses::TextRecords, TranscriptFileError> ReadXlsxFirstSheet(std::string_view bytes) {
  TranscriptFileError error = TranscriptFileError::NotZip;
  std::optional<Workbook> workbook = Workbook::Open(bytes, error);
  if (!workbook) return error;
  bool damagedXml = false;
  const std::optional<QByteArray> book = workbook->Part(QStringLiteral("xl/workbook.xml"));
  const std::optional<QByteArray> rels =
      workbook->Part(QStringLiteral("xl/_rels/workbook.xml.rels"));
  const QString sheetName = book && rels ? FirstSheetPart(*book, *rels, damagedXml) : QString();
  const std::optional<QByteArray> sheet =
      sheetName.isEmpty() ? std::nullopt : workbook->Part(sheetName);
  const std::optional<QByteArray> sharedPart =
      workbook->Part(QStringLiteral("xl/sharedStrings.xml"));
  const std::vector<QString> shared =
      sharedPart ? SharedStrings(*sharedPart, damagedXml) : std::vector<QString>();
  courses::TextRecords records =
      sheet ? SheetCells(*sheet, shared, damagedXml) : courses::TextRecords();
  if (workbook->Damaged()) return TranscriptFileError::DamagedZip;
  if (damagedXml) return TranscriptFileError::DamagedXml;
  if (!sheet) return TranscriptFileError::NoWorksheet;
  return records;
}

}  // namespace gradova::platform
