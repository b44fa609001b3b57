// The `rules` reader on any bytes: what it keeps stays within the program's limits, and the rules
// it read, written out, read back complete and as the same rules, so that the written file is
// stable after one round: Format(Parse(x)) == Format(Parse(Format(Parse(x)))).
#include <string>

#include "check.h"
#include "grading/rules_file.h"

namespace {

using gradova::grading::RulesFileContents;
using gradova::grading::RulesFileStatus;

void CheckLimits(const gradova::grading::RuleSet& ruleSet) {
  GRADOVA_FUZZ_CHECK(ruleSet.rules.size() <= gradova::grading::kMaxRules, "more than 32 rules");
  for (const gradova::grading::Rule& rule : ruleSet.rules) {
    GRADOVA_FUZZ_CHECK(rule.name.size() <= gradova::grading::kMaxRuleNameBytes,
                       "a name longer than 20 bytes");
    GRADOVA_FUZZ_CHECK(rule.name.find('\0') == std::string::npos, "a name holds a zero byte");
    const std::size_t count = gradova::grading::BandCount(rule.bands);
    for (std::size_t slot = 0; slot < count; ++slot) {
      GRADOVA_FUZZ_CHECK(rule.bands[slot].lowerBound < 256 && rule.bands[slot].points < 256,
                         "a band field wider than the byte it came from");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const gradova::fuzz::ExactBytes input(data, size);
  const RulesFileContents first = gradova::grading::ParseRulesFile(input.View());
  GRADOVA_FUZZ_CHECK(first.status != RulesFileStatus::Missing, "bytes read as a missing file");
  CheckLimits(first.ruleSet);
  if (size == 0) {
    GRADOVA_FUZZ_CHECK(first.status == RulesFileStatus::Loaded && first.ruleSet.rules.empty(),
                       "an empty file is not an empty set");
  }

  const std::string written = gradova::grading::FormatRulesFile(first.ruleSet);
  const gradova::fuzz::ExactBytes writtenCopy(written);
  const RulesFileContents second = gradova::grading::ParseRulesFile(writtenCopy.View());
  GRADOVA_FUZZ_CHECK(second.status == RulesFileStatus::Loaded,
                     "the rules read, written out, do not read back complete");
  GRADOVA_FUZZ_CHECK(second.ruleSet.rules.size() == first.ruleSet.rules.size(),
                     "the rules read, written out, read back as another number of rules");
  for (std::size_t r = 0; r < first.ruleSet.rules.size(); ++r) {
    GRADOVA_FUZZ_CHECK(second.ruleSet.rules[r].name == first.ruleSet.rules[r].name,
                       "a rule's name changes when written out and read back");
  }
  GRADOVA_FUZZ_CHECK(gradova::grading::FormatRulesFile(second.ruleSet) == written,
                     "the written rules file is not stable after one round");

  // A file cut inside its last record keeps the records before it.
  if (!written.empty()) {
    const gradova::fuzz::ExactBytes cut(std::string_view(written).substr(0, written.size() - 1));
    const RulesFileContents damaged = gradova::grading::ParseRulesFile(cut.View());
    GRADOVA_FUZZ_CHECK(damaged.status == RulesFileStatus::Damaged,
                       "a written file cut by one byte is not damaged");
    GRADOVA_FUZZ_CHECK(damaged.ruleSet.rules.size() + 1 == first.ruleSet.rules.size(),
                       "a written file cut by one byte loses more than its last rule");
  }
  return 0;
}
