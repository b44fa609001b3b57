#pragma once
// The eight grading rules that a new `rules` file holds.
#include "grading/rule_set.h"

namespace gradova::grading {

// The built-in rules, in file order, each ending with the band 0 -> 0.0.
RuleSet MakeBuiltInRules();

}  // namespace gradova::grading
