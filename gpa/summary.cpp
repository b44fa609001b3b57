#include "gpa/summary.h"

#include <unordered_map>

#include "courses/term_order.h"
#include "gpa/gpa_texts.h"
#include "gpa/term_table.h"

namespace gradova::gpa {
namespace {

std::vector<std::string> CourseCells(const ResultTable& table, std::size_t row) {
  std::vector<std::string_view> views;
  table.Row(row, views);
  return std::vector<std::string>(views.begin(), views.end());
}

}  // namespace

std::vector<SummaryRow> MakeSummaryRows(const ResultTable& table, const grading::RuleSet& ruleSet,
                                        bool byTerm) {
  const courses::CourseList& courses = table.courses;
  std::vector<SummaryRow> rows;
  if (!byTerm) {
    for (std::size_t i = 0; i < courses.Size(); ++i)
      rows.push_back({SummaryRowKind::Course, CourseCells(table, i)});
  } else {
    std::vector<std::vector<std::string>> terms =
        EvaluateTerms(courses, ruleSet, false, table.transcriptPoints);
    terms.pop_back();  // the row over every term, which the totals row gives
    std::unordered_map<std::string_view, std::vector<std::size_t>> coursesOf;
    for (std::size_t i = 0; i < courses.Size(); ++i)
      coursesOf[courses::TermOf(courses[i])].push_back(i);
    for (std::vector<std::string>& term : terms) {
      rows.push_back({SummaryRowKind::TermHeading, {term.front()}});
      const auto found = coursesOf.find(term.front());
      if (found != coursesOf.end()) {
        for (const std::size_t i : found->second)
          rows.push_back({SummaryRowKind::Course, CourseCells(table, i)});
      }
      term.front() = kTermTotalsLabel;
      rows.push_back({SummaryRowKind::TermTotals, std::move(term)});
    }
  }
  rows.push_back({SummaryRowKind::Totals, table.totalsRow});
  return rows;
}

}  // namespace gradova::gpa
