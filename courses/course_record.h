#pragma once
#include <string>

namespace gradova::courses {

// One course; each field is the GBK text as typed or read, numbers included. The term and the
// category are optional (empty for a course entered without them) and hold no line break; so are
// the grade points a transcript gave the course, kept as read beside the rules' own.
struct CourseRecord {
  std::string name;  // "未命名课程" for a course without one, so never empty
  std::string credits;
  std::string score;  // a score, a five-level grade word, or a passed pass/fail grade (IsPassGrade)
  std::string term = {};
  std::string category = {};
  std::string points = {};

  friend bool operator==(const CourseRecord& a, const CourseRecord& b) {
    return a.name == b.name && a.credits == b.credits && a.score == b.score && a.term == b.term &&
           a.category == b.category && a.points == b.points;
  }
};

}  // namespace gradova::courses
