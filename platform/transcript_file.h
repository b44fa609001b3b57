#pragma once
// Transcript files for import: comma- or tab-separated text (.csv, .tsv) and Excel workbooks
// (.xlsx, and the older binary .xls). Whatever their encoding, the records come out as GBK, ready
// for courses::ImportTranscript.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "courses/delimited_text.h"

namespace gradova::platform {

enum class TranscriptFileError {
  CannotOpen,   // the file could not be opened or read
  NotZip,       // an .xlsx that is no zip archive
  DamagedZip,   // a zip archive whose parts cannot be read
  NoWorksheet,  // no workbook, no worksheet in it, or the worksheet's part is missing
  DamagedXml,   // a part of the workbook is not well-formed XML
  CellTooLong,  // a cell holds more text than TranscriptLimits::cellBytes
  TooLarge,     // more rows, columns or text than TranscriptLimits allow, or a text file larger
                // than its textFileBytes (an .xls than its xlsFileBytes)
  NotXls,       // an .xls that is no Excel 5.0-2003 workbook (BIFF5 or BIFF8 in a compound file)
  DamagedXls,   // an .xls whose compound file or records are broken
  Encrypted,    // a workbook protected by a password
  NoXlsSheet,   // an .xls workbook without a worksheet
};

// A workbook's first worksheet as UTF-8 texts, or why it could not be read.
using FirstSheet = std::variant<courses::ReadRecords, TranscriptFileError>;

struct TranscriptFile {
  courses::TextRecords records;  // empty on an error
  std::optional<TranscriptFileError> error;
};

// Whether `path` ends in .csv, .tsv, .xlsx or .xls, in any case.
bool IsTranscriptPath(std::string_view path);

// The records of the file at `path`: an .xlsx's or .xls's first worksheet (see xlsx_reader.h and
// xls_reader.h), else the text's, split at tabs for .tsv and at commas otherwise; all within
// `limits`. Throws std::bad_alloc when memory runs out all the same.
TranscriptFile ReadTranscriptFile(const std::string& path,
                                  const courses::TranscriptLimits& limits = {});

// A text file's bytes as GBK: UTF-8 when they start with its byte-order mark (which is dropped) or
// are valid UTF-8, else GB18030. Characters GBK cannot hold become "?".
std::string TranscriptTextToGbk(std::string_view bytes);

// The message that names the reason (GBK).
std::string_view TranscriptFileMessage(TranscriptFileError error);

}  // namespace gradova::platform
