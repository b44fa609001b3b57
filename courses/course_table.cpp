#include "courses/course_table.h"

#include <algorithm>

#include "courses/transcript_texts.h"

namespace gradova::courses {
namespace {

void AppendField(std::string& text, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    text += field;
    return;
  }
  text += '"';
  for (char c : field) text.append(c == '"' ? 2 : 1, c);
  text += '"';
}

}  // namespace

std::string FormatCourseTable(const std::vector<CourseRecord>& records) {
  const bool points = std::any_of(records.begin(), records.end(), [](const CourseRecord& record) {
    return !record.points.empty();
  });
  std::string text(kCourseTableHeader);
  if (points) text += kCourseTablePointsHeading;
  text += "\r\n";
  for (const CourseRecord& record : records) {
    for (const std::string* field :
         {&record.name, &record.credits, &record.score, &record.term, &record.category}) {
      if (field != &record.name) text += ',';
      AppendField(text, *field);
    }
    if (points) AppendField(text += ',', record.points);
    text += "\r\n";
  }
  return text;
}

bool IsCourseTable(const TextRecords& records) {
  if (records.empty() || records.front().empty()) return false;
  std::string header;
  for (const std::string& cell : records.front()) header += cell + ',';
  header.pop_back();
  return header == kCourseTableHeader ||
         header == std::string(kCourseTableHeader) + std::string(kCourseTablePointsHeading);
}

TranscriptSettings CourseTableSettings() {
  TranscriptSettings settings{
      {0, 1, 2, 1, 3, kNoColumn, 4, 5}, DefaultGradeMap(), RetakePolicy::All};
  for (GradeMapEntry& entry : settings.gradeMap) entry.score = entry.grade;
  return settings;
}

}  // namespace gradova::courses
