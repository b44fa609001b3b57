#pragma once
// The program's own files on disk, each read and written through one function here: `rules`
// (with its first-run bootstrap) and course files. Their formats are the core's; the report is
// streamed by its callers through ReplaceFileWith.
#include <string>
#include <vector>

#include "courses/course_file.h"
#include "courses/course_table.h"
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

// The courses of the course file at `path`, read whole once and checked by
// courses::ReadCourseText; `check` tells the outcome. A UTF-8 file's texts are turned into GBK, a
// character GBK cannot hold into "?", in the file's own buffer: the reading costs the file's size
// and the list's offsets. CannotOpen when the file cannot be read or memory runs out. On any error
// the list is empty.
courses::CourseList ReadCourseFile(const std::string& path, courses::CourseFileCheck& check);

// Replaces the course file at `path` atomically with `records` in `encoding` (the records are
// GBK); on failure the old file stays as it was.
ReplaceStatus WriteCourseFile(const std::string& path,
                              const std::vector<courses::CourseRecord>& records,
                              courses::TextEncoding encoding = courses::TextEncoding::Gbk);

// Replaces the file at `path` atomically with the course table of `records` (GBK) in UTF-8 with
// a byte-order mark, which spreadsheet programs need to read it as UTF-8; on failure the old file
// stays as it was. It reads back through ReadTranscriptFile.
ReplaceStatus WriteCourseTable(const std::string& path,
                               const std::vector<courses::CourseRecord>& records);

}  // namespace gradova::platform
