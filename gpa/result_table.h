#pragma once
// The grid of texts that the results window shows and the report writes, for n courses and R
// rules: n + 3 rows and 3 + R columns, and one more with the transcript's own grade points.
//
//   rows 0 .. n-1   name | credits | score | grade points under each rule ("%.1f") | as read
//   row  n          all empty
//   row  n + 1      "总计/加权平均" | total credits | weighted average score | GPA per rule |
//                   the transcript points averaged over the courses with a value
//   row  n + 2      "共计n门课" | empty ...
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_list.h"
#include "gpa/target_plan.h"

namespace gradova::gpa {

// The grade points column of one rule. Each course's cell is one of at most 33 texts (one per
// band slot and one for a score that finds no band), so the column stores an index per course.
struct RuleColumn {
  std::vector<std::string> pointTexts;
  std::vector<std::uint8_t> textOfCourse;
};

struct ResultTable {
  courses::CourseList courses;          // columns 0 to 2 of rows 0 .. n-1
  std::vector<RuleColumn> ruleColumns;  // columns 3 .. 3 + R - 1 of rows 0 .. n-1
  std::vector<std::string> totalsRow;   // row n + 1, every column
  bool transcriptPoints = false;        // the last column: each course's transcript points
  std::string countText;                // row n + 2, column 0
  TargetBasis basis;                    // the sums behind the totals row
  // The credits of every passed course, pass/fail ones included: a score of at least 60 or a
  // pass, formatted as the total credits are ("%.1f").
  std::string earnedCredits;
  // Whether a totals cell shows other digits than exact sums would: single precision has drifted.
  bool totalsInexact = false;

  std::size_t RowCount() const { return courses.Size() + 3; }
  std::size_t ColumnCount() const { return 3 + ruleColumns.size() + (transcriptPoints ? 1 : 0); }
  // The text of a cell; empty outside the grid.
  std::string_view Cell(std::size_t row, std::size_t column) const;
  // The texts of row `row`, ColumnCount() of them, into `cells`.
  void Row(std::size_t row, std::vector<std::string_view>& cells) const;
};

}  // namespace gradova::gpa
