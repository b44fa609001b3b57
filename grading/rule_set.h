#pragma once
// Grading rules in memory. A rule maps score bands to grade points; a band covers the scores from
// its lower bound up to the previous band's lower bound.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace gradova::grading {

inline constexpr std::size_t kBandSlots = 32;
inline constexpr std::size_t kMaxRules = 32;
inline constexpr std::size_t kMaxRuleNameBytes = 20;
// Either field of a slot holding no band; a lower bound of 255 ends the band list.
inline constexpr std::uint16_t kNoBand = 255;

struct RuleBand {
  std::uint16_t lowerBound = kNoBand;  // lowest integer score in the band, 0 to 100
  std::uint16_t points = kNoBand;      // grade points in tenths: 37 is 3.7
};

// Bands in slots 0, 1, 2 ... by strictly descending lower bound; the list ends at the first slot
// whose lower bound is 255, or after the last slot.
using BandTable = std::array<RuleBand, kBandSlots>;

struct Rule {
  std::string name;  // GBK, at most kMaxRuleNameBytes bytes
  BandTable bands;
};

struct RuleSet {
  std::vector<Rule> rules;  // file order, at most kMaxRules
};

// A table with every field of every slot 255.
BandTable MakeEmptyBandTable();

// The number of bands before the end of the list.
std::size_t BandCount(const BandTable& bands);

// The index of the first band whose lower bound is at most `score`, or BandCount when there is
// none (a score below 0, or a rule without a band at 0).
std::size_t FindBand(const BandTable& bands, float score);

// The name shift of the `rules` file, on at most kMaxRuleNameBytes bytes: encoding subtracts 11
// from every byte modulo 256, decoding adds it back. Longer input is cut to that length.
std::string EncodeRuleName(std::string_view name);
std::string DecodeRuleName(std::string_view stored);

}  // namespace gradova::grading
