#include "courses/course_file.h"

#include <algorithm>

namespace gradova::courses {

CourseFileContents ParseCourseFile(std::string_view text) {
  CourseFileContents contents;
  // One pass to count lines spares the vector its doublings, which on a large file cost more
  // than the parsing itself.
  contents.records.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
                           1);
  std::size_t lineNumber = 0;
  ForEachTextLine(text, [&](std::string_view line) {
    ++lineNumber;
    auto parsed = ParseCourseLine(line);
    if (auto* record = std::get_if<CourseRecord>(&parsed)) {
      contents.records.push_back(std::move(*record));
      return true;
    }
    contents.error = std::get<CourseLineError>(parsed) == CourseLineError::BadFormat
                         ? CourseFileError::BadFormat
                         : CourseFileError::BadData;
    contents.errorLine = lineNumber;
    contents.records.clear();
    return false;
  });
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
