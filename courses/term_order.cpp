#include "courses/term_order.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace gradova::courses {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the GBK character at `pos`: a byte from 0x81 up leads a two-byte one, whose trail
// byte (0x40 up) is never a digit.
std::size_t CharLength(std::string_view text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]) >= 0x81 && pos + 1 < text.size() ? 2 : 1;
}

// The index of the two-byte character at `pos` in `words`, a text of two-byte characters, or -1.
int WordIndex(std::string_view words, std::string_view text, std::size_t pos) {
  for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
    if (text.compare(pos, 2, words.substr(i, 2)) == 0) return static_cast<int>(i / 2);
  }
  return -1;
}

// The digits of the run at `pos`, and where it ends.
std::pair<std::string_view, std::size_t> DigitRun(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return {text.substr(pos, end - pos), end};
}

// Where a label falls in time. Ranks are doubled so that a winter term can fall between the first
// and the second term of a school year.
struct TermKey {
  bool dated = false;
  int year = 0;
  int rank = 0;

  bool operator<(const TermKey& other) const {
    if (dated != other.dated) return dated;
    return year != other.year ? year < other.year : rank < other.rank;
  }
};

// The term within the year of the label's text after its year, 0 for none.
int TermRank(std::string_view rest, bool schoolYear) {
  // Seasons as 春, 夏, 秋, 冬; a school year starts in autumn.
  constexpr int kCalendarSeasons[] = {2, 4, 6, 8};
  constexpr int kSchoolSeasons[] = {4, 6, 2, 3};
  for (std::size_t pos = 0; pos < rest.size(); pos += CharLength(rest, pos)) {
    if (IsDigit(rest[pos])) {
      const auto [digits, end] = DigitRun(rest, pos);
      if (digits.size() == 1) return 2 * (digits[0] - '0');
      pos = end - 1;
      continue;
    }
    if (CharLength(rest, pos) != 2) continue;
    if (const int numeral = WordIndex(kTermNumerals, rest, pos); numeral >= 0) {
      return 2 * (numeral + 1);
    }
    if (const int half = WordIndex(kTermHalves, rest, pos); half >= 0) return 2 * (half + 1);
    if (const int season = WordIndex(kTermSeasons, rest, pos); season >= 0) {
      return (schoolYear ? kSchoolSeasons : kCalendarSeasons)[season];
    }
  }
  return 0;
}

TermKey KeyOf(std::string_view label) {
  for (std::size_t pos = 0; pos < label.size(); pos += CharLength(label, pos)) {
    if (!IsDigit(label[pos])) continue;
    const auto [digits, end] = DigitRun(label, pos);
    if (digits.size() != 4) {
      pos = end - 1;
      continue;
    }
    TermKey key{true, std::stoi(std::string(digits)), 0};
    // A school year: one separating character, then the next year.
    std::size_t rest = end;
    if (end < label.size()) {
      const std::size_t next = end + CharLength(label, end);
      const auto [second, secondEnd] = DigitRun(label, next);
      const bool schoolYear = second.size() == 4 && std::stoi(std::string(second)) == key.year + 1;
      if (schoolYear) rest = secondEnd;
      key.rank = TermRank(label.substr(rest), schoolYear);
    }
    return key;
  }
  return {};
}

}  // namespace

std::vector<std::string> OrderTerms(std::vector<std::string> labels) {
  std::vector<std::pair<TermKey, std::string>> keyed;
  keyed.reserve(labels.size());
  for (std::string& label : labels) {
    const TermKey key = KeyOf(label);
    keyed.emplace_back(key, std::move(label));
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  labels.clear();
  for (auto& [key, label] : keyed) labels.push_back(std::move(label));
  return labels;
}

std::vector<std::string> OrderedTerms(const CourseList& list) {
  std::vector<std::string> terms;
  std::unordered_set<std::string_view> seen;  // views into the list's text or kNoTerm
  for (std::size_t i = 0; i < list.Size(); ++i) {
    const std::string_view term = TermOf(list[i]);
    if (seen.insert(term).second) terms.emplace_back(term);
  }
  return OrderTerms(std::move(terms));
}

}  // namespace gradova::courses
