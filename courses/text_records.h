#pragma once
// The cells of a transcript (records of fields), kept within limits: a transcript's memory is
// bounded by what it holds, never by how large its file is or how often a text repeats in it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gradova::courses {

using TextRecords = std::vector<std::vector<std::string>>;

// How much of a transcript the program reads and keeps. A degree's transcript has a few hundred
// short rows; these leave room for many times that, and refuse instead what no window can show:
// a file that would take memory out of all proportion to the courses in it.
struct TranscriptLimits {
  std::uint64_t textFileBytes = 4 << 20;  // a .csv or .tsv file, refused before it is read
  std::uint64_t partBytes = 32 << 20;     // one part of an .xlsx unpacked, else it is damaged
  std::uint64_t xlsFileBytes = 6 << 20;   // an .xls file, refused before it is read; below 7 MB
                                          // its sector table never needs more than its header
  std::size_t tokenBytes = 64 << 10;      // one tag or text in a part: parsing one holds it whole
  std::size_t cellBytes = 1024;           // far past any course name, grade or remark
  std::size_t rows = 10000;               // records, header included
  std::size_t columns = 256;              // fields of a record
  std::size_t keptBytes = 8 << 20;        // everything kept: texts and the cells that hold them
};

enum class RecordsError {
  CellTooLong,  // a cell's text is longer than limits.cellBytes
  TooLarge,     // more rows, columns or kept bytes than the limits allow, or a longer token
};

struct ReadRecords {
  TextRecords records;  // empty on an error
  std::optional<RecordsError> error;
};

// Records built cell by cell. Each cell, each record and whatever else the reader keeps alongside
// (Charge) counts against limits.keptBytes, at its size in memory. The first limit passed ends the
// building: what was kept is dropped, and every later call returns false.
class RecordsBuilder {
 public:
  explicit RecordsBuilder(const TranscriptLimits& limits) : m_limits(limits) {}

  // Sets the field at the 0-based `row` and `column` to `text`; the records and fields before it
  // that are not there yet are made empty.
  bool Put(std::size_t row, std::size_t column, std::string text);
  // Counts `bytes` kept elsewhere against the limit.
  bool Charge(std::size_t bytes);
  // The records, each with at least one field, or the limit that was passed.
  ReadRecords Take();

 private:
  bool Fail(RecordsError error);

  TranscriptLimits m_limits;
  TextRecords m_records;
  std::size_t m_kept = 0;
  std::optional<RecordsError> m_error;
};

}  // namespace gradova::courses
