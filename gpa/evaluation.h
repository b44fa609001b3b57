#pragma once
// The credit-weighted evaluation of a course list under a rule set.
//
// Numbers are read from the texts as `atof` reads decimals; the total credits, the weighted score
// sum and each rule's weighted points sum are single precision, rounded at every store, and each
// grade point value is the band's tenths times the single precision 0.1. A score that finds no
// band gets 0.0. A totals cell that would divide by zero total credits or is not finite shows
// kUndefinedValue instead of a number.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "courses/course_line.h"
#include "courses/course_record.h"
#include "gpa/result_table.h"
#include "gpa/target_plan.h"
#include "grading/rule_set.h"

namespace gradova::gpa {

// The column titles of the table: "课程名称", "学分", "成绩", then each rule's name.
std::vector<std::string> MakeColumnTitles(const grading::RuleSet& ruleSet);

// A totals cell: "%.<decimals>f" of sum / total (the quotient in double precision), or
// kUndefinedValue for zero total credits or a quotient that is not finite.
std::string FormatQuotient(float sum, float total, int decimals);

// The values of a course's texts as the evaluation sums and compares them; the same from the
// numbers of a course line that were read while it was checked.
double CreditsValue(std::string_view creditsText);
float ScoreValue(std::string_view scoreText);
inline double CreditsValue(const courses::CourseFields& fields) { return fields.creditsNumber; }
inline float ScoreValue(const courses::CourseFields& fields) {
  return static_cast<float>(fields.scoreNumber);
}

// The running sums of the evaluation, fed one course at a time in course order, for a caller
// that streams the courses instead of keeping them. Gives the same texts as EvaluateCourses.
class CourseTotals {
 public:
  explicit CourseTotals(const grading::RuleSet& ruleSet);
  // Not copied: the texts by class would still view the original's.
  CourseTotals(const CourseTotals&) = delete;
  CourseTotals& operator=(const CourseTotals&) = delete;

  // One course, by the values of its texts.
  void Add(double credits, float score);

  std::size_t CourseCount() const { return m_courseCount; }
  std::size_t RuleCount() const { return m_rules.size(); }
  // The grade point texts of rule `rule`, one per band slot and a last one for a score that finds
  // no band, and the slot of `score` among them.
  const std::vector<std::string>& PointTexts(std::size_t rule) const { return m_rules[rule].texts; }
  std::size_t SlotOf(std::size_t rule, float score) const {
    const std::size_t scoreClass = ScoreClass(score);
    return scoreClass < kNoScoreClass ? m_classSlots[scoreClass * m_rules.size() + rule]
                                      : m_rules[rule].index.Find(score);
  }
  // The grade point text of `score` under each rule, in rule order, at `out`.
  void PointCells(float score, std::string_view* out) const;
  // Scores of one class have the same slot under every rule. The slot of a score from 0 up to 255
  // depends only on its integer part, so such a score's class is that of its integer part, and
  // integer parts whose slots agree share one; every other score is of kNoScoreClass, which
  // stands for no class.
  static constexpr std::size_t kNoScoreClass = 256;
  std::size_t ScoreClass(float score) const {
    return score >= 0.0f && score < 256.0f ? m_classOfInteger[static_cast<std::size_t>(score)]
                                           : kNoScoreClass;
  }

  // Row n + 1 of the table: "总计/加权平均", the total credits, the weighted average score and
  // each rule's GPA.
  std::vector<std::string> TotalsRow() const;
  // Row n + 2's first cell: "共计n门课".
  std::string CountText() const;
  // The sums so far, for planning a target.
  TargetBasis Basis() const;

 private:
  struct RuleSums {
    grading::BandIndex index;
    std::vector<std::string> texts;
    std::vector<float> points;  // per slot, as texts
  };
  std::vector<RuleSums> m_rules;
  std::vector<float> m_weightedPoints;  // per rule
  std::array<std::uint8_t, 256> m_classOfInteger{};
  // By score class, rule after rule: the slot, its grade points and its text (a view into
  // m_rules), so that a course's class finds them all in one place.
  std::vector<std::uint8_t> m_classSlots;
  std::vector<float> m_classPoints;
  std::vector<std::string_view> m_classTexts;
  float m_totalCredits = 0.0f;
  float m_weightedScore = 0.0f;
  std::size_t m_courseCount = 0;
};

ResultTable EvaluateCourses(std::vector<courses::CourseRecord> courses,
                            const grading::RuleSet& ruleSet);

}  // namespace gradova::gpa
