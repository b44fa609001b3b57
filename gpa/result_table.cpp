#include "gpa/result_table.h"

namespace gradova::gpa {

std::string_view ResultTable::Cell(std::size_t row, std::size_t column) const {
  const std::size_t n = courses.size();
  if (column >= ColumnCount()) return {};
  if (row < n) {
    switch (column) {
      case 0:
        return courses[row].name;
      case 1:
        return courses[row].credits;
      case 2:
        return courses[row].score;
      default: {
        const RuleColumn& rule = ruleColumns[column - 3];
        return rule.pointTexts[rule.textOfCourse[row]];
      }
    }
  }
  if (row == n + 1) return totalsRow[column];
  if (row == n + 2 && column == 0) return countText;
  return {};
}

}  // namespace gradova::gpa
