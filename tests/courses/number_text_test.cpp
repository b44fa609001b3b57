#include "courses/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "support/row_printer.h"

namespace gradova::courses {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

struct IntegerRow {
  const char* label;
  const char* text;
  int value;
};

class LeadingIntegerOf : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(LeadingIntegerOf, ReadsLikeAtoi) {
  EXPECT_EQ(LeadingInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingIntegerOf,
    ::testing::Values(IntegerRow{"Plain", "100", 100}, IntegerRow{"Decimal", "88.5", 88},
                      IntegerRow{"LeadingSpaceAndTab", " \t42", 42}, IntegerRow{"Plus", "+7", 7},
                      IntegerRow{"Minus", "-0.5", 0}, IntegerRow{"NegativeOne", "-1", -1},
                      IntegerRow{"LettersOnly", "abc", 0},
                      IntegerRow{"DigitsThenLetters", "4ab", 4}, IntegerRow{"Empty", "", 0},
                      IntegerRow{"SignOnly", "-", 0},
                      IntegerRow{"OverflowSaturates", "99999999999", INT_MAX},
                      IntegerRow{"NegativeOverflowSaturates", "-99999999999", INT_MIN},
                      IntegerRow{"ManyDigits", "123456789012345678901234567890", INT_MAX}),
    [](const auto& info) { return std::string(info.param.label); });

struct DecimalRow {
  const char* label;
  const char* text;
  double value;
};

class LeadingDecimalOf : public ::testing::TestWithParam<DecimalRow> {};

TEST_P(LeadingDecimalOf, ReadsOnlyDecimalNumbers) {
  const double value = LeadingDecimal(GetParam().text);
  if (std::isinf(GetParam().value)) {
    EXPECT_EQ(value, GetParam().value);
  } else {
    EXPECT_DOUBLE_EQ(value, GetParam().value);
  }
}

constexpr double kInf = HUGE_VAL;

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingDecimalOf,
    ::testing::Values(
        DecimalRow{"Integer", "100", 100}, DecimalRow{"Fraction", "88.5", 88.5},
        DecimalRow{"LeadingPoint", ".5", 0.5}, DecimalRow{"TrailingPoint", "5.", 5},
        DecimalRow{"Exponent", "1.5e2", 150}, DecimalRow{"NegativeExponent", "25E-1", 2.5},
        DecimalRow{"ExponentWithoutDigits", "4e", 4}, DecimalRow{"ExponentSignOnly", "4e+x", 4},
        DecimalRow{"Signs", "-2.5", -2.5}, DecimalRow{"Plus", "+3", 3},
        DecimalRow{"LeadingSpace", "  7", 7}, DecimalRow{"TrailingLetters", "4abc", 4},
        DecimalRow{"CommaStops", "88,5", 88}, DecimalRow{"Hexadecimal", "0x10", 0},
        DecimalRow{"Infinity", "inf", 0}, DecimalRow{"NotANumber", "nan", 0},
        DecimalRow{"PointOnly", ".", 0}, DecimalRow{"Empty", "", 0},
        DecimalRow{"Overflow", "1e999", kInf}, DecimalRow{"NegativeOverflow", "-1e999", -kInf},
        DecimalRow{"LongMantissaOverflow", "99999e99999999999999999999", kInf},
        DecimalRow{"Underflow", "1e-999", 0},
        DecimalRow{"SmallMantissaHugeExponent", "0.00001e310", 1e305},
        DecimalRow{"FifteenDigits", "12345678.9012345", 12345678.9012345},
        DecimalRow{"SixteenDigits", "1234567890.123456", 1234567890.123456},
        DecimalRow{"LeadingZeros", "000000000000000000088.5", 88.5},
        DecimalRow{"NinesBelowNinety", "89.999999", 89.999999}),
    [](const auto& info) { return std::string(info.param.label); });

// Short decimals are read by a quicker path than long ones; both must give the very double a
// correctly rounding reader gives.
TEST(LeadingDecimal, ShortAndLongDecimalsAgreeWithCorrectRounding) {
  std::mt19937 random(2026);
  for (int i = 0; i < 200000; ++i) {
    const std::size_t length = 1 + random() % 19;
    std::string digits;
    for (std::size_t k = 0; k < length; ++k)
      digits.push_back(static_cast<char>('0' + random() % 10));
    if (random() % 4 != 0) digits.insert(random() % (length + 1), ".");
    double expected = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), expected);
    EXPECT_EQ(LeadingDecimal(digits), expected) << digits;
    EXPECT_EQ(LeadingDecimal("-" + digits), -expected) << digits;
  }
}

struct FixedRow {
  const char* label;
  double value;
  int decimals;
  const char* text;
};

class FormatFixedOf : public ::testing::TestWithParam<FixedRow> {};

TEST_P(FormatFixedOf, MatchesPrintf) {
  EXPECT_EQ(FormatFixed(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatFixedOf,
                         ::testing::Values(FixedRow{"OneDecimal", 15.0, 1, "15.0"},
                                           FixedRow{"TwoDecimals", 3.76666, 2, "3.77"},
                                           FixedRow{"RoundsUp", 89.2, 1, "89.2"},
                                           FixedRow{"NegativeZero", -0.0, 1, "-0.0"},
                                           FixedRow{"Negative", -2.345, 2, "-2.35"},
                                           FixedRow{"Large", 1e20, 1, "100000000000000000000.0"},
                                           FixedRow{"Infinite", kInf, 1, "inf"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(FormatFixed, AgreesWithPrintfOnManyValues) {
  for (int i = -2000; i <= 2000; ++i) {
    const double value = i * 0.1f * 1.37;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.2f", value);
    EXPECT_EQ(FormatFixed(value, 2), expected) << value;
  }
}

// Under a locale with a decimal comma the C library reads "88.5" as 88 and prints "88,5".
class DecimalCommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE.utf8")) {
      GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup.sh generates it)";
    }
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    ASSERT_STREQ(printed, "1,5") << "the locale does not use a decimal comma";
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(DecimalCommaLocale, ReadingAndFormattingIgnoreTheLocale) {
  EXPECT_DOUBLE_EQ(LeadingDecimal("88.5"), 88.5);
  EXPECT_DOUBLE_EQ(LeadingDecimal("88,5"), 88.0);
  EXPECT_EQ(FormatFixed(89.25, 1), "89.2");
  EXPECT_EQ(FormatFixed(3.7667, 2), "3.77");
}

}  // namespace
}  // namespace gradova::courses
