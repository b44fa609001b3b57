#include "platform/xls_reader.h"

#include <freexl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>
#include <system_error>

#include "platform/xls_check.h"
#include "platform/xls_values.h"

namespace gradova::platform {
namespace {

struct XlsCloser {
  void operator()(const void* handle) const { freexl_close(handle); }
};

// An anonymous file in memory holding `bytes`: FreeXL opens only a path, and through this one it
// reads exactly the bytes that were checked, however the file on disk changes meanwhile.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view bytes) : m_fd(memfd_create("gradova-xls", MFD_CLOEXEC)) {
    for (std::size_t done = 0; m_fd >= 0 && done < bytes.size();) {
      const ssize_t wrote = write(m_fd, bytes.data() + done, bytes.size() - done);
      if (wrote <= 0) Close();
      done += wrote > 0 ? static_cast<std::size_t>(wrote) : 0;
    }
  }
  ~MemoryFile() { Close(); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  bool Open() const { return m_fd >= 0; }
  std::string Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

 private:
  void Close() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
  }
  int m_fd;
};

std::string CellText(const FreeXL_CellValue& cell) {
  switch (cell.type) {
    case FREEXL_CELL_INT:
      return std::to_string(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return XlsNumberText(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME:
      return cell.value.text_value ? cell.value.text_value : "";
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:  // "2024-01-01 08:30:00": the date, as an .xlsx's date cell
      return cell.value.text_value ? std::string(cell.value.text_value).substr(0, 10) : "";
    default:
      return "";
  }
}

}  // namespace

FirstSheet ReadXlsFirstSheet(const std::string& path, const courses::TranscriptLimits& limits) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return TranscriptFileError::CannotOpen;
  if (size > limits.xlsFileBytes) return TranscriptFileError::TooLarge;
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) return TranscriptFileError::CannotOpen;
  return ReadXlsBytes(bytes, limits);
}

FirstSheet ReadXlsBytes(std::string_view bytes, const courses::TranscriptLimits& limits) {
  if (bytes.size() > limits.xlsFileBytes) return TranscriptFileError::TooLarge;
  const XlsCheck check = CheckXls(bytes, limits);
  if (check.error) return *check.error;
  const MemoryFile file(bytes);
  if (!file.Open()) return TranscriptFileError::CannotOpen;

  const void* opened = nullptr;
  const int status = freexl_open(file.Path().c_str(), &opened);
  const std::unique_ptr<const void, XlsCloser> book(opened);
  if (status == FREEXL_INSUFFICIENT_MEMORY) throw std::bad_alloc();
  if (status == FREEXL_FILE_NOT_FOUND) return TranscriptFileError::CannotOpen;
  if (status != FREEXL_OK || !book) return TranscriptFileError::DamagedXls;
  unsigned int sheets = 0;
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_get_info(book.get(), FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK || sheets == 0 ||
      freexl_select_active_worksheet(book.get(), 0) != FREEXL_OK ||
      freexl_worksheet_dimensions(book.get(), &rows, &columns) != FREEXL_OK) {
    return TranscriptFileError::NoXlsSheet;
  }
  if (rows > 65536 || columns > 256) return TranscriptFileError::DamagedXls;  // as CheckXls's
  courses::RecordsBuilder records(limits);
  for (unsigned int row = 0; row < rows; ++row) {
    for (unsigned short column = 0; column < columns; ++column) {
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(book.get(), row, column, &cell) != FREEXL_OK) continue;
      const auto value = check.values.find({row, column});
      std::string text = value != check.values.end() ? value->second : CellText(cell);
      if (!text.empty() && !records.Put(row, column, std::move(text))) return records.Take();
    }
  }
  return records.Take();
}

}  // namespace gradova::platform
