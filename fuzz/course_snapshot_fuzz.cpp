// The course snapshot reader. The first input byte is the course count, the rest the snapshot, in a
// block of exactly its size so that a read past its end stops the run. Every field is the next
// piece between 0x0D bytes, and empty once the snapshot has run out; the rows read, made into a
// snapshot again, read back as the same rows.
#include <string>
#include <vector>

#include "check.h"
#include "gpa/course_snapshot.h"

namespace {

// The snapshot's fields, cut independently of the code under test; a last piece without its 0x0D
// counts as a field.
std::vector<std::string_view> Fields(std::string_view snapshot) {
  std::vector<std::string_view> fields;
  while (!snapshot.empty()) {
    const std::size_t end = snapshot.find('\r');
    fields.push_back(snapshot.substr(0, end));
    if (end == std::string_view::npos) break;
    snapshot.remove_prefix(end + 1);
  }
  return fields;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t courseCount = data[0];
  const gradova::fuzz::ExactBytes snapshot(data + 1, size - 1);
  const std::vector<gradova::courses::CourseRecord> rows =
      gradova::gpa::ParseCourseSnapshot(snapshot.View(), courseCount);
  GRADOVA_FUZZ_CHECK(rows.size() == courseCount, "not one row per course");

  const std::vector<std::string_view> fields = Fields(snapshot.View());
  for (std::size_t i = 0; i < courseCount; ++i) {
    const std::string* cells[] = {&rows[i].name, &rows[i].credits, &rows[i].score};
    for (std::size_t column = 0; column < 3; ++column) {
      const std::size_t field = 3 * i + column;
      const std::string_view expected = field < fields.size() ? fields[field] : std::string_view();
      GRADOVA_FUZZ_CHECK(*cells[column] == expected, "a field is not the snapshot's next piece");
    }
  }

  const gradova::gpa::CourseSnapshot again = gradova::gpa::MakeCourseSnapshot(rows);
  GRADOVA_FUZZ_CHECK(again.size() >= 3 * courseCount, "a snapshot lacks a field end");
  const gradova::fuzz::ExactBytes againCopy(again);
  GRADOVA_FUZZ_CHECK(gradova::gpa::ParseCourseSnapshot(againCopy.View(), courseCount) == rows,
                     "rows made into a snapshot read back differently");

  std::vector<gradova::courses::CourseRecord> courses;
  std::vector<std::string> texts;
  std::string_view rest = snapshot.View();
  while (!rest.empty()) {
    const std::size_t lf = rest.find('\n');
    texts.emplace_back(rest.substr(0, lf));
    rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
  }
  texts.resize((texts.size() + 2) / 3 * 3);
  for (std::size_t i = 0; i < texts.size(); i += 3) {
    courses.push_back({texts[i], texts[i + 1], texts[i + 2]});
  }
  const gradova::gpa::CourseSnapshot made = gradova::gpa::MakeCourseSnapshot(courses);
  const gradova::fuzz::ExactBytes madeCopy(made);
  const std::vector<gradova::courses::CourseRecord> carried =
      gradova::gpa::ParseCourseSnapshot(madeCopy.View(), courses.size());
  for (std::string& text : texts) {
    for (char& c : text) {
      if (c == '\r') c = ' ';
    }
  }
  GRADOVA_FUZZ_CHECK(carried.size() == courses.size(), "a snapshot loses courses");
  for (std::size_t i = 0; i < carried.size(); ++i) {
    GRADOVA_FUZZ_CHECK(carried[i].name == texts[3 * i] && carried[i].credits == texts[3 * i + 1] &&
                           carried[i].score == texts[3 * i + 2],
                       "a course's texts change in a snapshot beyond their 0x0D bytes");
  }
  return 0;
}
