#include "platform/xlsx_reader.h"

#include <zip.h>

#include <algorithm>
#include <charconv>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/xml_tree.h"

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
  std::optional<std::string> Part(const std::string& name) {
    zip_stat_t stat;
    if (zip_stat(m_zip.get(), name.c_str(), 0, &stat) != 0) return std::nullopt;
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen(m_zip.get(), name.c_str(), 0));
    std::string bytes;
    if (file && (stat.valid & ZIP_STAT_SIZE) && stat.size <= kMaxPartBytes) {
      bytes.resize(static_cast<std::size_t>(stat.size));
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

// The text of the <t> elements in `element`, phonetic runs (<rPh>) left out.
std::string RunsText(const XmlElement& element) {
  std::string text;
  for (const XmlElement& child : element.children) {
    if (child.name == "t") {
      text += child.text;
    } else if (child.name != "rPh") {
      text += RunsText(child);
    }
  }
  return text;
}

// The relationship id (r:id) of the first <sheet> that has one, in document order.
std::string FirstSheetId(const XmlElement& element) {
  if (element.name == "sheet") {
    for (const XmlElement::Attribute& attribute : element.attributes) {
      if (attribute.name == "id" && attribute.prefixed && !attribute.value.empty()) {
        return attribute.value;
      }
    }
  }
  for (const XmlElement& child : element.children) {
    if (std::string id = FirstSheetId(child); !id.empty()) return id;
  }
  return {};
}

// The first worksheet's part name, from the workbook and its relationships; empty when there is
// none.
std::string FirstSheetPart(const XmlElement& workbook, const XmlElement& rels) {
  const std::string id = FirstSheetId(workbook);
  if (id.empty()) return {};
  for (const XmlElement& relationship : rels.children) {
    if (relationship.name != "Relationship" || relationship.AttributeValue("Id") != id) continue;
    const std::string_view target = relationship.AttributeValue("Target");
    return target.substr(0, 1) == "/" ? std::string(target.substr(1)) : "xl/" + std::string(target);
  }
  return {};
}

std::vector<std::string> SharedStrings(const XmlElement& table) {
  std::vector<std::string> strings;
  for (const XmlElement& item : table.children) {
    if (item.name == "si") strings.push_back(RunsText(item));
  }
  return strings;
}

// The 0-based column of a cell reference such as "AB12"; `fallback` without one.
long long ColumnOf(std::string_view reference, long long fallback) {
  long long column = 0;
  std::size_t i = 0;
  for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i) {
    column = std::min(column * 26 + (reference[i] - 'A' + 1), kMaxColumns + 1);
  }
  return i == 0 ? fallback : column - 1;
}

std::optional<long long> NumberOf(std::string_view text) {
  long long number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

class SheetReader {
 public:
  explicit SheetReader(std::vector<std::string> shared) : m_shared(std::move(shared)) {}

  // The cells of every <row> in `element` and below, in document order.
  void Visit(const XmlElement& element) {
    if (element.name == "c") {
      if (m_row >= 0 && m_row < kMaxRows) Cell(element);
      return;
    }
    if (element.name == "row") {
      const std::optional<long long> number = NumberOf(element.AttributeValue("r"));
      m_row = number ? *number - 1 : m_row + 1;
      m_column = -1;
    }
    for (const XmlElement& child : element.children) Visit(child);
  }

  courses::TextRecords Take() {
    for (std::vector<std::string>& record : m_records) {
      if (record.empty()) record.emplace_back();
    }
    return std::move(m_records);
  }

 private:
  void Cell(const XmlElement& cell) {
    m_column = ColumnOf(cell.AttributeValue("r"), m_column + 1);
    std::string value;
    for (const XmlElement& child : cell.children) {
      if (child.name == "v") value = child.text;
      if (child.name == "is") value = RunsText(child);
    }
    if (cell.AttributeValue("t") == "s") {
      const std::optional<long long> index = NumberOf(value);
      value = index && *index >= 0 && static_cast<std::size_t>(*index) < m_shared.size()
                  ? m_shared[static_cast<std::size_t>(*index)]
                  : std::string();
    }
    if (m_column >= kMaxColumns || value.empty()) return;
    const auto row = static_cast<std::size_t>(m_row);
    const auto column = static_cast<std::size_t>(m_column);
    if (m_records.size() <= row) m_records.resize(row + 1);
    std::vector<std::string>& record = m_records[row];
    if (record.size() <= column) record.resize(column + 1);
    record[column] = std::move(value);
  }

  const std::vector<std::string> m_shared;
  courses::TextRecords m_records;
  long long m_row = -1;
  long long m_column = -1;
};

}  // namespace

XlsxSheet ReadXlsxFirstSheet(std::string_view bytes) {
  TranscriptFileError error = TranscriptFileError::NotZip;
  std::optional<Workbook> workbook = Workbook::Open(bytes, error);
  if (!workbook) return error;
  bool damagedXml = false;
  // A part that is there but no XML is damaged; one that is missing is not.
  const auto parse = [&damagedXml](const std::optional<std::string>& part) {
    std::optional<XmlElement> tree = part ? ParseXml(*part) : std::nullopt;
    damagedXml = damagedXml || (part && !tree);
    return tree;
  };
  const std::optional<XmlElement> book = parse(workbook->Part("xl/workbook.xml"));
  const std::optional<XmlElement> rels = parse(workbook->Part("xl/_rels/workbook.xml.rels"));
  const std::string sheetName = book && rels ? FirstSheetPart(*book, *rels) : std::string();
  const std::optional<XmlElement> sheet =
      parse(sheetName.empty() ? std::nullopt : workbook->Part(sheetName));
  const std::optional<XmlElement> shared = parse(workbook->Part("xl/sharedStrings.xml"));
  SheetReader cells(shared ? SharedStrings(*shared) : std::vector<std::string>());
  if (sheet) cells.Visit(*sheet);
  if (workbook->Damaged()) return TranscriptFileError::DamagedZip;
  if (damagedXml) return TranscriptFileError::DamagedXml;
  if (!sheet) return TranscriptFileError::NoWorksheet;
  return cells.Take();
}

}  // namespace gradova::platform
