#pragma once
// Which courses of a record count: some categories, a range of terms, or both.
#include <string>
#include <vector>

#include "courses/course_list.h"

namespace gradova::gpa {

struct Subset {
  std::vector<std::string> categories;  // GBK; empty: every category. "" names the courses without
  std::string fromTerm, toTerm;         // GBK, as courses::OrderedTerms names them; empty: open
};

// The courses of `list` that `subset` chooses, in their order. Terms are compared in the
// courses::OrderedTerms order of the whole list; a bound that is no term of the list chooses
// nothing, and so does a range whose start comes after its end. An empty subset gives `list`.
courses::CourseList SelectCourses(const courses::CourseList& list, const Subset& subset);

// What `subset` counts, for a report: "仅统计：必修、选修；2022-2023-1 至 2023-2024-2", with parts
// only for what is chosen (the empty category as courses::kNoCategory); empty for every course.
std::string DescribeSubset(const Subset& subset);

}  // namespace gradova::gpa
