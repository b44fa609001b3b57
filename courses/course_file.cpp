#include "courses/course_file.h"

#include <variant>

namespace gradova::courses {

TextEncoding CourseFileEncoding(std::string_view bytes) {
  const std::size_t ascii = AsciiPrefixLength(bytes);
  const std::string_view sample = bytes.substr(ascii, kEncodingSampleBytes);
  const TextEncoding encoding = DetectTextEncoding(sample);
  if (encoding != TextEncoding::Utf8WithBom || ascii == 0) return encoding;
  return DetectTextEncoding(sample.substr(kUtf8Bom.size())) == TextEncoding::Gbk
             ? TextEncoding::Gbk
             : TextEncoding::Utf8;
}

CourseList ReadCourseText(std::string gbk, CourseFileCheck& check) {
  CourseList list(std::move(gbk));
  std::string_view rest = list.Text();
  for (std::size_t lineNumber = 1; !rest.empty(); ++lineNumber) {
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    const auto fields = SplitCourseLine(rest.substr(0, end));
    if (const auto* error = std::get_if<CourseLineError>(&fields)) {
      check.error = *error == CourseLineError::BadFormat ? CourseFileError::BadFormat
                                                         : CourseFileError::BadData;
      check.errorLine = lineNumber;
      return {};
    }
    list.AddLine(std::get<CourseFields>(fields));
    const bool crLf = rest.substr(end, 2) == "\r\n";
    rest.remove_prefix(std::min(end + (crLf ? 2 : 1), rest.size()));
  }
  return list;
}

std::string FormatCourseFile(const std::vector<CourseRecord>& records) {
  std::string text;
  for (const CourseRecord& record : records) text.append(FormatCourseLine(record)).append("\r\n");
  return text;
}

}  // namespace gradova::courses
