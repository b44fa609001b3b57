#pragma once
// A transcript exported from an academic system or a spreadsheet, turned into course records:
// which columns hold the name, the credits and the grade, what each grade counts as, and which
// attempt of a retaken course counts. Every text here is GBK, the records included; the caller
// converts a file's own encoding before (see platform/transcript_file.h).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_line.h"
#include "courses/course_record.h"
#include "courses/delimited_text.h"

namespace gradova::courses {

// A column that is not there: its field is empty in every row.
inline constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

// Where the courses are: the column (0-based) of each field and the first record after the
// header. A record too short for a column has an empty text there. The term is `term` joined to
// `termPart` by "-" when both cells hold text (a year and a semester: "2023-2024-1").
struct TranscriptColumns {
  std::size_t name = 0;
  std::size_t credits = 1;
  std::size_t grade = 2;
  std::size_t firstRecord = 0;
  std::size_t term = kNoColumn;
  std::size_t termPart = kNoColumn;
  std::size_t category = kNoColumn;
  std::size_t points = kNoColumn;  // the transcript's own grade points
};

// The header is the first of the first ten records in which a name, a credits and a grade heading
// (kNameHeadings, kCreditsHeadings, kGradeHeadings; surrounding spaces ignored) all appear; the
// first cell that matches each decides its column. The term (kTermHeadings, or a kYearHeadings
// column with the kSemesterHeadings one as its part), the category (kCategoryHeadings) and the
// grade points (kPointsHeadings) are found in the same record, when it has them. Without a header,
// the first three columns from the first record, as in a course file.
TranscriptColumns FindTranscriptColumns(const TextRecords& records);

// The score a worded grade (优, 良好, ...) counts as, as a course score text.
struct GradeMapEntry {
  std::string grade;
  std::string score;
  friend bool operator==(const GradeMapEntry& a, const GradeMapEntry& b) {
    return a.grade == b.grade && a.score == b.score;
  }
};
using GradeMap = std::vector<GradeMapEntry>;

// "grade=score" entries separated by commas (ASCII or full-width), spaces around each ignored;
// nothing when an entry has no "=", an empty grade, or a score that is not a number from 0 to 100.
// An empty text is an empty map.
std::optional<GradeMap> ParseGradeMap(std::string_view text);
// The text that ParseGradeMap reads back into `map`.
std::string FormatGradeMap(const GradeMap& map);
// 优/优秀 95, 良/良好 85, 中/中等 75, 及格 65, 不及格 0.
GradeMap DefaultGradeMap();
// Whether `text` is one of the "|"-separated words of `list`, Latin letters in either case.
bool InWordList(std::string_view text, std::string_view list);
// The score text a grade counts as: a number as it stands (no sign), a word through `map` (Latin
// letters in either case); none for anything else.
std::optional<std::string> ScoreOfGrade(std::string_view grade, const GradeMap& map);

// Which attempts of a course named more than once count.
enum class RetakePolicy { Highest, Latest, All };

struct TranscriptSettings {
  TranscriptColumns columns;
  GradeMap gradeMap = DefaultGradeMap();
  RetakePolicy retake = RetakePolicy::Highest;
};

enum class RowFate {
  Counted,       // the row is a course of the list
  PassFail,      // a pass/fail grade (kPassedGrades, kFailedGrades): left out of the GPA
  Retake,        // another attempt of the same course counts instead
  UnknownGrade,  // the grade is no number, in the map or pass/fail: skipped
  BadCourse,     // the course line would fail the course file's checks: skipped
};

struct TranscriptRow {
  std::size_t record = 0;  // 1-based number of the record in the file, header included
  // Name (control bytes as spaces, trimmed, kUnnamedCourse when empty), credits as read (trimmed),
  // and the score the grade counts as; for rows that have none, the grade as read. The term, the
  // category and the grade points as the name is read, but empty when they are.
  CourseRecord course;
  RowFate fate = RowFate::Counted;
  CourseLineError error = CourseLineError::BadFormat;  // why, for BadCourse
  std::size_t countedRecord = 0;                       // the attempt that counts, for Retake
};

struct TranscriptImport {
  std::vector<TranscriptRow> rows;    // every record after the header but the empty ones
  std::vector<CourseRecord> courses;  // the Counted rows' courses, in file order
  // The courses of the list, in file order: the Counted rows' and those of PassFail rows with a
  // passed grade (IsPassGrade, kept as read) and valid credits, which count only as earned credits.
  std::vector<CourseRecord> listed;
  std::size_t Count(RowFate fate) const;
};

// Grades that are numbers stand as they are; worded ones go through the map, then the pass/fail
// list. Each counted course's FormatCourseLine passes SplitCourseLine and gives back its fields.
// With RetakePolicy::Highest the first attempt with the highest score counts, with Latest the
// last; courses without a name are never retakes of each other.
TranscriptImport ImportTranscript(const TextRecords& records, const TranscriptSettings& settings);

// What becomes of the row, as the preview and gradova-cli tell it (GBK).
std::string DescribeRow(const TranscriptRow& row);
// The counts: "计入N门课程，不计入M行，略过K行", left out being PassFail and Retake rows and
// skipped UnknownGrade and BadCourse rows (GBK).
std::string DescribeImport(const TranscriptImport& imported);

}  // namespace gradova::courses
