#include "gpa/sums.h"

#include <cmath>

#include "courses/number_text.h"
#include "gpa/gpa_texts.h"

namespace gradova::gpa {

// Each grade point value is the band's tenths times the single precision 0.1.
constexpr float kTenth = 0.1f;

std::string FormatTotal(double value, int decimals) {
  return std::isfinite(value) ? courses::FormatFixed(value, decimals)
                              : std::string(kUndefinedValue);
}

RulePoints::RulePoints(const grading::RuleSet& ruleSet) : m_ruleSet(ruleSet) {
  for (const grading::Rule& rule : ruleSet.rules) {
    std::vector<float>& points = m_points.emplace_back();
    for (std::size_t slot = 0; slot < grading::BandCount(rule.bands); ++slot) {
      points.push_back(static_cast<float>(static_cast<double>(rule.bands[slot].points) *
                                          static_cast<double>(kTenth)));
    }
    points.push_back(0.0f);
  }
}

std::size_t RulePoints::Slot(std::size_t rule, float score) const {
  return grading::FindBand(m_ruleSet.rules[rule].bands, score);
}

void RulePoints::Of(float score, std::vector<float>& points) const {
  points.resize(m_points.size());
  for (std::size_t r = 0; r < m_points.size(); ++r) points[r] = m_points[r][Slot(r, score)];
}

CourseValues ValuesOf(const courses::CourseFields& course) {
  return {courses::ValueOr0(courses::CreditsValue(course.credits)),
          static_cast<float>(courses::ValueOr0(courses::ScoreValue(course.score))),
          courses::TranscriptPointsValue(course.points)};
}

}  // namespace gradova::gpa
