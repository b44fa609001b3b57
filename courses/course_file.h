#pragma once
// A course file: GBK text, one course line per line, lines ended by CR LF. A line ends at LF, at
// CR LF or at a CR not followed by LF (an old Mac editor's line end); the last line needs no
// terminator, and a terminator at the very end does not start another line. A file that a Linux
// editor wrote in UTF-8 is read as well: its caller turns it into GBK before (see
// CourseFileEncoding).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_line.h"
#include "courses/course_list.h"
#include "courses/course_record.h"
#include "courses/text_encoding.h"

namespace gradova::courses {

enum class CourseFileError {
  CannotOpen,  // the file could not be opened or read, or memory ran out
  BadFormat,   // a line failed with CourseLineError::BadFormat
  BadData,     // a line failed with any other CourseLineError
};

struct CourseFileCheck {
  std::optional<CourseFileError> error;  // the first failure; none for a good file
  std::size_t errorLine = 0;             // 1-based number of the first bad line; 0 without one
  CourseLineError lineError = CourseLineError::BadFormat;  // why the line failed
  TextEncoding encoding = TextEncoding::Gbk;
  std::size_t replacedCharacters = 0;  // characters of a UTF-8 file that GBK cannot hold
};

// The encoding of a course file's `bytes`, judged by DetectTextEncoding on the
// kEncodingSampleBytes from its first byte beyond ASCII: the lines before that byte read the same
// in either encoding. A byte-order mark counts only at the very start of the file; elsewhere the
// text after it decides.
inline constexpr std::size_t kEncodingSampleBytes = 64 * 1024;
TextEncoding CourseFileEncoding(std::string_view bytes);

// The one reader of course files: checks the lines of `gbk`, a whole file in GBK (without a
// byte-order mark), and returns the list of its courses, which keeps the text. The first bad line
// stops the reading; the list is then empty and `check` tells why.
CourseList ReadCourseText(std::string gbk, CourseFileCheck& check);

// Where and why the reading stopped, the second line of the message (GBK): "第3行：" and what
// the line lacks.
std::string DescribeBadLine(const CourseFileCheck& check);

// The file's bytes: FormatCourseLine of each record, each followed by CR LF.
std::string FormatCourseFile(const std::vector<CourseRecord>& records);

}  // namespace gradova::courses
