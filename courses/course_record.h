#pragma once
#include <string>

namespace gradova::courses {

// One course; each field is the GBK text as typed or read, numbers included.
struct CourseRecord {
  std::string name;  // "未命名课程" for a course without one, so never empty
  std::string credits;
  std::string score;

  friend bool operator==(const CourseRecord& a, const CourseRecord& b) {
    return a.name == b.name && a.credits == b.credits && a.score == b.score;
  }
};

}  // namespace gradova::courses
