#include "courses/course_line.h"

#include <cstdint>
#include <cstring>

#include "courses/courses_texts.h"
#include "courses/number_text.h"

namespace gradova::courses {
namespace {

// The position of the last space among the first `end` bytes of `line`, or npos. What follows a
// course's last two spaces is short, so the bytes are searched eight at a time from the end, with
// no branch per byte.
std::size_t LastSpace(std::string_view line, std::size_t end) {
#if defined(__GNUC__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  constexpr std::uint64_t kSpaces = 0x2020202020202020;
  constexpr std::uint64_t kLow = 0x7F7F7F7F7F7F7F7F;
  for (; end >= 8; end -= 8) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + end - 8, 8);
    const std::uint64_t x = word ^ kSpaces;
    // The top bit of every byte of x that is zero, that is of every space; the last in the line
    // is the most significant.
    const std::uint64_t spaces = ~(((x & kLow) + kLow) | x | kLow);
    if (spaces != 0) return end - 8 + (63 - static_cast<std::size_t>(__builtin_clzll(spaces))) / 8;
  }
#endif
  while (end > 0) {
    if (line[--end] == ' ') return end;
  }
  return std::string_view::npos;
}

}  // namespace

std::variant<CourseFields, CourseLineError> SplitCourseLine(std::string_view line) {
  const std::size_t last = LastSpace(line, line.size());
  if (last == std::string_view::npos) return CourseLineError::BadFormat;
  const std::size_t secondLast = LastSpace(line, last);
  CourseFields fields{kUnnamedCourse, {}, line.substr(last + 1)};
  if (secondLast == std::string_view::npos) {
    fields.credits = line.substr(0, last);
  } else {
    if (secondLast > 0) fields.name = line.substr(0, secondLast);
    fields.credits = line.substr(secondLast + 1, last - secondLast - 1);
  }
  if (fields.credits.empty()) return CourseLineError::BadFormat;
  const LeadingNumbers credits = ReadLeadingNumbers(fields.credits);
  if (credits.integer < 1) return CourseLineError::BadData;
  if (fields.score.empty()) return CourseLineError::BadFormat;
  const LeadingNumbers score = ReadLeadingNumbers(fields.score);
  if (score.integer < 0 || score.integer > 100) return CourseLineError::BadData;
  fields.creditsNumber = credits.decimal;
  fields.scoreNumber = score.decimal;
  return fields;
}

std::string FormatCourseLine(const CourseRecord& record) {
  return record.name + ' ' + record.credits + ' ' + record.score;
}

}  // namespace gradova::courses
