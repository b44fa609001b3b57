#include "courses/course_file.h"

namespace gradova::courses {

std::string FormatCourseFile(const std::vector<CourseRecord>& records) {
  std::string text;
  for (const CourseRecord& record : records) text.append(FormatCourseLine(record)).append("\r\n");
  return text;
}

}  // namespace gradova::courses
