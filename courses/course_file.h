#pragma once
// A course file: GBK text, one course line per line, lines ended by CR LF. A line ends at LF and a
// CR right before that LF is dropped; the last line needs no terminator, and a terminator at the
// very end does not start another line.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "courses/course_line.h"
#include "courses/course_record.h"

namespace gradova::courses {

enum class CourseFileError {
  CannotOpen,  // the file could not be opened or read
  BadFormat,   // a line failed with CourseLineError::BadFormat
  BadData,     // a line failed with CourseLineError::BadData
};

struct CourseFileCheck {
  std::optional<CourseFileError> error;  // the first failure; none for a good file
  std::size_t errorLine = 0;             // 1-based number of the first bad line; 0 without one
};

// The one reader of course files. It takes the file's bytes in pieces of any size, checks each
// line as it completes and hands the fields of every good line to `onCourse`, in order. After a
// bad line it takes nothing more: the courses handed over before it are the caller's to drop,
// since a bad file loads nothing.
class CourseFileReader {
 public:
  // The lines that end in `piece`; false once a bad line was met.
  template <typename OnCourse>
  bool Feed(std::string_view piece, OnCourse&& onCourse) {
    while (!m_check.error && !piece.empty()) {
      const std::size_t end = piece.find('\n');
      if (end == std::string_view::npos) {
        m_partial.append(piece);
        break;
      }
      std::string_view line = piece.substr(0, end);
      if (!m_partial.empty()) line = m_partial.append(line);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      TakeLine(line, onCourse);
      m_partial.clear();
      piece.remove_prefix(end + 1);
    }
    return !m_check.error;
  }

  // The last line when the file does not end with a terminator; the outcome of the whole file.
  template <typename OnCourse>
  CourseFileCheck Finish(OnCourse&& onCourse) {
    if (!m_check.error && !m_partial.empty()) TakeLine(m_partial, onCourse);
    m_partial.clear();
    return m_check;
  }

 private:
  template <typename OnCourse>
  void TakeLine(std::string_view line, OnCourse& onCourse) {
    ++m_lineNumber;
    const auto fields = SplitCourseLine(line);
    if (const auto* error = std::get_if<CourseLineError>(&fields)) {
      m_check.error = *error == CourseLineError::BadFormat ? CourseFileError::BadFormat
                                                           : CourseFileError::BadData;
      m_check.errorLine = m_lineNumber;
      return;
    }
    onCourse(std::get<CourseFields>(fields));
  }

  std::string m_partial;  // the start of a line whose end is in a later piece
  std::size_t m_lineNumber = 0;
  CourseFileCheck m_check;
};

// The file's bytes: FormatCourseLine of each record, each followed by CR LF.
std::string FormatCourseFile(const std::vector<CourseRecord>& records);

}  // namespace gradova::courses
