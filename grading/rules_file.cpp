#include "grading/rules_file.h"

#include <optional>

namespace gradova::grading {
namespace {

constexpr char kNameEnd = 0x65;
constexpr char kRecordEnd = 0x66;

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}
  bool AtEnd() const { return m_pos == m_bytes.size(); }
  std::optional<unsigned char> Next() {
    if (AtEnd()) return std::nullopt;
    return static_cast<unsigned char>(m_bytes[m_pos++]);
  }
  char Peek() const { return m_bytes[m_pos]; }

 private:
  std::string_view m_bytes;
  std::size_t m_pos = 0;
};

// Reads one record that starts at the reader's position; nothing when it is cut off. A record
// over the program's limits keeps its first 20 name bytes and 32 bands, and sets `clipped`.
std::optional<Rule> ReadRecord(ByteReader& reader, bool& clipped) {
  std::string stored;
  for (;;) {
    const auto byte = reader.Next();
    if (!byte) return std::nullopt;
    if (*byte == kNameEnd) break;
    if (stored.size() < kMaxRuleNameBytes) {
      stored.push_back(static_cast<char>(*byte));
    } else {
      clipped = true;
    }
  }
  Rule rule;
  const std::string decoded = DecodeRuleName(stored);
  rule.name = decoded.substr(0, decoded.find('\0'));
  rule.bands = MakeEmptyBandTable();
  std::size_t slot = 0;
  for (;;) {
    const auto lowerBound = reader.Next();
    if (!lowerBound) return std::nullopt;
    if (*lowerBound == kRecordEnd) break;
    const auto points = reader.Next();
    if (!points) return std::nullopt;
    if (slot < kBandSlots) {
      rule.bands[slot++] = RuleBand{*lowerBound, *points};
    } else {
      clipped = true;
    }
  }
  return rule;
}

}  // namespace

RulesFileContents ParseRulesFile(std::string_view bytes) {
  RulesFileContents contents;
  ByteReader reader(bytes);
  while (!reader.AtEnd() && reader.Peek() != kRecordEnd) {
    bool clipped = false;
    std::optional<Rule> rule;
    if (contents.ruleSet.rules.size() < kMaxRules) rule = ReadRecord(reader, clipped);
    if (!rule) {
      contents.status = RulesFileStatus::Damaged;
      break;
    }
    if (clipped) contents.status = RulesFileStatus::Damaged;
    contents.ruleSet.rules.push_back(std::move(*rule));
  }
  return contents;
}

std::string FormatRulesFile(const RuleSet& ruleSet) {
  std::string bytes;
  for (const Rule& rule : ruleSet.rules) {
    bytes += EncodeRuleName(rule.name.substr(0, rule.name.find('\0')));
    bytes += kNameEnd;
    const std::size_t count = BandCount(rule.bands);
    for (std::size_t slot = 0; slot < count; ++slot) {
      bytes += static_cast<char>(rule.bands[slot].lowerBound & 0xFF);
      bytes += static_cast<char>(rule.bands[slot].points & 0xFF);
    }
    bytes += kRecordEnd;
  }
  return bytes;
}

}  // namespace gradova::grading
