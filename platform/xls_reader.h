#pragma once
// The cells of an Excel 97-2003 workbook's (.xls) first worksheet, read by FreeXL once the file's
// bytes have passed CheckXls (xls_check.h), so that no file makes FreeXL take more memory or time
// than its cells need. No Qt: the fuzz target links it with FreeXL alone.
#include <string>
#include <string_view>

#include "courses/text_records.h"
#include "platform/transcript_file.h"

namespace gradova::platform {

// The first worksheet of the .xls at `path` as UTF-8 texts: record i is the sheet's row i + 1 and
// field j its column j + 1. Texts as FreeXL converts them (BIFF8's Unicode, BIFF5's code page);
// numbers in their shortest form, as an .xlsx holds them ("92", "2.5"); but a date as
// "2024-01-01" (without its time of day), a time as "08:30:00", a boolean as "TRUE" or "FALSE" and
// an error as its text ("#DIV/0!"), so that none counts as a number; a formula as the result the
// file keeps (a text result of BIFF8 only), which FreeXL leaves out. The error is CannotOpen,
// TooLarge for a file larger than limits.xlsFileBytes, one of CheckXls's, DamagedXls for what
// FreeXL refuses, or a limit that the records passed. Throws std::bad_alloc when memory runs out.
FirstSheet ReadXlsFirstSheet(const std::string& path, const courses::TranscriptLimits& limits);

// The same from the file's bytes, read once: FreeXL reads the very bytes that were checked.
FirstSheet ReadXlsBytes(std::string_view bytes, const courses::TranscriptLimits& limits);

}  // namespace gradova::platform
