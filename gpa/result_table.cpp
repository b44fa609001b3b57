#include "gpa/result_table.h"

namespace gradova::gpa {

std::string_view ResultTable::Cell(std::size_t row, std::size_t column) const {
  const std::size_t n = courses.Size();
  if (column >= ColumnCount()) return {};
  if (row < n) {
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

}  // namespace gradova::gpa
