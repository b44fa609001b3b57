#pragma once
// Comma- and tab-separated text as RFC 4180 has it: records end at LF or CR LF, fields are split
// by the separator, and a field that starts with a double quote runs to the matching quote, taking
// separators, line ends and doubled quotes ("") as text. The bytes are taken as they come, so any
// encoding whose multi-byte characters never use the bytes below 0x40 (UTF-8, GBK, GB18030) works.
#include <string_view>

#include "courses/text_records.h"

namespace gradova::courses {

// The records of `text`, each with at least one field, or the first of `limits` they pass
// (textFileBytes and partBytes are the file reader's). Nothing else is rejected: a quote inside an
// unquoted field is text, bytes after a closing quote join the field, and a quote left open runs
// to the end of the text. A line end at the very end does not start another record; an empty text
// has none.
ReadRecords ParseDelimitedText(std::string_view text, char separator,
                               const TranscriptLimits& limits = {});

}  // namespace gradova::courses
