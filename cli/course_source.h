#pragma once
// Where gradova-cli's courses come from: a course file, read once by the one course-file reader,
// or a transcript (.csv, .tsv, .xlsx, .xls), imported as the import dialog does with its defaults.
#include <cstdio>
#include <optional>

#include "cli/options.h"
#include "courses/course_list.h"

namespace gradova::cli {

// The courses of options.courseFile; nothing, after a message on `err` naming the file and the
// reason, when it cannot be read, holds a bad line or no course. A transcript's rows that are left
// out or skipped are told on `err`, one line each, then a count of every kind; a UTF-8 course
// file's characters that GBK cannot hold are counted there.
std::optional<courses::CourseList> ReadCourses(const Options& options, std::FILE* err);

}  // namespace gradova::cli
