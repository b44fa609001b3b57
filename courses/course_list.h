#pragma once
// A list of courses kept as one GBK text and where each course's fields lie in it: a course costs
// its texts and three offsets, not three strings, and a course file's own text becomes the list
// without a copy. Terms, categories and transcript grade points cost three offsets more per
// course, and only once a course of the list has one.
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_line.h"
#include "courses/course_record.h"

namespace gradova::courses {

class CourseList {
 public:
  CourseList() = default;
  // A list that keeps `text`, whose course lines AddLine then adds.
  explicit CourseList(std::string text) : m_text(std::move(text)) {}

  const std::string& Text() const { return m_text; }
  // Adds the course of `fields`, views into Text() (or kUnnamedCourse for the name) of a line that
  // ends at CR, LF or the end of the text.
  void AddLine(const CourseFields& fields);
  // Adds a course with texts of its own, appended to Text(); `score`, `term`, `category` and
  // `points` hold no CR or LF.
  void Add(std::string_view name, std::string_view credits, std::string_view score,
           std::string_view term = {}, std::string_view category = {},
           std::string_view points = {});
  void Add(const CourseRecord& course);
  // Whether a course has a term or a category.
  bool HasGroups() const { return !m_groups.empty(); }
  // Whether a course has transcript grade points (a text, a number or not).
  bool HasPoints() const { return m_hasPoints; }

  std::size_t Size() const { return m_courses.size(); }
  void Reserve(std::size_t courses) { m_courses.reserve(courses); }
  // The fields of course `index`, views into Text(); the name is kUnnamedCourse when it is empty.
  CourseFields operator[](std::size_t index) const;
  CourseRecord Record(std::size_t index) const;

 private:
  // Offsets into m_text. The name runs up to the byte before the credits, and is empty when it
  // starts where they do; the score runs up to the next CR or LF.
  struct Offsets {
    std::size_t name;
    std::size_t credits;
    std::size_t score;
  };
  // Where a course's term, category and transcript grade points start; each runs up to the next LF.
  struct Groups {
    std::size_t term;
    std::size_t category;
    std::size_t points;
  };
  std::string m_text;
  std::vector<Offsets> m_courses;
  std::vector<Groups> m_groups;  // empty, or one per course up to the last with any
  bool m_hasPoints = false;
};

// The list of `records`, in order.
CourseList ListOf(const std::vector<CourseRecord>& records);

}  // namespace gradova::courses
