#include "grading/rules_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "grading/built_in_rules.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::grading {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::DataFile;
using testing::Gbk;
using namespace std::string_literals;

// A record of `stored` (already shifted) name bytes and raw band bytes.
std::string Record(const std::string& storedName, const std::string& bandBytes) {
  return storedName + "\x65" + bandBytes + "\x66";
}

std::vector<std::string> Names(const RuleSet& ruleSet) {
  std::vector<std::string> names;
  for (const Rule& rule : ruleSet.rules) names.push_back(rule.name);
  return names;
}

TEST(ParseRulesFile, BuiltInFileReadsBackAsTheBuiltInRules) {
  const RulesFileContents contents = ParseRulesFile(DataFile("builtin_rules"));
  ASSERT_EQ(contents.status, RulesFileStatus::Loaded);
  const RuleSet expected = MakeBuiltInRules();
  ASSERT_EQ(contents.ruleSet.rules.size(), 8u);
  for (std::size_t r = 0; r < 8; ++r) {
    EXPECT_EQ(contents.ruleSet.rules[r].name, expected.rules[r].name);
    for (std::size_t slot = 0; slot < kBandSlots; ++slot) {
      EXPECT_EQ(contents.ruleSet.rules[r].bands[slot].lowerBound,
                expected.rules[r].bands[slot].lowerBound);
      EXPECT_EQ(contents.ruleSet.rules[r].bands[slot].points, expected.rules[r].bands[slot].points);
    }
  }
  EXPECT_EQ(contents.ruleSet.rules[0].name, Gbk("标准4.0算法"));
}

struct StatusRow {
  const char* label;
  std::string bytes;
  RulesFileStatus status;
  std::size_t rules;
};

class ParseRulesFileStatus : public ::testing::TestWithParam<StatusRow> {};

TEST_P(ParseRulesFileStatus, GivesStatusAndCompleteRules) {
  const RulesFileContents contents = ParseRulesFile(GetParam().bytes);
  EXPECT_EQ(contents.status, GetParam().status);
  EXPECT_EQ(contents.ruleSet.rules.size(), GetParam().rules);
}

const std::string kOneRecord = Record("ab", "\x5a\x28\x00\x00"s);

