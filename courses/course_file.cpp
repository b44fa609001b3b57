#include "courses/course_file.h"

#include <algorithm>

namespace gradova::courses {

CourseFileContents ParseCourseFile(std::string_view text) {
  CourseFileContents contents;
  // One pass to count lines spares the vector its doublings, which on a large file cost more
  // than the parsing itself.
  contents.records.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
                           1);
  const CourseFileCheck check = ForEachCourse(text, [&](const CourseFields& fields) {
    contents.records.push_back(CourseRecord{std::string(fields.name), std::string(fields.credits),
                                            std::string(fields.score)});
  });
  if (check.error) {
    contents.error = check.error;
    contents.errorLine = check.errorLine;
    contents.records.clear();
  }
  return contents;
}

std::string FormatCourseFile(const std::vector<CourseRecord>& records) {
  std::string text;
  for (const CourseRecord& record : records) text.append(FormatCourseLine(record)).append("\r\n");
  return text;
}

CourseFileContents LoadCourseFile(const std::string& path) {
  const std::optional<std::string> text = platform::ReadWholeFile(path);
  if (!text) return CourseFileContents{{}, CourseFileError::CannotOpen, 0};
  return ParseCourseFile(*text);
}

platform::ReplaceStatus SaveCourseFile(const std::string& path,
                                       const std::vector<CourseRecord>& records) {
  return platform::ReplaceFile(path, FormatCourseFile(records));
}

}  // namespace gradova::courses
