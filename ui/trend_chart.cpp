#include "ui/trend_chart.h"

#include <algorithm>

#include "courses/number_text.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {
namespace {

// The rows' first cells before the rule columns: term, credits, average.
constexpr std::size_t kFirstRuleCell = 3;

}  // namespace

platform::ChartData MakeTrendChart(const std::vector<std::vector<std::string>>& cumulativeRows,
                                   const grading::RuleSet& ruleSet, std::size_t rule,
                                   std::optional<double> target) {
  platform::ChartData chart;
  chart.lines = {{std::string(kChartTermLine), {}}, {std::string(kChartCumulativeLine), {}}};
  // Each term's row is followed by its cumulative row; the last row sums every term again.
  for (std::size_t row = 0; row + 1 < cumulativeRows.size(); row += 2) {
    chart.stepsGbk.push_back(cumulativeRows[row].at(0));
    for (std::size_t line = 0; line < 2; ++line) {
      const std::string& cell = cumulativeRows[row + line].at(kFirstRuleCell + rule);
      chart.lines[line].values.push_back(courses::ParseDecimal(cell));
    }
  }
  if (rule < ruleSet.rules.size()) {
    const grading::BandTable& bands = ruleSet.rules[rule].bands;
    int highest = 0;
    for (std::size_t band = 0; band < grading::BandCount(bands); ++band)
      highest = std::max<int>(highest, bands[band].points);
    chart.top = highest > 0 ? highest / 10.0 : 1.0;
  }
  if (target) chart.level = platform::ChartLine{std::string(kChartTargetLine), {*target}};
  return chart;
}

}  // namespace gradova::ui
