#include "grading/rule_set.h"

#include <gtest/gtest.h>
#include "support/row_printer.h"

namespace gradova::grading {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

BandTable Bands(std::initializer_list<RuleBand> bands) {
  BandTable table = MakeEmptyBandTable();
  std::size_t slot = 0;
  for (const RuleBand& band : bands) table[slot++] = band;
  return table;
}

TEST(BandTable, EmptyTableHas255Everywhere) {
  for (const RuleBand& band : MakeEmptyBandTable()) {
    EXPECT_EQ(band.lowerBound, 255);
    EXPECT_EQ(band.points, 255);
  }
  EXPECT_EQ(BandCount(MakeEmptyBandTable()), 0u);
}

struct FindBandRow {
  const char* label;
  float score;
  std::size_t slot;
};

class FindBandInStandardRule : public ::testing::TestWithParam<FindBandRow> {};

TEST_P(FindBandInStandardRule, TakesFirstBandAtOrBelowTheScore) {
  const BandTable bands = Bands({{90, 40}, {80, 30}, {70, 20}, {60, 10}, {0, 0}});
  EXPECT_EQ(FindBand(bands, GetParam().score), GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(Scores, FindBandInStandardRule,
                         ::testing::Values(FindBandRow{"Hundred", 100.0f, 0},
                                           FindBandRow{"EqualToBound", 90.0f, 0},
                                           FindBandRow{"JustBelowBound", 89.99f, 1},
                                           FindBandRow{"Zero", 0.0f, 4},
                                           FindBandRow{"AboveHundred", 250.0f, 0},
                                           FindBandRow{"NegativeFindsNone", -0.5f, 5}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(FindBand, RuleWithoutZeroBandFindsNoneBelowItsLastBound) {
  const BandTable bands = Bands({{60, 10}});
  EXPECT_EQ(FindBand(bands, 59.0f), 1u);
}

TEST(FindBand, FullTableStopsAfterTheLastSlot) {
  BandTable bands;
  for (std::size_t slot = 0; slot < kBandSlots; ++slot) {
    bands[slot] = RuleBand{static_cast<std::uint16_t>(100 - slot), 1};
  }
  EXPECT_EQ(BandCount(bands), kBandSlots);
  EXPECT_EQ(FindBand(bands, 0.0f), kBandSlots);
  EXPECT_EQ(FindBand(bands, 69.0f), kBandSlots - 1);
}

TEST(RuleName, ShiftIsElevenModulo256) {
  EXPECT_EQ(EncodeRuleName("\xb1\xea\x05"), "\xa6\xdf\xfa");
  EXPECT_EQ(DecodeRuleName("\xa6\xdf\xfa"), "\xb1\xea\x05");
}

TEST(RuleName, TakesAtMostTwentyBytes) {
  const std::string name(25, 'a');
  EXPECT_EQ(EncodeRuleName(name).size(), kMaxRuleNameBytes);
  EXPECT_EQ(DecodeRuleName(name).size(), kMaxRuleNameBytes);
}

}  // namespace
}  // namespace gradova::grading

namespace gradova::grading {
namespace {

TEST(BandIndex, AgreesWithTheScanEverywhere) {
  BandTable withoutZero = MakeEmptyBandTable();
  withoutZero[0] = {90, 40};
  withoutZero[1] = {60, 10};
  BandTable full;
  for (std::size_t slot = 0; slot < kBandSlots; ++slot) {
    full[slot] = RuleBand{static_cast<std::uint16_t>(254 - 3 * slot), 1};
  }
  for (const BandTable& bands : {withoutZero, full, MakeEmptyBandTable()}) {
    const BandIndex index(bands);
    for (float score = -3.0f; score < 300.0f; score += 0.125f) {
      ASSERT_EQ(index.Find(score), FindBand(bands, score)) << score;
    }
    for (float score : {89.99999f, 90.0f, 254.99998f, 255.0f, 1e30f, -1e30f}) {
      EXPECT_EQ(index.Find(score), FindBand(bands, score)) << score;
    }
  }
}

}  // namespace
}  // namespace gradova::grading
