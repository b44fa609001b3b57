#include "courses/course_line.h"

#include "courses/courses_texts.h"
#include "courses/number_text.h"

namespace gradova::courses {

std::variant<CourseRecord, CourseLineError> ParseCourseLine(std::string_view line) {
  const std::size_t last = line.rfind(' ');
  if (last == std::string_view::npos) return CourseLineError::BadFormat;
  const std::size_t secondLast = last == 0 ? std::string_view::npos : line.rfind(' ', last - 1);

  CourseRecord record;
  std::string_view credits;
  if (secondLast == std::string_view::npos) {
    record.name = kUnnamedCourse;
    credits = line.substr(0, last);
  } else {
    const std::string_view name = line.substr(0, secondLast);
    record.name = name.empty() ? std::string(kUnnamedCourse) : std::string(name);
    credits = line.substr(secondLast + 1, last - secondLast - 1);
  }
  if (credits.empty()) return CourseLineError::BadFormat;
  if (LeadingInteger(credits) < 1) return CourseLineError::BadData;

  const std::string_view score = line.substr(last + 1);
  if (score.empty()) return CourseLineError::BadFormat;
  const int scoreValue = LeadingInteger(score);
  if (scoreValue < 0 || scoreValue > 100) return CourseLineError::BadData;

  record.credits = credits;
  record.score = score;
  return record;
}

std::string FormatCourseLine(const CourseRecord& record) {
  std::string line;
  line.reserve(record.name.size() + record.credits.size() + record.score.size() + 2);
  line.append(record.name).append(" ").append(record.credits).append(" ").append(record.score);
  return line;
}

}  // namespace gradova::courses
