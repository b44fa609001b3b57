// The results window on a `rules` file's bytes, the line "--", a course count byte and a snapshot:
// its courses read back the same from a snapshot of them (a nameless one as "未命名课程"); each
// gets its band's grade points; a total is a number or "无法计算"; no text adds markup or a line to
// the report page.
#include <algorithm>

#include "check.h"
#include "courses/number_text.h"
#include "gpa/course_snapshot.h"
#include "gpa/evaluation.h"
#include "gpa/gpa_texts.h"
#include "gpa/report.h"
#include "grading/rules_file.h"

using namespace gradova;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = std::min(input.find("\n--\n"), size),
                    count = separator + 4 < size ? data[separator + 4] : 0;
  const ExactBytes rulesBytes(input.substr(0, separator));
  const ExactBytes snapshot(input.substr(std::min(separator + 5, size)));
  const grading::RuleSet ruleSet = grading::ParseRulesFile(rulesBytes.view).ruleSet;
  const courses::CourseList courses = gpa::ParseCourseSnapshot(snapshot.view, count);
  const auto snapshotOf = [](const courses::CourseList& list) {
    gpa::CourseSnapshot taken;
    for (std::size_t k = 0; k < list.Size(); ++k)
      gpa::AppendCourse(taken, list[k].name, list[k].credits, list[k].score);
    return taken;
  };
  const gpa::CourseSnapshot again = snapshotOf(courses);
  GRADOVA_FUZZ_CHECK(courses.Size() == count && snapshotOf(gpa::ParseCourseSnapshot(
                                                    ExactBytes(again).view, count)) == again,
                     "courses put in a snapshot read back differently");
  const gpa::ResultTable table = gpa::EvaluateCourses(courses, ruleSet);
  const std::size_t columns = 3 + ruleSet.rules.size();
  for (std::size_t r = 0; r < ruleSet.rules.size(); ++r) {
    for (std::size_t k = 0; k < count; ++k) {
      GRADOVA_FUZZ_CHECK(
          table.ruleColumns[r].textOfCourse[k] ==
              grading::FindBand(ruleSet.rules[r].bands,
                                static_cast<float>(courses::LeadingDecimal(courses[k].score))),
          "a course's grade points are not its band's");
    }
  }
  for (std::size_t column = 1; column < columns; ++column) {
    const std::string_view total = table.Cell(count + 1, column);
    GRADOVA_FUZZ_CHECK(
        total == gpa::kUndefinedValue || total.find_first_not_of("-.0123456789") == total.npos,
        "a total is neither a number nor undefined");
  }
  std::string page, bare;  // `bare` is the page's frame with an empty titles' row
  gpa::WriteReport(table, gpa::MakeColumnTitles(ruleSet),
                   [&page](auto b) { return page.append(b), true; });
  gpa::ReportWriter({}, [&bare](auto b) { return bare.append(b), true; }).Finish();
  const auto tally = [](const std::string& t, char c) { return std::count(t.begin(), t.end(), c); };
  const long cells = (count + 4) * columns, rows = count + 3;
  GRADOVA_FUZZ_CHECK(tally(page, '<') == tally(bare, '<') + 2 * (cells + rows) &&
                         tally(page, '"') == tally(bare, '"'),
                     "a text adds markup");
  GRADOVA_FUZZ_CHECK(tally(page, '\n') == tally(bare, '\n') + cells + 2 * rows &&
                         tally(page, '\r') == tally(page, '\n'),
                     "a text adds a line");
  return 0;
}