std::string Repeat(const std::string& text, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ParseRulesFileStatus,
    ::testing::Values(
        StatusRow{"Empty", "", RulesFileStatus::Loaded, 0},
        StatusRow{"FirstByteIsEndMarker", "\x66garbage", RulesFileStatus::Loaded, 0},
        StatusRow{"OneRecord", kOneRecord, RulesFileStatus::Loaded, 1},
        StatusRow{"EndMarkerAfterRecordIgnoresRest", kOneRecord + "\x66zz", RulesFileStatus::Loaded,
                  1},
        StatusRow{"EndsInsideName", kOneRecord + "ab", RulesFileStatus::Damaged, 1},
        StatusRow{"EndsAfterNameMarker", kOneRecord + "ab\x65", RulesFileStatus::Damaged, 1},
        StatusRow{"EndsAfterLowerBound", kOneRecord + "ab\x65\x5a", RulesFileStatus::Damaged, 1},
        StatusRow{"EndsAfterPoints", kOneRecord + "ab\x65\x5a\x28", RulesFileStatus::Damaged, 1},
        StatusRow{"NoBands", Record("ab", ""), RulesFileStatus::Loaded, 1},
        StatusRow{"NameOfTwentyBytes", Record(std::string(20, 'a'), ""), RulesFileStatus::Loaded,
                  1},
        StatusRow{"NameOfTwentyOneBytes", kOneRecord + Record(std::string(21, 'a'), ""),
                  RulesFileStatus::Damaged, 1},
        StatusRow{"ThirtyTwoBands", Record("a", Repeat("\x10\x01", 32)), RulesFileStatus::Loaded,
                  1},
        StatusRow{"ThirtyThreeBands", Record("a", Repeat("\x10\x01", 33)), RulesFileStatus::Damaged,
                  0},
        StatusRow{"ThirtyTwoRules", Repeat(kOneRecord, 32), RulesFileStatus::Loaded, 32},
        StatusRow{"ThirtyThreeRules", Repeat(kOneRecord, 33), RulesFileStatus::Damaged, 32}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ParseRulesFile, CutAfterAnyByteOfTheNextRecordIsDamaged) {
  const std::string bytes = DataFile("builtin_rules");
  const std::size_t firstRecord = 23;
  const std::size_t secondRecord = 24;
  for (std::size_t cut = firstRecord + 1; cut < firstRecord + secondRecord; ++cut) {
    const RulesFileContents contents = ParseRulesFile(bytes.substr(0, cut));
    EXPECT_EQ(contents.status, RulesFileStatus::Damaged) << cut;
    EXPECT_EQ(contents.ruleSet.rules.size(), 1u) << cut;
  }
  EXPECT_EQ(ParseRulesFile(bytes.substr(0, firstRecord)).status, RulesFileStatus::Loaded);
}

TEST(ParseRulesFile, PointsByteIsNeverAMarker) {
  // 10.1 and 10.2 grade points are stored as 0x65 and 0x66.
  const RulesFileContents contents = ParseRulesFile(Record("a", "\x5a\x65\x50\x66\x00\x00"s));
  ASSERT_EQ(contents.status, RulesFileStatus::Loaded);
  const BandTable& bands = contents.ruleSet.rules.at(0).bands;
  EXPECT_EQ(bands[0].points, 0x65);
  EXPECT_EQ(bands[1].points, 0x66);
  EXPECT_EQ(BandCount(bands), 3u);
}

TEST(ParseRulesFile, DecodedNameEndsAtAZeroByte) {
  // 0xF5 decodes to 0x00.
  const RulesFileContents contents = ParseRulesFile(Record("V\xf5W", ""));
  EXPECT_EQ(contents.ruleSet.rules.at(0).name, "a");
}

Rule MakeRule(const std::string& name, std::initializer_list<RuleBand> bands) {
  Rule rule{name, MakeEmptyBandTable()};
  std::size_t slot = 0;
  for (const RuleBand& band : bands) rule.bands[slot++] = band;
  return rule;
}

TEST(FormatRulesFile, WritesRecordsInTheFileFormat) {
  const RuleSet ruleSet{{MakeRule("ab", {{90, 40}, {0, 0}}), MakeRule("", {})}};
  EXPECT_EQ(FormatRulesFile(ruleSet), "VW\x65\x5a\x28\x00\x00\x66\x65\x66"s);
}

TEST(FormatRulesFile, RoundTripKeepsNamesAndBands) {
  const RuleSet ruleSet{{MakeRule(std::string(20, 'z'), {{100, 254}, {50, 101}, {0, 102}}),
                         MakeRule(Gbk("自定义"), {{60, 10}})}};
  const RulesFileContents contents = ParseRulesFile(FormatRulesFile(ruleSet));
  ASSERT_EQ(contents.status, RulesFileStatus::Loaded);
  EXPECT_EQ(Names(contents.ruleSet), Names(ruleSet));
  EXPECT_EQ(FormatRulesFile(contents.ruleSet), FormatRulesFile(ruleSet));
}

// Names that the file format cannot hold: the writer stores them as the format says, and the
// reader then sees something else. The rule editor refuses such names.
TEST(FormatRulesFile, NameByte0x70EndsTheNameOnReading) {
  const RuleSet ruleSet{{MakeRule("apb", {{90, 40}, {0, 0}})}};
  const RulesFileContents contents = ParseRulesFile(FormatRulesFile(ruleSet));
  ASSERT_EQ(contents.ruleSet.rules.size(), 1u);
  EXPECT_EQ(contents.ruleSet.rules[0].name, "a");
  EXPECT_EQ(contents.ruleSet.rules[0].bands[0].lowerBound, 'b' - 11);
  EXPECT_EQ(contents.ruleSet.rules[0].bands[0].points, 0x65);
}

TEST(FormatRulesFile, NameStartingWith0x71HidesItAndLaterRules) {
  const RuleSet ruleSet{
      {MakeRule("a", {{0, 0}}), MakeRule("q", {{0, 0}}), MakeRule("b", {{0, 0}})}};
  const RulesFileContents contents = ParseRulesFile(FormatRulesFile(ruleSet));
  EXPECT_EQ(contents.status, RulesFileStatus::Loaded);
  EXPECT_EQ(Names(contents.ruleSet), std::vector<std::string>{"a"});
}

TEST(RulesFileOnDisk, MissingFileIsMissing) {
  testing::TempDir dir;
  EXPECT_EQ(ReadRulesFile(dir.Path("rules")).status, RulesFileStatus::Missing);
  std::filesystem::create_directory(dir.Path("dir"));
  EXPECT_EQ(ReadRulesFile(dir.Path("dir")).status, RulesFileStatus::Missing);
}

TEST(RulesFileOnDisk, WriteThenReadGivesTheSameRules) {
  testing::TempDir dir;
  const RuleSet ruleSet = MakeBuiltInRules();
  ASSERT_EQ(WriteRulesFile(ruleSet, dir.Path("rules")), platform::ReplaceStatus::Replaced);
  EXPECT_EQ(testing::ReadBytes(dir.Path("rules")), DataFile("builtin_rules"));
  EXPECT_EQ(Names(ReadRulesFile(dir.Path("rules")).ruleSet), Names(ruleSet));
}

TEST(RulesFileOnDisk, FailedWriteKeepsTheOldFile) {
  testing::TempDir dir;
  testing::WriteBytes(dir.Path("rules"), kOneRecord);
  platform::SetWriteFailureAfterBytesForTesting(5);
  EXPECT_NE(WriteRulesFile(MakeBuiltInRules(), dir.Path("rules")),
            platform::ReplaceStatus::Replaced);
  platform::SetWriteFailureAfterBytesForTesting(std::nullopt);
  EXPECT_EQ(testing::ReadBytes(dir.Path("rules")), kOneRecord);
}

}  // namespace
}  // namespace gradova::grading

namespace gradova::grading {
namespace {

// Random bytes, with the two markers made common so that records of every shape turn up.
std::string RandomRulesBytes(std::mt19937& random) {
  std::uniform_int_distribution<int> length(0, 1200);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(static_cast<std::size_t>(length(random)), '\0');
  for (char& c : bytes) {
    const int value = byte(random);
    c = static_cast<char>(value < 24 ? 0x65 : value < 32 ? 0x66 : value);
  }
  return bytes;
}

TEST(ParseRulesFile, RandomBytesStayWithinLimitsAndSettleAfterOneRound) {
  std::mt19937 random(20261206);
  for (int i = 0; i < 3000; ++i) {
    const std::string bytes = RandomRulesBytes(random);
    const RulesFileContents first = ParseRulesFile(bytes);
    ASSERT_LE(first.ruleSet.rules.size(), kMaxRules);
    for (const Rule& rule : first.ruleSet.rules) ASSERT_LE(rule.name.size(), kMaxRuleNameBytes);
    const std::string written = FormatRulesFile(first.ruleSet);
    const RulesFileContents second = ParseRulesFile(written);
    ASSERT_EQ(second.status, RulesFileStatus::Loaded) << i;
    ASSERT_EQ(FormatRulesFile(second.ruleSet), written) << i;
  }
}

}  // namespace
}  // namespace gradova::grading
