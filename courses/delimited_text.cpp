#include "courses/delimited_text.h"

namespace gradova::courses {

ReadRecords ParseDelimitedText(std::string_view text, char separator,
                               const TranscriptLimits& limits) {
  RecordsBuilder records(limits);
  std::size_t row = 0;
  std::size_t column = 0;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == separator) {
      if (!records.Put(row, column++, std::move(field))) break;
      field.clear();
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (c == '\r') ++i;
      if (!records.Put(row++, column, std::move(field))) break;
      field.clear();
      column = 0;
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else {
      field += c;
    }
  }
  if (column > 0 || !field.empty() || quoted) records.Put(row, column, std::move(field));
  return records.Take();
}

}  // namespace gradova::courses
