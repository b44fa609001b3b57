#include "courses/course_line.h"

#include "courses/courses_texts.h"
#include "courses/number_text.h"

namespace gradova::courses {

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
  if (LeadingInteger(fields.credits) < 1) return CourseLineError::BadData;
  if (fields.score.empty()) return CourseLineError::BadFormat;
  const int score = LeadingInteger(fields.score);
  if (score < 0 || score > 100) return CourseLineError::BadData;
  return fields;
}

std::string FormatCourseLine(const CourseRecord& record) {
  return record.name + ' ' + record.credits + ' ' + record.score;
}

}  // namespace gradova::courses
