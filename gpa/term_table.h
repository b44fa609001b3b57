#pragma once
// The evaluation per term: one row per term in time order (courses::OrderedTerms), each made as
// the totals row is, from the same single precision sums, then a row over every term.
#include <string>
#include <vector>

#include "courses/course_list.h"
#include "grading/rule_set.h"

namespace gradova::gpa {

// "学期", "学分", "加权平均分", then each rule's name, and with `transcriptPoints` "成绩单绩点".
std::vector<std::string> MakeTermTitles(const grading::RuleSet& ruleSet,
                                        bool transcriptPoints = false);

// Per term: its label, credits, weighted average score and GPA under each rule, formatted as the
// totals row is. With `cumulative`, each term's row is followed by "累计至<term>": the same over
// that term and every earlier one. The last row, "累计", holds the totals row's figures. Passed
// pass/fail courses count in no sum; a term of nothing else shows kUndefinedValue. With
// `transcriptPoints` each row ends in the average of the transcript's points, as in the totals row.
std::vector<std::vector<std::string>> EvaluateTerms(const courses::CourseList& courses,
                                                    const grading::RuleSet& ruleSet,
                                                    bool cumulative, bool transcriptPoints = false);

}  // namespace gradova::gpa
