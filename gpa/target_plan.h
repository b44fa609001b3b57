#pragma once
// What the credits still to be taken need for the GPA to reach a target, under every rule.
//
// The remaining credits are taken as one more course with every remaining course's score, summed
// as the evaluation sums a course: the grade points stored in single precision, the sums rounded
// at every store. A target counts as reached when the GPA shows, to two decimals as the totals
// row shows it, at least the target to two decimals: a target of 3.5 is reached by a GPA of
// 3.4999999 that the window shows as 3.50.
#include <cstddef>
#include <string>
#include <vector>

#include "courses/course_line.h"
#include "courses/text_records.h"

namespace gradova::gpa {

// The highest score a course can get; every remaining course's score lies in 0 to this.
constexpr int kHighestScore = 100;

// The most remaining credits a plan takes: all that the largest transcript the program reads can
// hold, every course with the most credits a course may carry.
inline constexpr double kMaxRemainingCredits =
    static_cast<double>(courses::TranscriptLimits{}.rows) * courses::kMaxCredits;

// Whether a plan can be made: a target above 0 and at most kHighestScore, remaining credits from
// 0 to kMaxRemainingCredits. Beyond them the plan's sums would overflow or lose all precision.
bool IsPlannable(double target, double remainingCredits);

// The sums of an evaluation that a plan starts from.
struct TargetBasis {
  struct Rule {
    float weightedPoints = 0.0f;  // the sum of credits times grade points
    // The grade points, single precision, of each integer score from 0 to kHighestScore. A band's
    // lower bound is an integer, so no score between two integers gets points that neither has.
    std::vector<float> pointsOfScore;
  };
  float totalCredits = 0.0f;
  std::vector<Rule> rules;
};

enum class TargetOutcome {
  Reached,      // the target holds whatever score the remaining courses get
  NeedsScore,   // `lowestScore` and above reach it
  Unreachable,  // not even 100 in every remaining course reaches it
};

struct TargetPlanRow {
  std::string currentGpa;    // as the totals row shows it: "%.2f", or kUndefinedValue
  std::string neededPoints;  // the average grade points the remaining credits need, "%.2f";
                             // "0.00" when any will do, kUndefinedValue with nothing remaining
  TargetOutcome outcome = TargetOutcome::Unreachable;
  int lowestScore = 0;    // the lowest integer score that reaches the target, for NeedsScore
  std::string scoreText;  // the lowest score, "已达到" or "无法达到"
};

// One row per rule of `basis`, in rule order. `remainingCredits` of 0 or less plans nothing: the
// target is reached or unreachable with the courses as they are.
std::vector<TargetPlanRow> PlanTarget(const TargetBasis& basis, double target,
                                      double remainingCredits);

}  // namespace gradova::gpa
