#include "gpa/target_plan.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "courses/number_text.h"
#include "gpa/evaluation.h"
#include "gpa/gpa_texts.h"

namespace gradova::gpa {
namespace {

using courses::FormatFixed;

// The GPA in hundredths as "%.2f" shows it; none when it cannot be shown as a number.
std::optional<long long> ShownHundredths(double gpa) {
  if (!std::isfinite(gpa)) return std::nullopt;
  return std::llround(courses::LeadingDecimal(FormatFixed(gpa, 2)) * 100.0);
}

std::optional<double> Gpa(float weightedPoints, float totalCredits) {
  if (totalCredits == 0.0f) return std::nullopt;
  return static_cast<double>(weightedPoints) / static_cast<double>(totalCredits);
}

class Planner {
 public:
  Planner(const TargetBasis& basis, double target, double remaining)
      : m_basis(basis),
        m_target(std::llround(target * 100.0)),
        m_remaining(remaining),
        m_totalAfter(static_cast<float>(remaining + basis.totalCredits)) {}

  TargetPlanRow Plan(const TargetBasis::Rule& rule) const {
    TargetPlanRow row;
    const std::optional<double> current = Gpa(rule.weightedPoints, m_basis.totalCredits);
    row.currentGpa = FormatQuotient(rule.weightedPoints, m_basis.totalCredits, 2);
    if (m_remaining <= 0.0) {
      row.neededPoints = std::string(kUndefinedValue);
      row.outcome = Reaches(current) ? TargetOutcome::Reached : TargetOutcome::Unreachable;
    } else {
      const double needed =
          (static_cast<double>(m_target) / 100.0 * (m_remaining + m_basis.totalCredits) -
           rule.weightedPoints) /
          m_remaining;
      row.neededPoints = FormatFixed(std::max(needed, 0.0), 2);
      row.outcome = Outcome(rule, row.lowestScore);
    }
    switch (row.outcome) {
      case TargetOutcome::Reached:
        row.scoreText = std::string(kTargetReached);
        break;
      case TargetOutcome::NeedsScore:
        row.scoreText = std::to_string(row.lowestScore);
        break;
      case TargetOutcome::Unreachable:
        row.scoreText = std::string(kTargetUnreachable);
        break;
    }
    return row;
  }

 private:
  bool Reaches(std::optional<double> gpa) const {
    const std::optional<long long> shown = gpa ? ShownHundredths(*gpa) : std::nullopt;
    return shown && *shown >= m_target;
  }

  bool ReachesWith(const TargetBasis::Rule& rule, float points) const {
    const auto weighted = static_cast<float>(m_remaining * points + rule.weightedPoints);
    return Reaches(Gpa(weighted, m_totalAfter));
  }

  TargetOutcome Outcome(const TargetBasis::Rule& rule, int& lowestScore) const {
    int reaching = 0;
    for (int score = kHighestScore; score >= 0; --score) {
      if (!ReachesWith(rule, rule.pointsOfScore[static_cast<std::size_t>(score)])) continue;
      lowestScore = score;
      ++reaching;
    }
    if (reaching == kHighestScore + 1) return TargetOutcome::Reached;
    return reaching > 0 ? TargetOutcome::NeedsScore : TargetOutcome::Unreachable;
  }

  const TargetBasis& m_basis;
  long long m_target;  // in hundredths
  double m_remaining;
  float m_totalAfter;
};

}  // namespace

bool IsPlannable(double target, double remainingCredits) {
  return target > 0.0 && target <= kHighestScore && remainingCredits >= 0.0 &&
         remainingCredits <= kMaxRemainingCredits;
}

std::vector<TargetPlanRow> PlanTarget(const TargetBasis& basis, double target,
                                      double remainingCredits) {
  const Planner planner(basis, target, remainingCredits);
  std::vector<TargetPlanRow> rows;
  for (const TargetBasis::Rule& rule : basis.rules) rows.push_back(planner.Plan(rule));
  return rows;
}

}  // namespace gradova::gpa
