#pragma once
// The credit-weighted evaluation of a course list under a rule set.
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_record.h"
#include "gpa/result_table.h"
#include "grading/rule_set.h"

namespace gradova::gpa {

// Fills the result table. Numbers are read from the texts as `atof` reads decimals; the total
// credits, the weighted score sum and each rule's weighted points sum are single precision,
// rounded at every store, and each grade point value is the band's tenths times the single
// precision 0.1. A score that finds no band gets 0.0. A totals cell that would divide by zero
// total credits or is not finite shows kUndefinedValue instead of a number.
// The column titles of the table: "课程名称", "学分", "成绩", then each rule's name.
std::vector<std::string> MakeColumnTitles(const grading::RuleSet& ruleSet);

// The numbers of the courses, read from their texts, in course order.
struct CourseNumbers {
  std::vector<double> credits;
  std::vector<float> scores;  // rounded to single precision, as they are compared and summed
  void Add(std::string_view creditsText, std::string_view scoreText);
};

// Everything in the table but the course texts themselves.
struct Evaluation {
  std::vector<RuleColumn> ruleColumns;
  std::vector<std::string> totalsRow;
  std::string countText;
};

Evaluation EvaluateNumbers(const CourseNumbers& numbers, const grading::RuleSet& ruleSet);

ResultTable EvaluateCourses(std::vector<courses::CourseRecord> courses,
                            const grading::RuleSet& ruleSet);

}  // namespace gradova::gpa
