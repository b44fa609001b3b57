#include "courses/course_file.h"

namespace gradova::courses {

CourseFileContents ParseCourseFile(std::string_view text) {
  CourseFileContents contents;
  const CourseFileCheck check =
      CollectCourses(text, contents.records, [](const CourseFields& fields) {
        return CourseRecord{std::string(fields.name), std::string(fields.credits),
                            std::string(fields.score)};
      });
  contents.error = check.error;
  contents.errorLine = check.errorLine;
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
