#pragma once
// The program's own files on disk, each read and written through one function here: `rules`
// (with its first-run bootstrap) and course files. Their formats are the core's; the report is
// streamed by its callers through ReplaceFileWith.
#include <functional>
#include <string>
#include <vector>

#include "courses/course_file.h"
#include "grading/rules_file.h"
#include "platform/files.h"

namespace gradova::platform {

// ParseRulesFile of the file at `path`; Missing when it cannot be opened or read, or cannot be
// held in memory.
grading::RulesFileContents ReadRulesFile(const std::string& path = grading::kRulesFileName);

// Replaces the file at `path` with the records of `ruleSet`, atomically: on failure the old file
// stays as it was.
ReplaceStatus WriteRulesFile(const grading::RuleSet& ruleSet,
                             const std::string& path = grading::kRulesFileName);

enum class EnsureRulesStatus {
  Existed,       // something is at `path`; it was not touched, whatever it holds (even when it
                 // cannot be read: a user's rules are never overwritten by the built-in ones)
  Created,       // `path` was missing and now holds the built-in rules
  CannotCreate,  // `path` was missing and could not be written; nothing is left behind
};

// The first-run bootstrap: makes sure that a rules file exists at `path`, writing the built-in
// rules when it does not.
EnsureRulesStatus EnsureRulesFile(const std::string& path = grading::kRulesFileName);

// Reads the course file at `path` piece by piece through the one CourseFileReader, handing each
// good course's fields to `onCourse` in order (the views last only for the call) and stopping at
// the first bad line. A UTF-8 file's texts are turned into GBK, a character GBK cannot hold into
// "?"; the check tells the encoding and how many were replaced. CannotOpen when the file cannot be
// read, or when memory runs out while reading it (also in `onCourse`). On any error the courses
// handed over are the caller's to drop. Memory does not grow with the file, only with its longest
// line.
courses::CourseFileCheck ReadCourseFile(
    const std::string& path, const std::function<void(const courses::CourseFields&)>& onCourse);

// Replaces the course file at `path` atomically with `records` in `encoding` (the records are
// GBK); on failure the old file stays as it was.
ReplaceStatus WriteCourseFile(const std::string& path,
                              const std::vector<courses::CourseRecord>& records,
                              courses::TextEncoding encoding = courses::TextEncoding::Gbk);

}  // namespace gradova::platform
