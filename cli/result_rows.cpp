#include "cli/result_rows.h"

#include <algorithm>

namespace gradova::cli {

void SetCourseCells(RowCells& cells, const courses::CourseFields& fields, float score,
                    const gpa::CourseTotals& totals) {
  cells[0] = fields.name;
  cells[1] = fields.credits;
  cells[2] = fields.score;
  for (std::size_t rule = 0; rule < totals.RuleCount(); ++rule) {
    cells[3 + rule] = totals.PointTexts(rule)[totals.SlotOf(rule, score)];
  }
}

void ForEachClosingRow(const gpa::CourseTotals& totals, const OnRow& onRow) {
  const std::vector<std::string> totalsRow = totals.TotalsRow();
  const std::string countText = totals.CountText();
  RowCells cells(totalsRow.size());
  onRow(cells);
  std::copy(totalsRow.begin(), totalsRow.end(), cells.begin());
  onRow(cells);
  std::fill(cells.begin(), cells.end(), std::string_view());
  cells[0] = countText;
  onRow(cells);
}

courses::CourseFileCheck ForEachResultRow(const CourseSource& source,
                                          const gpa::CourseTotals& totals, const OnRow& onRow) {
  RowCells cells(3 + totals.RuleCount());
  const courses::CourseFileCheck check = source([&](const courses::CourseFields& fields) {
    SetCourseCells(cells, fields, gpa::ScoreValue(fields.score), totals);
    onRow(cells);
  });
  if (!check.error) ForEachClosingRow(totals, onRow);
  return check;
}

}  // namespace gradova::cli
