#pragma once
// A rule written out as its scale, for a reader who does not know the rule: each band's scores and
// the grade points they give.
#include <string>

#include "grading/rule_set.h"

namespace gradova::grading {

// "标准4.0算法：90–100 = 4.0，80–89 = 3.0，…，0–59 = 0.0" (GBK). A band runs from its lower bound
// up to one below the previous band's, the first one up to 100; a band of one score shows it once.
std::string DescribeScale(const Rule& rule);

}  // namespace gradova::grading
