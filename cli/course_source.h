#pragma once
// Where gradova-cli's courses come from: a course file, read line by line each time it is asked,
// or a transcript (.csv, .tsv, .xlsx), imported once as the import dialog does with its defaults
// and then handed out as the course file of its counted rows would be.
#include <cstdio>
#include <functional>
#include <optional>

#include "cli/options.h"
#include "courses/course_file.h"

namespace gradova::cli {

using OnCourse = std::function<void(const courses::CourseFields&)>;
// Hands every course to `onCourse` in order, as platform::ReadCourseFile does.
using CourseSource = std::function<courses::CourseFileCheck(const OnCourse& onCourse)>;

// The source of options.courseFile. A transcript's rows that are left out or skipped are told
// on `err`, one line each, then a count of every kind; nothing, after a message on `err` naming
// the reason, when the transcript cannot be read.
std::optional<CourseSource> OpenCourseSource(const Options& options, std::FILE* err);

}  // namespace gradova::cli
