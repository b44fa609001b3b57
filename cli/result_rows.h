#pragma once
// The result table of a course file, row by row as its lines are read, so that a file of any size
// is shown without keeping its courses.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/course_source.h"
#include "courses/course_file.h"
#include "gpa/evaluation.h"

namespace gradova::cli {

// A row of the table: GBK cells, valid for the call only. The cells from `pointsFrom` on are grade
// point texts that the program made, printable ASCII, which a writer may copy as they are; rows
// whose `pointsClass` is the same gpa::CourseTotals::ScoreClass, other than kNoScoreClass, have the
// same such cells.
struct RowCells {
  std::vector<std::string_view> cells;
  std::size_t pointsFrom = SIZE_MAX;
  std::size_t pointsClass = gpa::CourseTotals::kNoScoreClass;
};
using OnRow = std::function<void(const RowCells& row)>;

// Sets `row` (3 + the rule count of cells) to a course's row: its three texts, then its grade
// point text under each rule of `totals`; `score` is gpa::ScoreValue of its fields.
void SetCourseCells(RowCells& row, const courses::CourseFields& fields, float score,
                    const gpa::CourseTotals& totals);

// The rows after the courses: an empty one, the totals and the count.
void ForEachClosingRow(const gpa::CourseTotals& totals, const OnRow& onRow);

// Hands `onRow` the rows of the result table of the courses of `source`, as gpa::ResultTable
// lays them out: each course as its line is read, then the closing rows. `totals` must hold the
// file's courses (a first reading gives them). When the file can no longer be read, or has changed
// into a bad one, the rows handed over so far are the good courses before that, no closing rows
// follow, and the outcome tells why.
courses::CourseFileCheck ForEachResultRow(const CourseSource& source,
                                          const gpa::CourseTotals& totals, const OnRow& onRow);

}  // namespace gradova::cli
