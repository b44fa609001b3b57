#include "gpa/result_table.h"

namespace gradova::gpa {

std::string_view ResultTable::Cell(std::size_t row, std::size_t column) const {
  const std::size_t n = courses.Size();
  if (column >= ColumnCount()) return {};
  if (row < n) {
    if (column == 3 + ruleColumns.size()) return courses[row].points;
    if (column >= 3) {
      const RuleColumn& rule = ruleColumns[column - 3];
      return rule.pointTexts[rule.textOfCourse[row]];
    }
    const courses::CourseFields course = courses[row];
    return column == 0 ? course.name : column == 1 ? course.credits : course.score;
  }
  if (row == n + 1) return totalsRow[column];
  if (row == n + 2 && column == 0) return countText;
  return {};
}

void ResultTable::Row(std::size_t row, std::vector<std::string_view>& cells) const {
  cells.resize(ColumnCount());
  if (row >= courses.Size()) {
    for (std::size_t column = 0; column < cells.size(); ++column) cells[column] = Cell(row, column);
    return;
  }
  const courses::CourseFields course = courses[row];
  cells[0] = course.name;
  cells[1] = course.credits;
  cells[2] = course.score;
  for (std::size_t rule = 0; rule < ruleColumns.size(); ++rule) {
    cells[3 + rule] = ruleColumns[rule].pointTexts[ruleColumns[rule].textOfCourse[row]];
  }
  if (transcriptPoints) cells.back() = course.points;
}

}  // namespace gradova::gpa
