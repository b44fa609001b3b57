#include "grading/rule_set.h"

namespace gradova::grading {
namespace {

constexpr unsigned char kNameShift = 11;

std::string ShiftName(std::string_view name, unsigned char shift) {
  std::string shifted(name.substr(0, kMaxRuleNameBytes));
  for (char& c : shifted) c = static_cast<char>(static_cast<unsigned char>(c) + shift);
  return shifted;
}

}  // namespace

BandTable MakeEmptyBandTable() { return BandTable{}; }

std::size_t BandCount(const BandTable& bands) {
  std::size_t count = 0;
  while (count < bands.size() && bands[count].lowerBound != kNoBand) ++count;
  return count;
}

std::size_t FindBand(const BandTable& bands, float score) {
  std::size_t slot = 0;
  while (slot < bands.size() && bands[slot].lowerBound != kNoBand &&
         static_cast<float>(bands[slot].lowerBound) > score) {
    ++slot;
  }
  return slot;
}

std::string EncodeRuleName(std::string_view name) {
  return ShiftName(name, static_cast<unsigned char>(256 - kNameShift));
}

std::string DecodeRuleName(std::string_view stored) { return ShiftName(stored, kNameShift); }

}  // namespace gradova::grading
