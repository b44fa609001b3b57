#include "courses/course_line.h"

#include <optional>

#include "courses/courses_texts.h"
#include "courses/number_text.h"
#include "courses/transcript.h"
#include "courses/transcript_texts.h"

namespace gradova::courses {

std::variant<double, CourseLineError> CreditsValue(std::string_view text) {
  const std::optional<double> value = PlainDecimal(text);
  if (!value) return CourseLineError::CreditsNotNumber;
  if (!(*value > 0.0 && *value <= kMaxCredits)) return CourseLineError::CreditsOutOfRange;
  return *value;
}

std::variant<double, CourseLineError> ScoreValue(std::string_view text) {
  std::optional<double> value = PlainDecimal(text);
  if (!value) {
    const std::optional<std::string> score = ScoreOfGrade(text, DefaultGradeMap());
    if (!score) return CourseLineError::ScoreNotNumber;
    value = PlainDecimal(*score);
  }
  if (!(*value >= 0.0 && *value <= 100.0)) return CourseLineError::ScoreOutOfRange;
  return *value;
}

std::optional<double> TranscriptPointsValue(std::string_view text) {
  const std::optional<double> value = PlainDecimal(text);
  if (value && *value >= 0.0) return value;
  return std::nullopt;
}

bool IsPassGrade(std::string_view score) { return InWordList(score, kPassedGrades); }

double ValueOr0(const std::variant<double, CourseLineError>& value) {
  const double* number = std::get_if<double>(&value);
  return number ? *number : 0.0;
}

std::string_view DescribeValueError(CourseLineError error) {
  switch (error) {
    case CourseLineError::BadFormat:
      return {};
    case CourseLineError::CreditsNotNumber:
      return kCreditsNotNumber;
    case CourseLineError::CreditsOutOfRange:
      return kCreditsOutOfRange;
    case CourseLineError::ScoreNotNumber:
      return kScoreNotNumber;
    case CourseLineError::ScoreOutOfRange:
      return kScoreOutOfRange;
  }
  return {};
}

std::variant<CourseFields, CourseLineError> SplitCourseLine(std::string_view line) {
  const std::size_t last = line.rfind(' ');
  if (last == std::string_view::npos) return CourseLineError::BadFormat;
  const std::size_t secondLast = last == 0 ? std::string_view::npos : line.rfind(' ', last - 1);
  CourseFields fields{kUnnamedCourse, {}, line.substr(last + 1)};
  if (secondLast == std::string_view::npos) {
    fields.credits = line.substr(0, last);
  } else {
    if (secondLast > 0) fields.name = line.substr(0, secondLast);
    fields.credits = line.substr(secondLast + 1, last - secondLast - 1);
  }
  if (fields.credits.empty()) return CourseLineError::BadFormat;
  const auto credits = CreditsValue(fields.credits);
  if (const auto* error = std::get_if<CourseLineError>(&credits)) return *error;
  if (fields.score.empty()) return CourseLineError::BadFormat;
  const auto score = ScoreValue(fields.score);
  if (const auto* error = std::get_if<CourseLineError>(&score)) return *error;
  return fields;
}

std::string FormatCourseLine(const CourseRecord& record) {
  return record.name + ' ' + record.credits + ' ' + record.score;
}

}  // namespace gradova::courses
