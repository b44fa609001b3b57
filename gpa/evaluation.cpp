#include "gpa/evaluation.h"

#include <cmath>

#include "courses/number_text.h"
#include "gpa/gpa_texts.h"

namespace gradova::gpa {
namespace {

using courses::FormatFixed;

constexpr float kTenth = 0.1f;

std::string FormatTotal(double value, int decimals) {
  return std::isfinite(value) ? FormatFixed(value, decimals) : std::string(kUndefinedValue);
}

// A rule's grade points per band slot, single precision, and a last slot of 0 for a score that
// finds no band.
std::vector<float> SlotPoints(const grading::BandTable& bands) {
  std::vector<float> points;
  for (std::size_t slot = 0; slot < grading::BandCount(bands); ++slot) {
    points.push_back(
        static_cast<float>(static_cast<double>(bands[slot].points) * static_cast<double>(kTenth)));
  }
  points.push_back(0.0f);
  return points;
}

// The sums behind the totals row, in the precision `Number`: the program's own in float, rounded
// at every store, and the same in double to tell when float no longer keeps the printed digits.
template <typename Number>
struct Sums {
  explicit Sums(std::size_t rules) : weightedPoints(rules) {}
  // A course of `courseCredits` with `score` and, under each rule, `points`.
  void Add(double courseCredits, float score, const std::vector<float>& points) {
    credits = static_cast<Number>(courseCredits + credits);
    weightedScore = static_cast<Number>(courseCredits * score + weightedScore);
    for (std::size_t r = 0; r < points.size(); ++r) {
      weightedPoints[r] = static_cast<Number>(courseCredits * points[r] + weightedPoints[r]);
    }
  }
  std::vector<std::string> TotalsRow() const;

  Number credits = 0;
  Number weightedScore = 0;
  std::vector<Number> weightedPoints;
};

}  // namespace

std::string FormatQuotient(double sum, double total, int decimals) {
  if (total == 0.0) return std::string(kUndefinedValue);
  return FormatTotal(sum / total, decimals);
}

template <typename Number>
std::vector<std::string> Sums<Number>::TotalsRow() const {
  std::vector<std::string> row{std::string(kTotalsLabel), FormatTotal(credits, 1),
                               FormatQuotient(weightedScore, credits, 1)};
  for (const Number points : weightedPoints) row.push_back(FormatQuotient(points, credits, 2));
  return row;
}

std::vector<std::string> MakeColumnTitles(const grading::RuleSet& ruleSet) {
  std::vector<std::string> titles{std::string(kCourseNameTitle), std::string(kCreditsTitle),
                                  std::string(kScoreTitle)};
  for (const grading::Rule& rule : ruleSet.rules) titles.push_back(rule.name);
  return titles;
}

ResultTable EvaluateCourses(courses::CourseList courses, const grading::RuleSet& ruleSet) {
  ResultTable table;
  std::vector<std::vector<float>> points;
  for (const grading::Rule& rule : ruleSet.rules) {
    points.push_back(SlotPoints(rule.bands));
    RuleColumn& column = table.ruleColumns.emplace_back();
    for (const float slotPoints : points.back())
      column.pointTexts.push_back(FormatFixed(slotPoints, 1));
    column.textOfCourse.reserve(courses.Size());
  }
  Sums<float> sums(ruleSet.rules.size());
  Sums<double> exact(ruleSet.rules.size());
  std::vector<float> coursePoints(ruleSet.rules.size());
  for (std::size_t i = 0; i < courses.Size(); ++i) {
    const courses::CourseFields course = courses[i];
    const double credits = courses::ValueOr0(courses::CreditsValue(course.credits));
    const auto score = static_cast<float>(courses::ValueOr0(courses::ScoreValue(course.score)));
    for (std::size_t r = 0; r < points.size(); ++r) {
      const std::size_t slot = grading::FindBand(ruleSet.rules[r].bands, score);
      table.ruleColumns[r].textOfCourse.push_back(static_cast<std::uint8_t>(slot));
      coursePoints[r] = points[r][slot];
    }
    sums.Add(credits, score, coursePoints);
    exact.Add(credits, score, coursePoints);
  }
  table.totalsRow = sums.TotalsRow();
  table.totalsInexact = exact.TotalsRow() != table.totalsRow;
  table.basis.totalCredits = sums.credits;
  for (std::size_t r = 0; r < points.size(); ++r) {
    TargetBasis::Rule& planned = table.basis.rules.emplace_back();
    planned.weightedPoints = sums.weightedPoints[r];
    for (int score = 0; score <= kHighestScore; ++score) {
      planned.pointsOfScore.push_back(
          points[r][grading::FindBand(ruleSet.rules[r].bands, static_cast<float>(score))]);
    }
  }
  table.countText =
      std::string(kCountPrefix) + std::to_string(courses.Size()) + std::string(kCountSuffix);
  table.courses = std::move(courses);
  return table;
}

}  // namespace gradova::gpa
