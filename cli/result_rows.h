#pragma once
// The result table of a course file, row by row as its lines are read, so that a file of any size
// is shown without keeping its courses.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/course_source.h"
#include "courses/course_file.h"
#include "gpa/evaluation.h"

namespace gradova::cli {

using RowCells = std::vector<std::string_view>;  // GBK, valid for the call only
using OnRow = std::function<void(const RowCells& cells)>;

// Sets `cells` (3 + the rule count of them) to a course's row: its three texts, then its grade
// point text under each rule of `totals`; `score` is gpa::ScoreValue of its score text.
void SetCourseCells(RowCells& cells, const courses::CourseFields& fields, float score,
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
