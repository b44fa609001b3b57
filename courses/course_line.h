#pragma once
// One line of a course file: "name credits score", separated by the space byte. The last two
// spaces delimit credits and score; everything before them is the name, its own spaces included.
// The values of the credits and score texts are judged here too, the same wherever a course comes
// from: typed, read from a course file or imported from a transcript.
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "courses/course_record.h"

namespace gradova::courses {

// The most credits one course may carry: far above any school's largest course, and low enough
// that the sums of any list a window can show stay finite in single precision.
inline constexpr double kMaxCredits = 1000.0;

// Why a course is refused: its line's layout, or the value of one of its fields. Every error but
// BadFormat is bad data.
enum class CourseLineError {
  BadFormat,          // no space at all, an empty credits text or an empty score text
  CreditsNotNumber,   // the credits are no plain decimal (see PlainDecimal)
  CreditsOutOfRange,  // credits of 0 or less, or above kMaxCredits
  ScoreNotNumber,     // the score is neither a plain decimal nor a five-level grade word
  ScoreOutOfRange,    // a score below 0 or above 100
};

// The value of a credits text: a plain decimal above 0 and at most kMaxCredits.
std::variant<double, CourseLineError> CreditsValue(std::string_view text);
// The value of a score text: a plain decimal from 0 to 100, or a five-level grade word (优, 良好,
// 及格, ...) through DefaultGradeMap, as a transcript's grades count.
std::variant<double, CourseLineError> ScoreValue(std::string_view text);
// The value, or 0 for a text that fails its check.
double ValueOr0(const std::variant<double, CourseLineError>& value);

// Which field is wrong and why, one line for a message (GBK); empty for BadFormat.
std::string_view DescribeValueError(CourseLineError error);

// Whether a score text is a passed pass/fail grade (通过, 合格, P, Pass): such a course has no
// grade points and counts only for the earned credits.
bool IsPassGrade(std::string_view score);

// The fields of a course: the three of a valid line, as views into it (`name` is "未命名课程"
// when the line has none), and the term, category and transcript grade points that a list may add
// (empty in a line).
struct CourseFields {
  std::string_view name;
  std::string_view credits;
  std::string_view score;
  std::string_view term = {};
  std::string_view category = {};
  std::string_view points = {};
};

// The value of a transcript's grade points text: a plain decimal of at least 0; none for an empty
// text or any other, which leaves the course out of that column's average only.
std::optional<double> TranscriptPointsValue(std::string_view text);

// Splits and checks a line without its terminator. The checks run in a fixed order (empty credits,
// the credits' value, empty score, the score's value) and the first that fails decides the error.
std::variant<CourseFields, CourseLineError> SplitCourseLine(std::string_view line);

// "name credits score", without a line end.
std::string FormatCourseLine(const CourseRecord& record);

}  // namespace gradova::courses
