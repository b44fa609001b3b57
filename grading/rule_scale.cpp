#include "grading/rule_scale.h"

#include "grading/grading_texts.h"

namespace gradova::grading {

std::string DescribeScale(const Rule& rule) {
  std::string text = rule.name + std::string(kScaleNameEnd);
  int upper = 100;
  for (std::size_t band = 0; band < BandCount(rule.bands); ++band) {
    const int lower = rule.bands[band].lowerBound;
    const int points = rule.bands[band].points;
    if (band > 0) text += kScaleBandSeparator;
    text += std::to_string(lower);
    if (upper > lower) text += std::string(kScaleDash) + std::to_string(upper);
    text += " = " + std::to_string(points / 10) + "." + std::to_string(points % 10);
    upper = lower - 1;
  }
  return text;
}

}  // namespace gradova::grading
