#pragma once
// One line of a course file: "name credits score", separated by the space byte. The last two
// spaces delimit credits and score; everything before them is the name, its own spaces included.
#include <string>
#include <string_view>
#include <variant>

#include "courses/course_record.h"

namespace gradova::courses {

enum class CourseLineError {
  BadFormat,  // no space at all, an empty credits text or an empty score text
  BadData,    // integer part of the credits below 1, or of the score outside 0 to 100
};

// The three fields of a valid line, as views into it; `name` is "未命名课程" when the line has
// none.
struct CourseFields {
  std::string_view name;
  std::string_view credits;
  std::string_view score;
};

// Splits and checks a line without its terminator. The checks run in a fixed order (empty credits,
// credits below 1, empty score, score out of range) and the first that fails decides the error.
std::variant<CourseFields, CourseLineError> SplitCourseLine(std::string_view line);

// "name credits score", without a line end.
std::string FormatCourseLine(const CourseRecord& record);

}  // namespace gradova::courses
