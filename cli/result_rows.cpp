#include "cli/result_rows.h"

#include <algorithm>

#include "platform/program_files.h"

namespace gradova::cli {

courses::CourseFileCheck ForEachResultRow(const std::string& path,
                                          const std::vector<std::string>& titles,
                                          const gpa::CourseTotals& totals,
                                          const std::function<void(const RowCells& cells)>& onRow) {
  RowCells cells(titles.begin(), titles.end());
  onRow(cells);
  const courses::CourseFileCheck check =
      platform::ReadCourseFile(path, [&](const courses::CourseFields& fields) {
        const float score = gpa::ScoreValue(fields.score);
        cells[0] = fields.name;
        cells[1] = fields.credits;
        cells[2] = fields.score;
        for (std::size_t rule = 0; rule < totals.RuleCount(); ++rule) {
          cells[3 + rule] = totals.PointTexts(rule)[totals.SlotOf(rule, score)];
        }
        onRow(cells);
      });
  if (check.error) return check;

  const std::vector<std::string> totalsRow = totals.TotalsRow();
  const std::string countText = totals.CountText();
  std::fill(cells.begin(), cells.end(), std::string_view());
  onRow(cells);
  std::copy(totalsRow.begin(), totalsRow.end(), cells.begin());
  onRow(cells);
  std::fill(cells.begin(), cells.end(), std::string_view());
  cells[0] = countText;
  onRow(cells);
  return check;
}

}  // namespace gradova::cli
