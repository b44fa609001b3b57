#include "courses/transcript.h"

#include <algorithm>
#include <map>

#include "courses/courses_texts.h"
#include "courses/number_text.h"
#include "courses/transcript_texts.h"

namespace gradova::courses {
namespace {

constexpr std::size_t kHeaderSearchRecords = 10;
constexpr std::string_view kFullWidthComma = "\xA3\xAC";  // "，" in GBK

std::string_view Trim(std::string_view text) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Where the first comma of `text`, ASCII or full-width, starts and its length; the text's end and
// 0 without one. GBK is walked character by character, so that the full-width comma's bytes are
// never taken from the middle of two others.
std::pair<std::size_t, std::size_t> NextSeparator(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ',') return {i, 1};
    if (static_cast<unsigned char>(text[i]) < 0x81) continue;
    if (text.substr(i, kFullWidthComma.size()) == kFullWidthComma) return {i, 2};
    ++i;
  }
  return {text.size(), 0};
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal with Latin letters in either case. The second byte of a GBK character may be a letter's
// byte, so each two-byte character is compared as it is.
bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (static_cast<unsigned char>(a[i]) >= 0x81) {
      if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
      ++i;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

std::string_view Cell(const std::vector<std::string>& record, std::size_t column) {
  return column < record.size() ? Trim(record[column]) : std::string_view();
}

// A cell as one line: control bytes as spaces, trimmed.
std::string OneLine(std::string_view cell) {
  std::string line(cell);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return std::string(Trim(line));
}

std::string CourseName(std::string_view cell) {
  std::string name = OneLine(cell);
  return name.empty() ? std::string(kUnnamedCourse) : name;
}

std::string Term(const std::vector<std::string>& record, const TranscriptColumns& columns) {
  std::string term = OneLine(Cell(record, columns.term));
  const std::string part = OneLine(Cell(record, columns.termPart));
  if (!term.empty() && !part.empty()) term += '-';
  return term + part;
}

bool IsListedPass(const TranscriptRow& row) {
  return row.fate == RowFate::PassFail && IsPassGrade(row.course.score) &&
         std::holds_alternative<double>(CreditsValue(row.course.credits));
}

// The fate of a row apart from retakes; the course's score is set for Counted rows.
RowFate Judge(TranscriptRow& row, std::string_view grade, const GradeMap& map) {
  row.course.score = std::string(grade);
  const std::optional<std::string> score = ScoreOfGrade(grade, map);
  if (!score) {
    const bool passFail = IsPassGrade(grade) || InWordList(grade, kFailedGrades);
    return passFail ? RowFate::PassFail : RowFate::UnknownGrade;
  }
  row.course.score = *score;
  const std::string line = FormatCourseLine(row.course);
  // A quoted cell may hold a line break, which would end the line in a course file.
  if (line.find_first_of("\r\n") != std::string::npos) return RowFate::BadCourse;
  const auto fields = SplitCourseLine(line);
  if (const auto* error = std::get_if<CourseLineError>(&fields)) {
    row.error = *error;
    return RowFate::BadCourse;
  }
  const CourseFields& back = std::get<CourseFields>(fields);
  if (back.name != row.course.name || back.credits != row.course.credits ||
      back.score != row.course.score) {
    return RowFate::BadCourse;
  }
  return RowFate::Counted;
}

void SettleRetakes(std::vector<TranscriptRow>& rows, RetakePolicy policy) {
  if (policy == RetakePolicy::All) return;
  std::map<std::string, std::size_t> counting;  // name -> index of the attempt that counts
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const CourseRecord& course = rows[i].course;
    if (rows[i].fate != RowFate::Counted || course.name == kUnnamedCourse) continue;
    const auto [it, first] = counting.emplace(course.name, i);
    if (first) continue;
    std::size_t& kept = it->second;
    const bool replaces = policy == RetakePolicy::Latest ||
                          LeadingDecimal(course.score) > LeadingDecimal(rows[kept].course.score);
    rows[replaces ? kept : i].fate = RowFate::Retake;
    if (replaces) kept = i;
  }
  for (TranscriptRow& row : rows) {
    if (row.fate == RowFate::Retake) row.countedRecord = rows[counting[row.course.name]].record;
  }
}

}  // namespace

TranscriptColumns FindTranscriptColumns(const TextRecords& records) {
  const std::size_t searched = std::min(records.size(), kHeaderSearchRecords);
  for (std::size_t r = 0; r < searched; ++r) {
    const auto find = [&](std::string_view headings) {
      for (std::size_t c = 0; c < records[r].size(); ++c) {
        if (InWordList(Trim(records[r][c]), headings)) return c;
      }
      return records[r].size();
    };
    const std::size_t width = records[r].size();
    const auto found = [width](std::size_t column) { return column < width ? column : kNoColumn; };
    TranscriptColumns columns{find(kNameHeadings),
                              find(kCreditsHeadings),
                              find(kGradeHeadings),
                              r + 1,
                              found(find(kTermHeadings)),
                              kNoColumn,
                              found(find(kCategoryHeadings)),
                              found(find(kPointsHeadings))};
    const std::size_t year = found(find(kYearHeadings));
    if (year != kNoColumn && (columns.term == kNoColumn ||
                              InWordList(Trim(records[r][columns.term]), kSemesterHeadings))) {
      columns.termPart = columns.term;
      columns.term = year;
    }
    if (columns.name < width && columns.credits < width && columns.grade < width) return columns;
  }
  return {};
}

