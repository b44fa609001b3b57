#include "courses/number_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace gradova::courses {
namespace {

// Up to 15 digits without an exponent, the digits and the power of ten under them are exact
// doubles, and one correctly rounded division of exact values gives the correctly rounded
// quotient: the same double from_chars reads, without its general machinery.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpace(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) ++pos;
  return pos;
}

// The rough decimal magnitude of a digit string with an exponent, enough to tell an overflow
// (far above 1e308) from an underflow (far below 1e-308).
bool IsHuge(std::string_view mantissa, std::string_view exponent) {
  long long magnitude = 0;
  const std::size_t point = mantissa.find('.');
  const std::size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
  const std::size_t firstNonZero = mantissa.find_first_not_of("0.");
  if (firstNonZero == std::string_view::npos) return false;
  magnitude = firstNonZero < integerDigits ? static_cast<long long>(integerDigits - firstNonZero)
                                           : -static_cast<long long>(firstNonZero - integerDigits);
  bool negative = false;
  std::size_t pos = 0;
  if (pos < exponent.size() && (exponent[pos] == '+' || exponent[pos] == '-')) {
    negative = exponent[pos++] == '-';
  }
  long long value = 0;
  for (; pos < exponent.size() && value < 1'000'000'000'000LL; ++pos) {
    value = value * 10 + (exponent[pos] - '0');
  }
  return magnitude + (negative ? -value : value) > 0;
}

// A text of at most 15 characters that is nothing but digits with at most one point, and at least
// one digit.
struct PlainNumber {
  std::uint64_t digits = 0;  // all of them, the fraction's too
  std::uint64_t integerPart = 0;
  std::size_t fractionDigits = 0;
  double Value() const { return static_cast<double>(digits) / kPowersOfTen[fractionDigits]; }
};

std::optional<PlainNumber> ReadPlainNumber(std::string_view text) {
  if (text.size() > 15) return std::nullopt;
  PlainNumber number;
  std::size_t point = text.size();
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (IsDigit(text[pos])) {
      number.digits = number.digits * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    } else if (text[pos] == '.' && point == text.size()) {
      point = pos;
      number.integerPart = number.digits;
    } else {
      return std::nullopt;
    }
  }
  if (point == text.size()) {
    number.integerPart = number.digits;
  } else {
    number.fractionDigits = text.size() - point - 1;
  }
  if (text.size() - (point < text.size() ? 1 : 0) == 0) return std::nullopt;
  return number;
}

// Digits from `pos` on, taken into `mantissa` (which wraps after 19 digits; it is only used for
// short numbers); returns the end of the digits.
std::size_t TakeDigits(std::string_view text, std::size_t pos, std::uint64_t& mantissa) {
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[pos] - '0');
  }
  return pos;
}

}  // namespace

int LeadingInteger(std::string_view text) {
  // Most texts are a few digits and nothing else.
  if (!text.empty() && text.size() <= 9 && IsDigit(text[0])) {
    int value = 0;
    std::size_t pos = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) value = value * 10 + (text[pos] - '0');
    return value;
  }
  std::size_t pos = SkipSpace(text, 0);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  long long value = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    value = value * 10 + (text[pos] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) {
      value = static_cast<long long>(INT_MAX) + 1;
    }
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

double LeadingDecimal(std::string_view text) {
  // Most texts are nothing but such a number, with or without a fraction.
  if (const std::optional<PlainNumber> plain = ReadPlainNumber(text)) return plain->Value();
  std::size_t pos = SkipSpace(text, 0);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  const std::size_t start = pos;
  std::uint64_t mantissa = 0;
  std::size_t end = TakeDigits(text, pos, mantissa);
  std::size_t digits = end - start;
  std::size_t fractionDigits = 0;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = TakeDigits(text, end + 1, mantissa);
    fractionDigits = fractionEnd - end - 1;
    digits += fractionDigits;
    if (digits > 0) end = fractionEnd;
  }
  if (digits == 0) return 0.0;
  const std::size_t mantissaEnd = end;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponentEnd = SkipDigits(text, exponent);
    if (exponentEnd > exponent) end = exponentEnd;
  }
  if (end == mantissaEnd && digits <= 15) {
    const double value = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    return negative ? -value : value;
  }
  const std::string_view number = text.substr(start, end - start);
  double value = 0.0;
  const auto [ptr, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    const std::string_view exponent =
        mantissaEnd < end ? text.substr(mantissaEnd + 1, end - mantissaEnd - 1) : "";
    value = IsHuge(text.substr(start, mantissaEnd - start), exponent)
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  }
  return negative ? -value : value;
}

LeadingNumbers ReadLeadingNumbers(std::string_view text) {
  const std::optional<PlainNumber> plain = ReadPlainNumber(text);
  // An integer part that int cannot hold takes the general way, which saturates.
  if (plain && plain->integerPart <= static_cast<std::uint64_t>(INT_MAX)) {
    return {static_cast<int>(plain->integerPart), plain->Value()};
  }
  return {LeadingInteger(text), LeadingDecimal(text)};
}

std::optional<double> ParseDecimal(std::string_view text) {
  const std::size_t integerEnd = SkipDigits(text, 0);
  std::size_t end = integerEnd;
  if (end < text.size() && text[end] == '.') end = SkipDigits(text, end + 1);
  const std::size_t digits = end - (end > integerEnd ? 1 : 0);
  if (end != text.size() || digits == 0) return std::nullopt;
  return LeadingDecimal(text);
}

std::string FormatFixed(double value, int decimals) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The longest "%.2f" of a double has 309 integer digits.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

}  // namespace gradova::courses
