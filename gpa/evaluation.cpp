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

std::string FormatQuotient(float sum, float total, int decimals) {
  if (total == 0.0f) return std::string(kUndefinedValue);
  return FormatTotal(static_cast<double>(sum) / static_cast<double>(total), decimals);
}

// Grade points of a band's tenths: the text and the single-precision value summed.
double GradePoints(std::uint16_t tenths) {
  return static_cast<double>(tenths) * static_cast<double>(kTenth);
}

RuleColumn EvaluateRule(const grading::BandTable& bands, const std::vector<double>& credits,
                        const std::vector<float>& scores, float totalCredits,
                        std::string& gpaText) {
  const std::size_t bandCount = grading::BandCount(bands);
  RuleColumn column;
  std::vector<float> points(bandCount + 1);
  for (std::size_t slot = 0; slot <= bandCount; ++slot) {
    const double q = slot < bandCount ? GradePoints(bands[slot].points) : 0.0;
    column.pointTexts.push_back(FormatFixed(q, 1));
    points[slot] = static_cast<float>(q);
  }
  column.textOfCourse.resize(scores.size());
  const grading::BandIndex index(bands);
  float weightedPoints = 0.0f;
  for (std::size_t k = 0; k < scores.size(); ++k) {
    const std::size_t slot = index.Find(scores[k]);
    column.textOfCourse[k] = static_cast<std::uint8_t>(slot);
    weightedPoints = static_cast<float>(credits[k] * points[slot] + weightedPoints);
  }
  gpaText = FormatQuotient(weightedPoints, totalCredits, 2);
  return column;
}

}  // namespace

std::vector<std::string> MakeColumnTitles(const grading::RuleSet& ruleSet) {
  std::vector<std::string> titles{std::string(kCourseNameTitle), std::string(kCreditsTitle),
                                  std::string(kScoreTitle)};
  for (const grading::Rule& rule : ruleSet.rules) titles.push_back(rule.name);
  return titles;
}

void CourseNumbers::Add(std::string_view creditsText, std::string_view scoreText) {
  credits.push_back(LeadingDecimal(creditsText));
  scores.push_back(static_cast<float>(LeadingDecimal(scoreText)));
}

Evaluation EvaluateNumbers(const CourseNumbers& numbers, const grading::RuleSet& ruleSet) {
  float totalCredits = 0.0f;
  float weightedScore = 0.0f;
  for (std::size_t k = 0; k < numbers.credits.size(); ++k) {
    const double v = numbers.credits[k];
    totalCredits = static_cast<float>(v + totalCredits);
    weightedScore = static_cast<float>(v * numbers.scores[k] + weightedScore);
  }
  Evaluation evaluation;
  evaluation.totalsRow.resize(3 + ruleSet.rules.size());
  evaluation.totalsRow[0] = kTotalsLabel;
  evaluation.totalsRow[1] = FormatTotal(totalCredits, 1);
  evaluation.totalsRow[2] = FormatQuotient(weightedScore, totalCredits, 1);
  for (std::size_t r = 0; r < ruleSet.rules.size(); ++r) {
    evaluation.ruleColumns.push_back(EvaluateRule(ruleSet.rules[r].bands, numbers.credits,
                                                  numbers.scores, totalCredits,
                                                  evaluation.totalsRow[3 + r]));
  }
  evaluation.countText = std::string(kCountPrefix) + std::to_string(numbers.credits.size()) +
                         std::string(kCountSuffix);
  return evaluation;
}

ResultTable EvaluateCourses(std::vector<courses::CourseRecord> courses,
                            const grading::RuleSet& ruleSet) {
  CourseNumbers numbers;
  numbers.credits.reserve(courses.size());
  numbers.scores.reserve(courses.size());
  for (const courses::CourseRecord& course : courses) numbers.Add(course.credits, course.score);
  Evaluation evaluation = EvaluateNumbers(numbers, ruleSet);
  ResultTable table;
  table.courses = std::move(courses);
  table.ruleColumns = std::move(evaluation.ruleColumns);
  table.totalsRow = std::move(evaluation.totalsRow);
  table.countText = std::move(evaluation.countText);
  return table;
}

}  // namespace gradova::gpa