std::optional<GradeMap> ParseGradeMap(std::string_view text) {
  GradeMap map;
  while (!Trim(text).empty()) {
    const auto [end, separator] = NextSeparator(text);
    const std::string_view entry = text.substr(0, end);
    text.remove_prefix(std::min(text.size(), end + separator));
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view grade = Trim(entry.substr(0, equals));
    const std::string_view score = Trim(entry.substr(equals + 1));
    const std::optional<double> value = ParseDecimal(score);
    if (grade.empty() || !value || *value > 100.0) return std::nullopt;
    map.push_back({std::string(grade), std::string(score)});
  }
  return map;
}

std::string FormatGradeMap(const GradeMap& map) {
  std::string text;
  for (const GradeMapEntry& entry : map) {
    if (!text.empty()) text += ',';
    text += entry.grade + '=' + entry.score;
  }
  return text;
}

GradeMap DefaultGradeMap() { return *ParseGradeMap(kDefaultGradeMap); }

bool InWordList(std::string_view text, std::string_view list) {
  while (true) {
    const std::size_t bar = list.find('|');
    if (SameWord(text, list.substr(0, bar))) return true;
    if (bar == std::string_view::npos) return false;
    list.remove_prefix(bar + 1);
  }
}

std::optional<std::string> ScoreOfGrade(std::string_view grade, const GradeMap& map) {
  if (ParseDecimal(grade)) return std::string(grade);
  for (const GradeMapEntry& entry : map) {
    if (SameWord(grade, entry.grade)) return entry.score;
  }
  return std::nullopt;
}

std::size_t TranscriptImport::Count(RowFate fate) const {
  return static_cast<std::size_t>(std::count_if(
      rows.begin(), rows.end(), [fate](const TranscriptRow& row) { return row.fate == fate; }));
}

TranscriptImport ImportTranscript(const TextRecords& records, const TranscriptSettings& settings) {
  TranscriptImport result;
  const TranscriptColumns& columns = settings.columns;
  for (std::size_t r = columns.firstRecord; r < records.size(); ++r) {
    const std::vector<std::string>& record = records[r];
    if (std::all_of(record.begin(), record.end(),
                    [](const std::string& cell) { return Trim(cell).empty(); })) {
      continue;
    }
    TranscriptRow row;
    row.record = r + 1;
    row.course.name = CourseName(Cell(record, columns.name));
    row.course.credits = std::string(Cell(record, columns.credits));
    row.course.term = Term(record, columns);
    row.course.category = OneLine(Cell(record, columns.category));
    row.course.points = OneLine(Cell(record, columns.points));
    row.fate = Judge(row, Cell(record, columns.grade), settings.gradeMap);
    result.rows.push_back(std::move(row));
  }
  SettleRetakes(result.rows, settings.retake);
  for (const TranscriptRow& row : result.rows) {
    if (row.fate == RowFate::Counted) result.courses.push_back(row.course);
    if (row.fate == RowFate::Counted || IsListedPass(row)) result.listed.push_back(row.course);
  }
  return result;
}

std::string DescribeRow(const TranscriptRow& row) {
  switch (row.fate) {
    case RowFate::Counted:
      return std::string(kRowCounted) + ' ' + row.course.score;
    case RowFate::PassFail:  // a passed one stays in the list, for the earned credits
      return std::string(IsListedPass(row) ? kRowPassListed : kRowPassFail);
    case RowFate::Retake:
      return std::string(kRowRetakeBefore) + std::to_string(row.countedRecord) +
             std::string(kRowRetakeAfter);
    case RowFate::UnknownGrade:
      return std::string(kRowUnknownGrade);
    case RowFate::BadCourse:
      if (row.error == CourseLineError::BadFormat) return std::string(kRowBadFormat);
      return std::string(kRowSkipped) + std::string(DescribeValueError(row.error));
  }
  return {};
}

std::string DescribeImport(const TranscriptImport& imported) {
  const std::size_t leftOut = imported.Count(RowFate::PassFail) + imported.Count(RowFate::Retake);
  const std::size_t skipped =
      imported.Count(RowFate::UnknownGrade) + imported.Count(RowFate::BadCourse);
  return std::string(kImportCounted) + std::to_string(imported.courses.size()) +
         std::string(kImportLeftOut) + std::to_string(leftOut) + std::string(kImportSkipped) +
         std::to_string(skipped) + std::string(kImportRows);
}

}  // namespace gradova::courses
