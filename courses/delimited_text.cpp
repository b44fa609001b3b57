#include "courses/delimited_text.h"

namespace gradova::courses {

TextRecords ParseDelimitedText(std::string_view text, char separator) {
  TextRecords records;
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = fields.back();
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
      fields.emplace_back();
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      if (c == '\r') ++i;
      records.push_back(std::move(fields));
      fields.assign(1, std::string());
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else {
      field += c;
    }
  }
  if (fields.size() > 1 || !fields.back().empty() || quoted) records.push_back(std::move(fields));
  return records;
}

}  // namespace gradova::courses
