#pragma once
// The text that carries the course list from the main window to the results window: per course
// the name, the credits, the score, the term, the category and the transcript grade points, each
// followed by the byte 0x0D.
// The course count travels beside it.
#include <string>
#include <string_view>

#include "courses/course_list.h"

namespace gradova::gpa {

using CourseSnapshot = std::string;

// Appends one course to `snapshot`. The format cannot carry 0x0D inside a field, so a 0x0D that a
// field holds (a stray carriage return inside a course file line) is written as a space, which
// keeps every later field in its column.
void AppendCourse(CourseSnapshot& snapshot, std::string_view name, std::string_view credits,
                  std::string_view score, std::string_view term = {},
                  std::string_view category = {}, std::string_view points = {});

// `courseCount` courses of six fields each. Never reads past the end of `snapshot`: fields
// beyond its end are empty.
courses::CourseList ParseCourseSnapshot(std::string_view snapshot, std::size_t courseCount);

}  // namespace gradova::gpa
