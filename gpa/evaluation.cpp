#include "gpa/evaluation.h"

#include <algorithm>
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

// Grade points of a band's tenths, before they are stored as single precision.
double GradePoints(std::uint16_t tenths) {
  return static_cast<double>(tenths) * static_cast<double>(kTenth);
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

double CreditsValue(std::string_view creditsText) { return LeadingDecimal(creditsText); }

float ScoreValue(std::string_view scoreText) {
  return static_cast<float>(LeadingDecimal(scoreText));
}

CourseTotals::CourseTotals(const grading::RuleSet& ruleSet)
    : m_weightedPoints(ruleSet.rules.size(), 0.0f) {
  m_rules.reserve(ruleSet.rules.size());
  for (const grading::Rule& rule : ruleSet.rules) {
    RuleSums sums{grading::BandIndex(rule.bands), {}, {}};
    const std::size_t bandCount = grading::BandCount(rule.bands);
    for (std::size_t slot = 0; slot <= bandCount; ++slot) {
      const double q = slot < bandCount ? GradePoints(rule.bands[slot].points) : 0.0;
      sums.texts.push_back(FormatFixed(q, 1));
      sums.points.push_back(static_cast<float>(q));
    }
    m_rules.push_back(std::move(sums));
  }
  const std::size_t rules = m_rules.size();
  std::vector<std::uint8_t> slots(rules);
  for (std::size_t integer = 0; integer < m_classOfInteger.size(); ++integer) {
    for (std::size_t r = 0; r < rules; ++r) {
      slots[r] = static_cast<std::uint8_t>(m_rules[r].index.Find(static_cast<float>(integer)));
    }
    // The class that has these slots, or else a new one.
    std::size_t scoreClass = 0;
    while (scoreClass * rules < m_classSlots.size() &&
           !std::equal(slots.begin(), slots.end(), m_classSlots.begin() + scoreClass * rules)) {
      ++scoreClass;
    }
    if (scoreClass * rules == m_classSlots.size()) {
      m_classSlots.insert(m_classSlots.end(), slots.begin(), slots.end());
      for (std::size_t r = 0; r < rules; ++r) {
        m_classPoints.push_back(m_rules[r].points[slots[r]]);
        m_classTexts.push_back(m_rules[r].texts[slots[r]]);
      }
    }
    m_classOfInteger[integer] = static_cast<std::uint8_t>(scoreClass);
  }
}

void CourseTotals::PointCells(float score, std::string_view* out) const {
  const std::size_t scoreClass = ScoreClass(score);
  const std::size_t rules = m_rules.size();
  if (scoreClass < kNoScoreClass) {
    std::copy_n(m_classTexts.begin() + scoreClass * rules, rules, out);
    return;
  }
  for (std::size_t r = 0; r < rules; ++r) out[r] = m_rules[r].texts[m_rules[r].index.Find(score)];
}

void CourseTotals::Add(double credits, float score) {
  m_totalCredits = static_cast<float>(credits + m_totalCredits);
  m_weightedScore = static_cast<float>(credits * score + m_weightedScore);
  const std::size_t scoreClass = ScoreClass(score);
  const std::size_t rules = m_rules.size();
  float* const sums = m_weightedPoints.data();
  if (scoreClass < kNoScoreClass) {
    // One class's points lie side by side, so the sums of all rules are taken together.
    const float* const points = m_classPoints.data() + scoreClass * rules;
    for (std::size_t r = 0; r < rules; ++r) {
      sums[r] = static_cast<float>(credits * points[r] + sums[r]);
    }
  } else {
    for (std::size_t r = 0; r < rules; ++r) {
      const RuleSums& rule = m_rules[r];
      sums[r] = static_cast<float>(credits * rule.points[rule.index.Find(score)] + sums[r]);
    }
  }
  ++m_courseCount;
}

std::vector<std::string> CourseTotals::TotalsRow() const {
  std::vector<std::string> row{std::string(kTotalsLabel), FormatTotal(m_totalCredits, 1),
                               FormatQuotient(m_weightedScore, m_totalCredits, 1)};
  for (const float weightedPoints : m_weightedPoints) {
    row.push_back(FormatQuotient(weightedPoints, m_totalCredits, 2));
  }
  return row;
}

std::string CourseTotals::CountText() const {
  return std::string(kCountPrefix) + std::to_string(m_courseCount) + std::string(kCountSuffix);
}

TargetBasis CourseTotals::Basis() const {
  TargetBasis basis{m_totalCredits, {}};
  for (std::size_t r = 0; r < m_rules.size(); ++r) {
    const RuleSums& rule = m_rules[r];
    TargetBasis::Rule& planned = basis.rules.emplace_back();
    planned.weightedPoints = m_weightedPoints[r];
    for (int score = 0; score <= kHighestScore; ++score) {
      planned.pointsOfScore.push_back(rule.points[rule.index.Find(static_cast<float>(score))]);
    }
  }
  return basis;
}

ResultTable EvaluateCourses(std::vector<courses::CourseRecord> courses,
                            const grading::RuleSet& ruleSet) {
  CourseTotals totals(ruleSet);
  ResultTable table;
  table.ruleColumns.resize(totals.RuleCount());
  for (std::size_t r = 0; r < totals.RuleCount(); ++r) {
    table.ruleColumns[r].pointTexts = totals.PointTexts(r);
    table.ruleColumns[r].textOfCourse.reserve(courses.size());
  }
  for (const courses::CourseRecord& course : courses) {
    const float score = ScoreValue(course.score);
    totals.Add(CreditsValue(course.credits), score);
    for (std::size_t r = 0; r < totals.RuleCount(); ++r) {
      table.ruleColumns[r].textOfCourse.push_back(
          static_cast<std::uint8_t>(totals.SlotOf(r, score)));
    }
  }
  table.totalsRow = totals.TotalsRow();
  table.countText = totals.CountText();
  table.basis = totals.Basis();
  table.courses = std::move(courses);
  return table;
}

}  // namespace gradova::gpa
