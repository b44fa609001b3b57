#pragma once
// The cells of an Excel workbook's (.xlsx) first worksheet, read with libzip for the container and
// expat for its parts. The programs do not link it: they reach it through xlsx_module.h.
#include <string_view>
#include <variant>

#include "courses/delimited_text.h"
#include "platform/transcript_file.h"

namespace gradova::platform {

// The first worksheet of the workbook in `bytes` as UTF-8 texts: record i is the sheet's row i + 1
// and field j its column j + 1 (rows and cells the sheet leaves out are empty). Shared strings
// (their rich-text runs joined, phonetic runs left out), inline strings, formula results and
// numbers as the sheet writes them. Rows after the 65536th and columns after the 256th are left
// out. On an error (never CannotOpen or NoXlsxModule) nothing is returned; a part that unpacks to
// more than 64 MiB is DamagedZip.
using XlsxSheet = std::variant<courses::TextRecords, TranscriptFileError>;
XlsxSheet ReadXlsxFirstSheet(std::string_view bytes);

}  // namespace gradova::platform
