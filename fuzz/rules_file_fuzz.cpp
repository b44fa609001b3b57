// The `rules` reader on any bytes: what it keeps stays within the program's limits; written out,
// it reads back complete and is then stable; cut by its last byte, it loses only its last rule.
#include "check.h"
#include "grading/rules_file.h"

using namespace gradova::grading;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const RuleSet read = ParseRulesFile({reinterpret_cast<const char*>(data), size}).ruleSet;
  GRADOVA_FUZZ_CHECK(read.rules.size() <= kMaxRules, "more than 32 rules");
  for (const Rule& rule : read.rules) {
    GRADOVA_FUZZ_CHECK(
        rule.name.size() <= kMaxRuleNameBytes && rule.name.find('\0') == rule.name.npos,
        "a name of more than 20 bytes or with a zero byte");
  }
  const ExactBytes written(FormatRulesFile(read));
  const RulesFileContents again = ParseRulesFile(written.view);
  GRADOVA_FUZZ_CHECK(
      again.status == RulesFileStatus::Loaded && FormatRulesFile(again.ruleSet) == written.view,
      "the rules read, written out, do not read back as they were");
  const ExactBytes cut(written.view.substr(0, written.view.size() - !written.view.empty()));
  const RulesFileContents damaged = ParseRulesFile(cut.view);
  GRADOVA_FUZZ_CHECK(
      written.view.empty() || (damaged.status == RulesFileStatus::Damaged &&
                               damaged.ruleSet.rules.size() + 1 == read.rules.size()),
      "a written file cut by one byte is not damaged in its last rule only");
  return 0;
}
