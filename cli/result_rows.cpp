#include "cli/result_rows.h"

#include <algorithm>

namespace gradova::cli {

void SetCourseCells(RowCells& row, const courses::CourseFields& fields, float score,
                    const gpa::CourseTotals& totals) {
  std::vector<std::string_view>& cells = row.cells;
  row.pointsFrom = 3;
  row.pointsClass = totals.ScoreClass(score);
  cells[0] = fields.name;
  cells[1] = fields.credits;
  cells[2] = fields.score;
  totals.PointCells(score, cells.data() + 3);
}

void ForEachClosingRow(const gpa::CourseTotals& totals, const OnRow& onRow) {
  const std::vector<std::string> totalsRow = totals.TotalsRow();
  const std::string countText = totals.CountText();
  RowCells row{std::vector<std::string_view>(totalsRow.size())};
  onRow(row);
  std::copy(totalsRow.begin(), totalsRow.end(), row.cells.begin());
  onRow(row);
  std::fill(row.cells.begin(), row.cells.end(), std::string_view());
  row.cells[0] = countText;
  onRow(row);
}

courses::CourseFileCheck ForEachResultRow(const CourseSource& source,
                                          const gpa::CourseTotals& totals, const OnRow& onRow) {
  RowCells row{std::vector<std::string_view>(3 + totals.RuleCount())};
  const courses::CourseFileCheck check = source([&](const courses::CourseFields& fields) {
    SetCourseCells(row, fields, gpa::ScoreValue(fields), totals);
    onRow(row);
  });
  if (!check.error) ForEachClosingRow(totals, onRow);
  return check;
}

}  // namespace gradova::cli
