#include "courses/course_file.h"

#include <algorithm>
#include <variant>

#include "courses/courses_texts.h"

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
  // Room for a course per LF at once: a list of a million courses is not grown and copied.
  list.Reserve(static_cast<std::size_t>(std::count(rest.begin(), rest.end(), '\n')) + 1);
  for (std::size_t lineNumber = 1; !rest.empty(); ++lineNumber) {
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n') ++end;
    const auto fields = SplitCourseLine(rest.substr(0, end));
    if (const auto* error = std::get_if<CourseLineError>(&fields)) {
      check.error = *error == CourseLineError::BadFormat ? CourseFileError::BadFormat
                                                         : CourseFileError::BadData;
      check.errorLine = lineNumber;
      check.lineError = *error;
      return {};
    }
    list.AddLine(std::get<CourseFields>(fields));
    const bool crLf = rest.substr(end, 2) == "\r\n";
    rest.remove_prefix(std::min(end + (crLf ? 2 : 1), rest.size()));
  }
  return list;
}

std::string DescribeBadLine(const CourseFileCheck& check) {
  const std::string_view why = check.lineError == CourseLineError::BadFormat
                                   ? kLineLayout
                                   : DescribeValueError(check.lineError);
  return std::string(kLinePrefix) + std::to_string(check.errorLine) + std::string(kLineSuffix) +
         std::string(why);
}

std::string FormatCourseFile(const std::vector<CourseRecord>& records) {
  std::string text;
  for (const CourseRecord& record : records) text.append(FormatCourseLine(record)).append("\r\n");
  return text;
}

}  // namespace gradova::courses
