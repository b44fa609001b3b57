#include "grading/built_in_rules.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "grading/grading_texts.h"

namespace gradova::grading {
namespace {

using Band = std::pair<std::uint16_t, std::uint16_t>;

Rule MakeRule(std::string_view name, std::initializer_list<Band> bands) {
  Rule rule{std::string(name), MakeEmptyBandTable()};
  std::size_t slot = 0;
  for (const auto& [lowerBound, points] : bands) rule.bands[slot++] = RuleBand{lowerBound, points};
  return rule;
}

}  // namespace

RuleSet MakeBuiltInRules() {
  return RuleSet{{
      MakeRule(kStandard40, {{90, 40}, {80, 30}, {70, 20}, {60, 10}, {0, 0}}),
      MakeRule(kImproved40First, {{85, 40}, {70, 30}, {60, 10}, {0, 0}}),
      MakeRule(kImproved40Second, {{85, 40}, {75, 30}, {60, 20}, {0, 0}}),
      MakeRule(kPekingUniversity40, {{90, 40},
                                     {85, 37},
                                     {82, 33},
                                     {78, 30},
                                     {75, 27},
                                     {72, 23},
                                     {68, 20},
                                     {64, 15},
                                     {60, 10},
                                     {0, 0}}),
      MakeRule(kCanada43,
               {{90, 43}, {85, 40}, {80, 37}, {75, 33}, {70, 30}, {65, 27}, {60, 23}, {0, 0}}),
      MakeRule(kUstc43, {{95, 43},
                         {90, 40},
                         {85, 37},
                         {82, 33},
                         {78, 30},
                         {75, 27},
                         {72, 23},
                         {68, 20},
                         {65, 17},
                         {64, 15},
                         {61, 13},
                         {60, 10},
                         {0, 0}}),
      MakeRule(kShanghaiJiaoTong43, {{95, 43},
                                     {90, 40},
                                     {85, 37},
                                     {80, 33},
                                     {75, 30},
                                     {70, 27},
                                     {67, 23},
                                     {65, 20},
                                     {62, 17},
                                     {60, 10},
                                     {0, 0}}),
      MakeRule(kTaiwan40, {{80, 40}, {70, 30}, {60, 20}, {50, 10}, {0, 0}}),
  }};
}

}  // namespace gradova::grading
