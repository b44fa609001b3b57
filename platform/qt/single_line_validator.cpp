#include "platform/qt/single_line_validator.h"

#include <algorithm>

namespace gradova::platform {

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const {
  qsizetype end = input.indexOf(QLatin1Char('\n'));
  if (end < 0) return Acceptable;
  // Only a line feed ends a line of a course file; a carriage return elsewhere is kept as it is
  // in a loaded name.
  if (end > 0 && input[end - 1] == QLatin1Char('\r')) --end;
  input.truncate(end);
  pos = std::min(pos, static_cast<int>(end));
  return Acceptable;
}

}  // namespace gradova::platform
