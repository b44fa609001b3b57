#include "gpa/term_table.h"

#include "gpa/evaluation.h"

#include <unordered_map>

#include "courses/term_order.h"
#include "gpa/gpa_texts.h"
#include "gpa/sums.h"

namespace gradova::gpa {
namespace {

// A graded course as the sums take it, and its term's place in time.
struct TermCourse {
  std::size_t term;
  CourseValues values;
  std::vector<float> points;
};

}  // namespace

std::vector<std::string> MakeTermTitles(const grading::RuleSet& ruleSet, bool transcriptPoints) {
  // The course table's titles, but for the term in the name's place and the average in the score's.
  std::vector<std::string> titles = MakeColumnTitles(ruleSet, transcriptPoints);
  titles[0] = kTermTitle;
  titles[2] = kAverageTitle;
  return titles;
}

std::vector<std::vector<std::string>> EvaluateTerms(const courses::CourseList& courses,
                                                    const grading::RuleSet& ruleSet,
                                                    bool cumulative, bool transcriptPoints) {
  const std::vector<std::string> terms = courses::OrderedTerms(courses);
  std::unordered_map<std::string_view, std::size_t> place;
  for (std::size_t i = 0; i < terms.size(); ++i) place.emplace(terms[i], i);
  const RulePoints points(ruleSet);
  std::vector<TermCourse> graded;
  for (std::size_t i = 0; i < courses.Size(); ++i) {
    const courses::CourseFields course = courses[i];
    if (courses::IsPassGrade(course.score)) continue;
    TermCourse& added = graded.emplace_back();
    added.term = place.at(courses::TermOf(course));
    added.values = ValuesOf(course);
    points.Of(added.values.score, added.points);
  }
  // Every sum runs over the courses in the list's order, as the totals row's does: the row over
  // terms up to the last is the totals row itself.
  const auto sumUpTo = [&](std::size_t first, std::size_t last) {
    Sums<float> sums(points.RuleCount(), transcriptPoints);
    for (const TermCourse& course : graded) {
      if (course.term >= first && course.term <= last) {
        sums.Add(course.values, course.points);
      }
    }
    return sums;
  };
  std::vector<std::vector<std::string>> rows;
  for (std::size_t t = 0; t < terms.size(); ++t) {
    rows.push_back(sumUpTo(t, t).Row(terms[t]));
    if (cumulative) rows.push_back(sumUpTo(0, t).Row(std::string(kCumulativeToPrefix) + terms[t]));
  }
  rows.push_back(sumUpTo(0, terms.size()).Row(std::string(kCumulativeLabel)));
  return rows;
}

}  // namespace gradova::gpa
