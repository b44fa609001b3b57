#pragma once
// The cells of an Excel workbook's (.xlsx) first worksheet. Each part is streamed out of the zip
// (minizip) in small pieces through QXmlStreamReader, so no part is ever held whole; what is kept
// is the cells, within courses::TranscriptLimits.
#include <string>

#include "courses/text_records.h"
#include "platform/transcript_file.h"

namespace gradova::platform {

// The first worksheet (the workbook's first <sheet>, found through the workbook's relationships) of
// the .xlsx at `path` as UTF-8 texts: record i is the sheet's row i + 1 and field j its column
// j + 1 (rows and cells the sheet leaves out are empty). Shared strings (their rich-text runs
// joined, phonetic runs left out), inline strings, formula results and numbers as the sheet writes
// them; but a boolean as "TRUE" or "FALSE" and a number in a date format as its date, "2024-01-01",
// so that neither counts as a number. Every kept text counts against `limits`, the shared strings
// included, each held once. The error is never CannotOpen or CellTooLong, which the records carry;
// it is TooLarge for a tag or text in a part longer than limits.tokenBytes, DamagedXml for a part
// nested deeper than any workbook's, and DamagedZip for one that unpacks to more than
// limits.partBytes.
FirstSheet ReadXlsxFirstSheet(const std::string& path, const courses::TranscriptLimits& limits);

}  // namespace gradova::platform
