#pragma once
// The input of the targets that evaluate: a `rules` file's bytes, the line "--", then course
// lines. Each line with a space gives a course of its fields unchecked, so the evaluation also
// meets texts that the course checks would refuse.
#include <string_view>
#include <vector>

#include "check.h"
#include "courses/course_file.h"
#include "grading/rules_file.h"

namespace gradova::fuzz {

inline constexpr std::string_view kCoursesSeparator = "\n--\n";

struct RulesAndCourses {
  grading::RuleSet ruleSet;
  std::vector<courses::CourseRecord> courses;
};

inline RulesAndCourses ReadRulesAndCourses(std::string_view input) {
  const auto [rulesPart, coursesPart] = SplitAt(input, kCoursesSeparator);
  const ExactBytes rulesBytes(rulesPart);
  const ExactBytes courseText(coursesPart);
  RulesAndCourses read{grading::ParseRulesFile(rulesBytes.View()).ruleSet, {}};
  courses::ForEachTextLine(courseText.View(), [&](std::string_view line) {
    if (const auto fields = courses::SplitCourseFields(line)) {
      read.courses.push_back(
          {std::string(fields->name), std::string(fields->credits), std::string(fields->score)});
    }
    return true;
  });
  return read;
}

}  // namespace gradova::fuzz
