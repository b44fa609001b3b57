#pragma once
// A course file: GBK text, one course line per line, lines ended by CR LF. Reading splits at LF
// and drops a CR right before it; the last line needs no terminator, and a terminator at the very
// end does not start another line.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_line.h"
#include "courses/course_record.h"
#include "platform/files.h"

namespace gradova::courses {

enum class CourseFileError {
  CannotOpen,  // the file could not be opened or read
  BadFormat,   // a line failed with CourseLineError::BadFormat
  BadData,     // a line failed with CourseLineError::BadData
};

struct CourseFileContents {
  std::vector<CourseRecord> records;  // empty when `error` is set: a bad file loads nothing
  std::optional<CourseFileError> error;
  std::size_t errorLine = 0;  // 1-based number of the first bad line; 0 without one
};

// Calls `onLine` with each line of `text`, terminator removed, in order.
template <typename OnLine>
void ForEachTextLine(std::string_view text, OnLine onLine) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    if (end > start && next != end && text[end - 1] == '\r') --end;
    if (!onLine(text.substr(start, end - start))) return;
    start = next;
  }
}

struct CourseFileCheck {
  std::optional<CourseFileError> error;  // BadFormat or BadData of the first bad line
  std::size_t errorLine = 0;             // its 1-based number; 0 without one
};

// Checks the lines of `text` in order and hands the fields of each good one to `onCourse`,
// stopping at the first bad line.
template <typename OnCourse>
CourseFileCheck ForEachCourse(std::string_view text, OnCourse onCourse) {
  CourseFileCheck check;
  std::size_t lineNumber = 0;
  ForEachTextLine(text, [&](std::string_view line) {
    ++lineNumber;
    const auto fields = SplitCourseLine(line);
    if (const auto* error = std::get_if<CourseLineError>(&fields)) {
      check.error = *error == CourseLineError::BadFormat ? CourseFileError::BadFormat
                                                         : CourseFileError::BadData;
      check.errorLine = lineNumber;
      return false;
    }
    onCourse(std::get<CourseFields>(fields));
    return true;
  });
  return check;
}

// One row per course of `text`, each made by `makeRow` from the course's fields, appended to
// `rows` (reserved for the whole file at once: a file of millions of lines would otherwise pay
// for many doublings). On a bad line `rows` is left empty and its memory freed.
template <typename Row, typename MakeRow>
CourseFileCheck CollectCourses(std::string_view text, std::vector<Row>& rows, MakeRow makeRow) {
  rows.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  const CourseFileCheck check = ForEachCourse(
      text, [&rows, &makeRow](const CourseFields& fields) { rows.push_back(makeRow(fields)); });
  if (check.error) std::vector<Row>().swap(rows);
  return check;
}

// Parses every line until the first bad one.
CourseFileContents ParseCourseFile(std::string_view text);

// The file's bytes: FormatCourseLine of each record, each followed by CR LF.
std::string FormatCourseFile(const std::vector<CourseRecord>& records);

// ParseCourseFile of the file at `path`; CannotOpen when it cannot be read.
CourseFileContents LoadCourseFile(const std::string& path);

// Replaces the file at `path` atomically; on failure the old file stays as it was.
platform::ReplaceStatus SaveCourseFile(const std::string& path,
                                       const std::vector<CourseRecord>& records);

}  // namespace gradova::courses
