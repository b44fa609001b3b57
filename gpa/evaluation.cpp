#include "gpa/evaluation.h"

#include <cmath>

#include "courses/number_text.h"
#include "gpa/gpa_texts.h"

namespace gradova::gpa {
namespace {

using courses::FormatFixed;
using courses::LeadingDecimal;

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

}  // namespace

std::vector<std::string> MakeColumnTitles(const grading::RuleSet& ruleSet) {
  std::vector<std::string> titles{std::string(kCourseNameTitle), std::string(kCreditsTitle),
                                  std::string(kScoreTitle)};
  for (const grading::Rule& rule : ruleSet.rules) titles.push_back(rule.name);
  return titles;
}

std::string FormatQuotient(float sum, float total, int decimals) {
  if (total == 0.0f) return std::string(kUndefinedValue);
  return FormatTotal(static_cast<double>(sum) / static_cast<double>(total), decimals);
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
  float totalCredits = 0.0f;
  float weightedScore = 0.0f;
  std::vector<float> weightedPoints(ruleSet.rules.size(), 0.0f);
  for (std::size_t i = 0; i < courses.Size(); ++i) {
    const courses::CourseFields course = courses[i];
    const double credits = LeadingDecimal(course.credits);
    const auto score = static_cast<float>(LeadingDecimal(course.score));
    totalCredits = static_cast<float>(credits + totalCredits);
    weightedScore = static_cast<float>(credits * score + weightedScore);
    for (std::size_t r = 0; r < points.size(); ++r) {
      const std::size_t slot = grading::FindBand(ruleSet.rules[r].bands, score);
      table.ruleColumns[r].textOfCourse.push_back(static_cast<std::uint8_t>(slot));
      weightedPoints[r] = static_cast<float>(credits * points[r][slot] + weightedPoints[r]);
    }
  }
  table.totalsRow = {std::string(kTotalsLabel), FormatTotal(totalCredits, 1),
                     FormatQuotient(weightedScore, totalCredits, 1)};
  table.basis.totalCredits = totalCredits;
  for (std::size_t r = 0; r < points.size(); ++r) {
    table.totalsRow.push_back(FormatQuotient(weightedPoints[r], totalCredits, 2));
    TargetBasis::Rule& planned = table.basis.rules.emplace_back();
    planned.weightedPoints = weightedPoints[r];
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
