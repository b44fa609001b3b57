#include <gtest/gtest.h>

#include "grading/built_in_rules.h"
#include "grading/rule_scale.h"
#include "grading/rules_file.h"
#include "support/gbk_literal.h"
#include "support/temp_dir.h"

namespace gradova::grading {
namespace {

using namespace std::string_literals;

Rule MakeRule(const std::string& name, std::initializer_list<RuleBand> bands) {
  Rule rule{name, MakeEmptyBandTable()};
  std::size_t slot = 0;
  for (const RuleBand& band : bands) rule.bands[slot++] = band;
  return rule;
}

// A record of already shifted name bytes and raw band bytes.
std::string Record(const std::string& storedName, const std::string& bandBytes) {
  return storedName + "\x65" + bandBytes + "\x66";
}

TEST(BuiltInRules, AreThe238BytesOfTheFirstRunFile) {
  const std::string file = testing::DataFile("builtin_rules");
  ASSERT_EQ(file.size(), 238u);
  EXPECT_EQ(FormatRulesFile(MakeBuiltInRules()), file);
  const RulesFileContents read = ParseRulesFile(file);
  EXPECT_EQ(read.status, RulesFileStatus::Loaded);
  EXPECT_EQ(FormatRulesFile(read.ruleSet), file);
}

// A record over the limits keeps what fits and reading goes on; a cut one ends it.
TEST(ParseRulesFile, StatusAndTheRecordsItKeeps) {
  const std::string one = Record("ab", "\x5a\x28\x00\x00"s);
  std::string rules33;
  for (int i = 0; i < 33; ++i) rules33 += one;
  const std::tuple<const char*, std::string, RulesFileStatus, std::size_t> rows[] = {
      {"Empty", "", RulesFileStatus::Loaded, 0},
      {"FirstByteEndsTheFile", "\x66garbage", RulesFileStatus::Loaded, 0},
      {"EndMarkerWhereARecordBegins", one + "\x66zz", RulesFileStatus::Loaded, 1},
      {"EndsInsideName", one + "ab", RulesFileStatus::Damaged, 1},
      {"EndsAfterNameEnd", one + "ab\x65", RulesFileStatus::Damaged, 1},
      {"EndsAfterLowerBound", one + "ab\x65\x5a", RulesFileStatus::Damaged, 1},
      {"EndsAfterPoints", one + "ab\x65\x5a\x28", RulesFileStatus::Damaged, 1},
      {"NoBands", Record("ab", ""), RulesFileStatus::Loaded, 1},
      {"NameOf20Bytes", Record(std::string(20, 'a'), ""), RulesFileStatus::Loaded, 1},
      {"NameOf21Bytes", one + Record(std::string(21, 'a'), "") + one, RulesFileStatus::Damaged, 3},
      {"32Bands", Record("a", std::string(64, '\x10')), RulesFileStatus::Loaded, 1},
      {"33Bands", one + Record("a", std::string(66, '\x10')) + rules33.substr(0, 6 * one.size()),
       RulesFileStatus::Damaged, 8},
      {"33BandsCut", one + "a\x65" + std::string(66, '\x10'), RulesFileStatus::Damaged, 1},
      {"32Rules", rules33.substr(0, 32 * one.size()), RulesFileStatus::Loaded, 32},
      {"33Rules", rules33, RulesFileStatus::Damaged, 32},
  };
  for (const auto& [label, bytes, status, count] : rows) {
    SCOPED_TRACE(label);
    const RulesFileContents read = ParseRulesFile(bytes);
    EXPECT_EQ(read.status, status);
    EXPECT_EQ(read.ruleSet.rules.size(), count);
  }
  const RuleSet clipped = ParseRulesFile(Record(std::string(21, 'a'), std::string(66, 1))).ruleSet;
  EXPECT_EQ(clipped.rules.at(0).name, std::string(20, 'l'));
  EXPECT_EQ(BandCount(clipped.rules.at(0).bands), kBandSlots);
}

TEST(ParseRulesFile, MarkersCountOnlyWhereTheyCanStand) {
  // A lower bound or points byte equal to a marker is a value: 0x65 is 101, 0x66 is 10.2 points.
  const RulesFileContents read = ParseRulesFile(Record("V\xf5W", "\x65\x65\x50\x66\x00\x00"s));
  ASSERT_EQ(read.status, RulesFileStatus::Loaded);
  const Rule& rule = read.ruleSet.rules.at(0);
  EXPECT_EQ(rule.name, "a");  // 0xF5 decodes to a zero byte, which ends the name
  EXPECT_EQ(BandCount(rule.bands), 3u);
  EXPECT_EQ(rule.bands[0].lowerBound, 0x65);
  EXPECT_EQ(rule.bands[0].points, 0x65);
  EXPECT_EQ(rule.bands[1].points, 0x66);
}

TEST(FormatRulesFile, WritesShiftedNamesAndTheLowBytesOfTheBands) {
  const RuleSet ruleSet{{MakeRule("ab", {{90, 40}, {0, 0}}), MakeRule("", {}),
                         MakeRule("\x05\0x"s, {{356, 266}}), MakeRule(std::string(21, 'z'), {})}};
  EXPECT_EQ(FormatRulesFile(ruleSet), "VW\x65\x5a\x28\x00\x00\x66\x65\x66\xfa\x65\x64\x0a\x66"s +
                                          std::string(20, 'o') + "\x65\x66");
}

// Names the format cannot hold (the rule editor refuses them): the bytes are written as the
// format says, and the reader then sees something else.
TEST(FormatRulesFile, NameByte0x70EndsTheNameAnd0x71EndsTheFile) {
  const RulesFileContents p = ParseRulesFile(FormatRulesFile({{MakeRule("apb", {{90, 40}})}}));
  ASSERT_EQ(p.ruleSet.rules.size(), 1u);
  EXPECT_EQ(p.ruleSet.rules[0].name, "a");
  EXPECT_EQ(p.ruleSet.rules[0].bands[0].lowerBound, 'b' - 11);
  EXPECT_EQ(p.ruleSet.rules[0].bands[0].points, 0x65);
  const RulesFileContents q =
      ParseRulesFile(FormatRulesFile({{MakeRule("a", {}), MakeRule("q", {}), MakeRule("b", {})}}));
  EXPECT_EQ(q.status, RulesFileStatus::Loaded);
  EXPECT_EQ(q.ruleSet.rules.size(), 1u);
}

// A reader checks a grade against the scale: every band with its scores, the first up to 100.
TEST(DescribeScale, EveryBandWithItsScores) {
  using testing::Gbk;
  const std::vector<std::pair<Rule, std::string>> rows = {
      {MakeBuiltInRules().rules[0],
       "标准4.0算法：90–100 = 4.0，80–89 = 3.0，70–79 = 2.0，60–69 = 1.0，0–59 = 0.0"},
      {MakeRule(Gbk("满分"), {{100, 43}, {99, 40}, {0, 0}}),
       "满分：100 = 4.3，99 = 4.0，0–98 = 0.0"},
      {MakeRule(Gbk("无零"), {{60, 125}}), "无零：60–100 = 12.5"},
  };
  for (const auto& [rule, expected] : rows) EXPECT_EQ(DescribeScale(rule), Gbk(expected));
}

}  // namespace
}  // namespace gradova::grading
