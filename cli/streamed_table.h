#pragma once
// The result table of a course file, straight from the file's lines: the courses are never
// copied, their lines are split again as the rows are written. Every line of `courseText` must
// have passed the course line checks, and `totals` must hold its courses.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/table_output.h"
#include "gpa/evaluation.h"

namespace gradova::cli {

// The title row, then the rows of the result table, as gpa::ResultTable lays them out. The
// arguments must outlive the source.
RowSource StreamedRows(const std::vector<std::string>& gbkTitles, std::string_view courseText,
                       const gpa::CourseTotals& totals);

// Writes exactly what WriteTable(out, OutputFormat::Tsv, StreamedRows(...)) writes, but with each
// course's grade point cells taken from texts made once per integer score. False when writing
// failed.
bool WriteStreamedTsv(std::FILE* out, const std::vector<std::string>& gbkTitles,
                      std::string_view courseText, const gpa::CourseTotals& totals);

}  // namespace gradova::cli
