#include "gpa/subset.h"

#include <algorithm>
#include <unordered_map>

#include "courses/term_order.h"
#include "gpa/gpa_texts.h"

namespace gradova::gpa {

courses::CourseList SelectCourses(const courses::CourseList& list, const Subset& subset) {
  const bool byTerm = !subset.fromTerm.empty() || !subset.toTerm.empty();
  if (subset.categories.empty() && !byTerm) return list;
  // Each term's place in time, for a range.
  std::unordered_map<std::string, std::size_t> place;
  std::size_t first = 0, last = 0;
  if (byTerm) {
    const std::vector<std::string> terms = courses::OrderedTerms(list);
    for (std::size_t i = 0; i < terms.size(); ++i) place.emplace(terms[i], i);
    const auto bound = [&place](const std::string& term, std::size_t open) {
      if (term.empty()) return open;
      const auto found = place.find(term);
      return found == place.end() ? std::string::npos : found->second;
    };
    first = bound(subset.fromTerm, 0);
    last = bound(subset.toTerm, terms.size() - 1);
    if (first == std::string::npos || last == std::string::npos || first > last) return {};
  }
  courses::CourseList chosen;
  for (std::size_t i = 0; i < list.Size(); ++i) {
    const courses::CourseFields course = list[i];
    const auto& categories = subset.categories;
    if (!categories.empty() &&
        std::find(categories.begin(), categories.end(), course.category) == categories.end()) {
      continue;
    }
    if (byTerm) {
      const std::size_t at = place.at(std::string(courses::TermOf(course)));
      if (at < first || at > last) continue;
    }
    chosen.Add(list.Record(i));
  }
  return chosen;
}

std::string DescribeSubset(const Subset& subset) {
  std::string text;
  for (const std::string& category : subset.categories) {
    text += text.empty() ? kSubsetPrefix : kSubsetListSeparator;
    text += category.empty() ? courses::kNoCategory : category;
  }
  const std::string& from = subset.fromTerm;
  const std::string& to = subset.toTerm;
  if (from.empty() && to.empty()) return text;
  text += text.empty() ? kSubsetPrefix : kSubsetPartSeparator;
  if (from == to) return text + from;
  if (to.empty()) return text.append(from).append(kTermRangeFrom);
  // " 至 " without its leading space when the range has no start.
  if (from.empty()) return text.append(kTermRangeTo.substr(1)).append(to);
  return text.append(from).append(kTermRangeTo).append(to);
}

}  // namespace gradova::gpa
