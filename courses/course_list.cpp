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

void CourseList::Add(std::string_view name, std::string_view credits, std::string_view score,
                     std::string_view term, std::string_view category, std::string_view points) {
  Offsets course{m_text.size(), 0, 0};
  m_text.append(name).push_back(' ');
  course.credits = m_text.size();
  m_text.append(credits).push_back(' ');
  course.score = m_text.size();
  m_text.append(score).push_back('\n');
  m_courses.push_back(course);
  if (term.empty() && category.empty() && points.empty()) return;
  m_hasPoints = m_hasPoints || !points.empty();
  // The courses before it have none: each points at an empty text.
  const std::size_t empty = m_text.size() - 1;
  m_groups.resize(m_courses.size() - 1, {empty, empty, empty});
  Groups groups{m_text.size(), 0, 0};
  m_text.append(term).push_back('\n');
  groups.category = m_text.size();
  m_text.append(category).push_back('\n');
  groups.points = m_text.size();
  m_text.append(points).push_back('\n');
  m_groups.push_back(groups);
}

void CourseList::Add(const CourseRecord& course) {
  Add(course.name, course.credits, course.score, course.term, course.category, course.points);
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
  if (index < m_groups.size()) {
    const auto line = [text](std::size_t start) {
      return text.substr(start, text.find('\n', start) - start);
    };
    fields.term = line(m_groups[index].term);
    fields.category = line(m_groups[index].category);
    fields.points = line(m_groups[index].points);
  }
  return fields;
}

CourseRecord CourseList::Record(std::size_t index) const {
  const CourseFields fields = (*this)[index];
  return {std::string(fields.name), std::string(fields.credits),  std::string(fields.score),
          std::string(fields.term), std::string(fields.category), std::string(fields.points)};
}

CourseList ListOf(const std::vector<CourseRecord>& records) {
  CourseList list;
  for (const CourseRecord& record : records) list.Add(record);
  return list;
}

}  // namespace gradova::courses
