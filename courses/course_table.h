#pragma once
// The program's own course table: a list saved with every field, terms, categories and passed
// pass/fail courses included, as comma-separated text that spreadsheet programs open. It reads
// back through the transcript import, which knows its header and takes every field as written.
#include <string>
#include <vector>

#include "courses/course_record.h"
#include "courses/text_records.h"
#include "courses/transcript.h"

namespace gradova::courses {

// The GBK text: the header kCourseTableHeader, then one record per course (name, credits, score,
// term, category), each ended by CR LF; a field holding a comma, a quote or a line end is quoted.
// When a course has transcript grade points, every record ends in them, under the heading 绩点.
std::string FormatCourseTable(const std::vector<CourseRecord>& records);

// Whether the first record is the course table's header, cell for cell, with or without 绩点.
bool IsCourseTable(const TextRecords& records);

// The settings that import a course table as it was saved: its columns, every attempt of a course,
// and the grade words a score may be (those of DefaultGradeMap) kept as words.
TranscriptSettings CourseTableSettings();

}  // namespace gradova::courses
