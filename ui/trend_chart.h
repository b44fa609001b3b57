#pragma once
// The results window's trend chart: a rule's GPA term by term and cumulated, against the target.
#include <optional>
#include <string>
#include <vector>

#include "grading/rule_set.h"
#include "platform/qt/chart_view.h"

namespace gradova::ui {

// From the per-term rows with cumulative rows (gpa::EvaluateTerms), under rule `rule` of
// `ruleSet`, in the rows' order: each term's GPA and the GPA up to it, a term without one left
// without a point; the value axis up to the rule's highest points; `target` drawn across.
platform::ChartData MakeTrendChart(const std::vector<std::vector<std::string>>& cumulativeRows,
                                   const grading::RuleSet& ruleSet, std::size_t rule,
                                   std::optional<double> target);

}  // namespace gradova::ui
