// The evaluation over fuzzed rules and courses (see rules_and_courses.h): the table has its shape,
// the course columns are the course texts, every grade point cell is one of its rule's texts for
// a band or for no band, and every number cell is a finite number text ("-" digits "." digits) or
// the text for an undefined value, never "inf" or "nan". The band lookup by table answers as the
// scan over the bands does.
#include <string>
#include <vector>

#include "check.h"
#include "gpa/evaluation.h"
#include "gpa/gpa_texts.h"
#include "rules_and_courses.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "-"? digits "." and exactly `decimals` digits.
bool IsFixedNumber(std::string_view text, std::size_t decimals) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  const std::size_t point = text.find('.');
  if (point == 0 || point == std::string_view::npos) return false;
  if (text.size() - point - 1 != decimals) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i != point && !IsDigit(text[i])) return false;
  }
  return true;
}

bool IsTotal(std::string_view text, std::size_t decimals) {
  return text == gradova::gpa::kUndefinedValue || IsFixedNumber(text, decimals);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const gradova::fuzz::ExactBytes input(data, size);
  const gradova::fuzz::RulesAndCourses read = gradova::fuzz::ReadRulesAndCourses(input.View());
  const auto& rules = read.ruleSet.rules;
  const std::size_t n = read.courses.size();

  std::vector<float> scores;
  for (const auto& course : read.courses) scores.push_back(gradova::gpa::ScoreValue(course.score));
  for (const auto& rule : rules) {
    const gradova::grading::BandIndex index(rule.bands);
    for (const float score : scores) {
      GRADOVA_FUZZ_CHECK(index.Find(score) == gradova::grading::FindBand(rule.bands, score),
                         "the band table and the band scan disagree");
    }
  }

  const gradova::gpa::ResultTable table = gradova::gpa::EvaluateCourses(read.courses, read.ruleSet);
  GRADOVA_FUZZ_CHECK(table.RowCount() == n + 3 && table.ColumnCount() == 3 + rules.size(),
                     "the table is not n + 3 rows by 3 + R columns");
  GRADOVA_FUZZ_CHECK(
      table.ruleColumns.size() == rules.size() && table.totalsRow.size() == 3 + rules.size(),
      "a rule lacks its column or its total");

  for (std::size_t r = 0; r < rules.size(); ++r) {
    const gradova::gpa::RuleColumn& column = table.ruleColumns[r];
    GRADOVA_FUZZ_CHECK(column.pointTexts.size() == gradova::grading::BandCount(rules[r].bands) + 1,
                       "a rule's column lacks a text for a band or for no band");
    GRADOVA_FUZZ_CHECK(column.textOfCourse.size() == n, "a rule's column lacks a course");
    for (const std::string& text : column.pointTexts) {
      GRADOVA_FUZZ_CHECK(IsFixedNumber(text, 1) && text.front() != '-',
                         "a grade point text is not a number of one decimal");
    }
    for (std::size_t k = 0; k < n; ++k) {
      GRADOVA_FUZZ_CHECK(column.textOfCourse[k] < column.pointTexts.size(),
                         "a course's grade points point past its rule's texts");
      const std::size_t slot = gradova::grading::FindBand(rules[r].bands, scores[k]);
      GRADOVA_FUZZ_CHECK(column.textOfCourse[k] == slot,
                         "a course's grade points are not its band's");
    }
  }

  for (std::size_t k = 0; k < n; ++k) {
    GRADOVA_FUZZ_CHECK(table.Cell(k, 0) == read.courses[k].name &&
                           table.Cell(k, 1) == read.courses[k].credits &&
                           table.Cell(k, 2) == read.courses[k].score,
                       "a course row does not show the course's texts");
  }
  for (std::size_t column = 0; column < table.ColumnCount(); ++column) {
    GRADOVA_FUZZ_CHECK(table.Cell(n, column).empty(), "the row after the courses is not empty");
    if (column > 0) {
      GRADOVA_FUZZ_CHECK(table.Cell(n + 2, column).empty(), "the count row has a second cell");
    }
  }
  GRADOVA_FUZZ_CHECK(table.Cell(n + 1, 0) == gradova::gpa::kTotalsLabel, "the totals label");
  GRADOVA_FUZZ_CHECK(IsTotal(table.Cell(n + 1, 1), 1),
                     "total credits are not a number or undefined");
  GRADOVA_FUZZ_CHECK(IsTotal(table.Cell(n + 1, 2), 1),
                     "the average score is not a number or undefined");
  for (std::size_t r = 0; r < rules.size(); ++r) {
    GRADOVA_FUZZ_CHECK(IsTotal(table.Cell(n + 1, 3 + r), 2), "a GPA is not a number or undefined");
  }
  GRADOVA_FUZZ_CHECK(table.Cell(n + 2, 0) == std::string(gradova::gpa::kCountPrefix) +
                                                 std::to_string(n) +
                                                 std::string(gradova::gpa::kCountSuffix),
                     "the count row does not count the courses");
  GRADOVA_FUZZ_CHECK(table.Cell(n + 3, 0).empty() && table.Cell(0, 3 + rules.size()).empty(),
                     "a cell outside the table has a text");
  return 0;
}
