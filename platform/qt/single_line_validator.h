#pragma once
// The entry fields are single-line edits: a pasted or dropped text keeps only its first line, as
// a single-line edit control does. A line feed in a field would reach a course row, and saving
// would then split that course across two lines of the file: the file would no longer load, or
// would load as other courses.
#include <QValidator>

namespace gradova::platform {

class SingleLineValidator : public QValidator {
 public:
  explicit SingleLineValidator(QObject* parent) : QValidator(parent) {}
  // Cuts `input` at its first line feed, with a carriage return right before it.
  State validate(QString& input, int& pos) const override;
};

}  // namespace gradova::platform
