#include "courses/text_records.h"

namespace gradova::courses {
namespace {

// A record's own cost: its vector and the one field that every record ends up with.
constexpr std::size_t kRecordBytes = sizeof(std::vector<std::string>) + sizeof(std::string);

}  // namespace

bool RecordsBuilder::Put(std::size_t row, std::size_t column, std::string text) {
  if (m_error) return false;
  if (text.size() > m_limits.cellBytes) return Fail(RecordsError::CellTooLong);
  if (row >= m_limits.rows || column >= m_limits.columns) return Fail(RecordsError::TooLarge);
  const std::size_t width = row < m_records.size() ? m_records[row].size() : 0;
  std::size_t bytes = text.size();
  if (row >= m_records.size()) bytes += (row + 1 - m_records.size()) * kRecordBytes;
  if (column >= width) bytes += (column + 1 - width) * sizeof(std::string);
  if (!Charge(bytes)) return false;
  if (row >= m_records.size()) m_records.resize(row + 1);
  std::vector<std::string>& record = m_records[row];
  if (column >= record.size()) record.resize(column + 1);
  record[column] = std::move(text);
  return true;
}

bool RecordsBuilder::Charge(std::size_t bytes) {
  if (m_error) return false;
  if (bytes > m_limits.keptBytes - m_kept) return Fail(RecordsError::TooLarge);
  m_kept += bytes;
  return true;
}

ReadRecords RecordsBuilder::Take() {
  if (m_error) return {{}, m_error};
  for (std::vector<std::string>& record : m_records) {
    if (record.empty()) record.emplace_back();
  }
  return {std::move(m_records), std::nullopt};
}

bool RecordsBuilder::Fail(RecordsError error) {
  m_error = error;
  m_records = TextRecords();
  return false;
}

}  // namespace gradova::courses
