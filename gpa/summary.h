#pragma once
// The table of a transcript summary: the course table's columns, its course rows grouped by term,
// each group under its term's label and closed by the term's own figures, the totals row last.
#include <string>
#include <vector>

#include "gpa/result_table.h"
#include "grading/rule_set.h"

namespace gradova::gpa {

enum class SummaryRowKind {
  Course,       // a course's cells, as the course table has them
  TermHeading,  // one cell: the term's label
  TermTotals,   // "本学期", then the term's credits, average and GPAs (EvaluateTerms)
  Totals,       // the course table's totals row
};

struct SummaryRow {
  SummaryRowKind kind;
  std::vector<std::string> cells;
};

// The rows of `table`, made by EvaluateCourses under `ruleSet`. With `byTerm`, the courses come
// term by term in time order (courses::OrderedTerms), in their list order within a term; without
// it they stay in the list's order and no term rows are made.
std::vector<SummaryRow> MakeSummaryRows(const ResultTable& table, const grading::RuleSet& ruleSet,
                                        bool byTerm);

}  // namespace gradova::gpa
