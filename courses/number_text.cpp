#include "courses/number_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <system_error>

namespace gradova::courses {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// The white space and the sign before a number, as atoi and atof skip them; true for a minus.
bool SkipSignAndSpace(std::string_view& text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || negative)) text.remove_prefix(1);
  return negative;
}

// Whether a decimal that from_chars found out of range is too large rather than too small: its
// first significant digit's power of ten, plus its exponent, is above zero.
bool IsTooLarge(std::string_view mantissa, std::string_view exponent) {
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_not_of("0.");
  long long magnitude = first < point ? static_cast<long long>(point - first)
                                      : -static_cast<long long>(first - point);
  const bool negative = SkipSignAndSpace(exponent);
  long long value = 0;
  for (const char c : exponent) value = std::min(value * 10 + (c - '0'), 1'000'000'000'000LL);
  magnitude += negative ? -value : value;
  return magnitude > 0;
}

}  // namespace

int LeadingInteger(std::string_view text) {
  const bool negative = SkipSignAndSpace(text);
  const std::string_view digits = text.substr(0, SkipDigits(text, 0));
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range) return negative ? INT_MIN : INT_MAX;
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double LeadingDecimal(std::string_view text) {
  const bool negative = SkipSignAndSpace(text);
  // The longest plain decimal that leads: digits, a point and digits, an exponent.
  const std::size_t integerEnd = SkipDigits(text, 0);
  std::size_t end = integerEnd;
  if (end < text.size() && text[end] == '.') end = SkipDigits(text, end + 1);
  const bool point = end > integerEnd;
  if (end - (point ? 1 : 0) == 0) return 0.0;  // no digit
  const std::size_t mantissaEnd = end;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    if (SkipDigits(text, exponent) > exponent) end = SkipDigits(text, exponent);
  }
  double value = 0.0;
  const auto [rest, error] = std::from_chars(text.data(), text.data() + end, value);
  if (error == std::errc::result_out_of_range) {
    const std::string_view exponent = text.substr(mantissaEnd, end - mantissaEnd);
    value = IsTooLarge(text.substr(0, mantissaEnd), exponent.substr(exponent.empty() ? 0 : 1))
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  }
  return negative ? -value : value;
}

std::optional<double> ParseDecimal(std::string_view text) {
  const std::size_t integerEnd = SkipDigits(text, 0);
  std::size_t end = integerEnd;
  if (end < text.size() && text[end] == '.') end = SkipDigits(text, end + 1);
  const std::size_t digits = end - (end > integerEnd ? 1 : 0);
  if (end != text.size() || digits == 0) return std::nullopt;
  return LeadingDecimal(text);
}

std::optional<double> PlainDecimal(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (negative || text.front() == '+')) text.remove_prefix(1);
  const std::optional<double> value = ParseDecimal(text);
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

std::string FormatFixed(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The shortest digits that read back as `value`, rounded as written: a digit of 5 or more after
  // the last one kept rounds up. A tie held exactly (87.25) is written as such, so it goes up too.
  // The longest such text of a double has 309 integer or 324 fraction digits.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  std::string text(buffer, result.ptr);
  const std::size_t first = text[0] == '-' ? 1 : 0;
  if (text.find('.') == std::string::npos) text += '.';
  const std::size_t end = text.find('.') + 1 + static_cast<std::size_t>(decimals);
  const bool up = end < text.size() && text[end] >= '5';
  text.resize(end, '0');
  if (decimals == 0) text.pop_back();
  for (std::size_t i = text.size(); up && i-- > first;) {
    if (text[i] == '.') continue;
    if (text[i] != '9') {
      ++text[i];
      return text;
    }
    text[i] = '0';
  }
  if (up) text.insert(first, 1, '1');
  return text;
}

}  // namespace gradova::courses
