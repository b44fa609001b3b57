#pragma once
// The time order of term labels, as transcripts write them: "2022-2023-1", "2022-2023学年第一学期",
// "2023春", "2021-2022上". A label's key is its year, the first one of a school year such as
// 2022-2023, then its term within that year: the first digit after the year (1, 2, 3), or the first
// of 一/二/三/四 (第一, 第二 ...), 上/下, 春/夏/秋/冬. Within a school year autumn and winter come
// before spring and summer (秋 is the first term, 春 the second, 夏 the third); within a single
// calendar year the seasons run 春, 夏, 秋, 冬. A year without a term word comes first in its year.
// Labels with no year of four digits come after every dated one.
#include <string>
#include <vector>

#include "courses/course_list.h"
#include "courses/courses_texts.h"

namespace gradova::courses {

// `labels` in time order; labels of equal keys, the undated ones among them, keep their order.
std::vector<std::string> OrderTerms(std::vector<std::string> labels);

// The distinct terms of `list` in time order, kNoTerm standing for the courses without one.
std::vector<std::string> OrderedTerms(const CourseList& list);

// The term a course counts in: its own, or kNoTerm.
inline std::string_view TermOf(const CourseFields& course) {
  return course.term.empty() ? kNoTerm : course.term;
}

}  // namespace gradova::courses
