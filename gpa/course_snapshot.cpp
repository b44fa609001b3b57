#include "gpa/course_snapshot.h"

#include <algorithm>

namespace gradova::gpa {
namespace {

constexpr char kFieldEnd = '\r';

void AppendField(CourseSnapshot& snapshot, std::string_view field) {
  const std::size_t start = snapshot.size();
  snapshot.append(field);
  std::replace(snapshot.begin() + static_cast<std::ptrdiff_t>(start), snapshot.end(), kFieldEnd,
               ' ');
  snapshot.push_back(kFieldEnd);
}

}  // namespace

void AppendCourse(CourseSnapshot& snapshot, std::string_view name, std::string_view credits,
                  std::string_view score, std::string_view term, std::string_view category,
                  std::string_view points) {
  for (const std::string_view field : {name, credits, score, term, category, points}) {
    AppendField(snapshot, field);
  }
}

courses::CourseList ParseCourseSnapshot(std::string_view snapshot, std::size_t courseCount) {
  std::size_t pos = 0;
  auto nextField = [&]() {
    const std::size_t end = std::min(snapshot.find(kFieldEnd, pos), snapshot.size());
    const std::string_view field = snapshot.substr(pos, end - pos);
    pos = std::min(end + 1, snapshot.size());
    return field;
  };
  courses::CourseList list;
  for (std::size_t i = 0; i < courseCount; ++i) {
    const std::string_view name = nextField();
    const std::string_view credits = nextField();
    const std::string_view score = nextField();
    const std::string_view term = nextField();
    const std::string_view category = nextField();
    list.Add(name, credits, score, term, category, nextField());
  }
  return list;
}

}  // namespace gradova::gpa
