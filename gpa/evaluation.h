#pragma once
// The credit-weighted evaluation of a course list under a rule set.
//
// Numbers are the values courses::CreditsValue and courses::ScoreValue give the texts (a worded
// score through the default grade map); the total credits, the weighted score sum and each rule's
// weighted points sum are single precision, rounded at every store, and each
// grade point value is the band's tenths times the single precision 0.1. A score that finds no
// band gets 0.0. A totals cell that would divide by zero total credits or is not finite shows
// kUndefinedValue instead of a number.
#include <string>
#include <vector>

#include "courses/course_list.h"
#include "gpa/result_table.h"
#include "grading/rule_set.h"

namespace gradova::gpa {

// The column titles of the table: "课程名称", "学分", "成绩", then each rule's name, and with
// `transcriptPoints` "成绩单绩点".
std::vector<std::string> MakeColumnTitles(const grading::RuleSet& ruleSet,
                                          bool transcriptPoints = false);

// A totals cell: FormatFixed of sum / total to `decimals`, or kUndefinedValue for zero total
// credits or a quotient that is not finite.
std::string FormatQuotient(double sum, double total, int decimals);

// The table of `courses` under every rule of `ruleSet`: every course's grade points, the totals
// row, the count and the sums behind them, and the earned credits. A passed pass/fail course
// (courses::IsPassGrade) has no grade points: it counts only for the earned credits, and is no row
// of the table. With `transcriptPoints` (courses::CourseList::HasPoints of the whole list, so that
// a chosen part keeps the column) the table ends in the transcript's own grade points: each
// course's as read, and in the totals row their average over the courses whose text is a value
// (courses::TranscriptPointsValue), weighted by credits in single precision like the others.
ResultTable EvaluateCourses(courses::CourseList courses, const grading::RuleSet& ruleSet,
                            bool transcriptPoints = false);

}  // namespace gradova::gpa
