#pragma once
// The result table of a course file, row by row as its lines are read again, so that a file of
// any size is shown without keeping its courses.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_file.h"
#include "gpa/evaluation.h"

namespace gradova::cli {

using RowCells = std::vector<std::string_view>;  // GBK, valid for the call only

// Hands `onRow` the rows of the result table of the course file at `path`, as gpa::ResultTable
// lays them out after the column titles `titles`: each course with its grade points as its line
// is read, then an empty row, the totals and the count. `totals` must hold the file's courses
// (a first reading gives them). When the file can no longer be read, or has changed into a bad
// one, the rows handed over so far are the good courses before that, no closing rows follow, and
// the outcome tells why.
courses::CourseFileCheck ForEachResultRow(const std::string& path,
                                          const std::vector<std::string>& titles,
                                          const gpa::CourseTotals& totals,
                                          const std::function<void(const RowCells& cells)>& onRow);

}  // namespace gradova::cli
