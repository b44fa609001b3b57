#include "courses/course_list.h"

#include "courses/courses_texts.h"

namespace gradova::courses {

void CourseList::AddLine(const CourseFields& fields) {
  const auto offset = [this](std::string_view field) {
    return static_cast<std::size_t>(field.data() - m_text.data());
  };
  const std::size_t credits = offset(fields.credits);
  const bool named = fields.name.data() != kUnnamedCourse.data();
  m_courses.push_back({named ? offset(fields.name) : credits, credits, offset(fields.score)});
}

void CourseList::Add(std::string_view name, std::string_view credits, std::string_view score) {
  Offsets course{m_text.size(), 0, 0};
  m_text.append(name).push_back(' ');
  course.credits = m_text.size();
  m_text.append(credits).push_back(' ');
  course.score = m_text.size();
  m_text.append(score).push_back('\n');
  m_courses.push_back(course);
}

CourseFields CourseList::operator[](std::size_t index) const {
  const Offsets& course = m_courses[index];
  const std::string_view text = m_text;
  std::size_t scoreEnd = course.score;
  while (scoreEnd < text.size() && text[scoreEnd] != '\r' && text[scoreEnd] != '\n') ++scoreEnd;
  CourseFields fields{kUnnamedCourse,
                      text.substr(course.credits, course.score - 1 - course.credits),
                      text.substr(course.score, scoreEnd - course.score)};
  if (course.credits > course.name + 1) {
    fields.name = text.substr(course.name, course.credits - 1 - course.name);
  }
  return fields;
}

CourseList ListOf(const std::vector<CourseRecord>& records) {
  CourseList list;
  for (const CourseRecord& record : records) list.Add(record.name, record.credits, record.score);
  return list;
}

}  // namespace gradova::courses
