#pragma once
// How Gradova reads numbers from the texts that the user typed or a course file held. Both
// readers ignore the C library's locale, so a decimal comma locale reads "88.5" as 88.5.
#include <optional>
#include <string>
#include <string_view>

namespace gradova::courses {

// The integer part, as `atoi` reads it: leading white space skipped, an optional sign, decimal
// digits up to the first other byte, 0 when there are none. Values beyond the range of int
// saturate at INT_MAX or INT_MIN rather than wrapping.
int LeadingInteger(std::string_view text);

// The longest leading decimal number, as `atof` reads it, but only decimals: white space, an
// optional sign, digits with an optional point and fraction, and an optional exponent. No
// hexadecimal, "inf" or "nan"; 0 when no number leads. A value too large for a double gives
// +/-infinity, one too small gives +/-0.
double LeadingDecimal(std::string_view text);

// A text that is nothing but a plain decimal, digits with an optional point and fraction, as a
// user types one into a field that takes no other; none for anything else, white space included.
std::optional<double> ParseDecimal(std::string_view text);

// A plain decimal as a course's credits and score are written: ParseDecimal's text after an
// optional sign.
std::optional<double> PlainDecimal(std::string_view text);

// `value` with `decimals` digits after the point, as "%.<decimals>f" under the "C" locale but for
// ties, which go away from zero as students and registrars round: 87.25 gives 87.3 and 3.125 gives
// 3.13 where printf gives 87.2 and 3.12. Non-finite values give "inf", "-inf" or "nan" as printf
// would; callers that show values decide what to show for them.
std::string FormatFixed(double value, int decimals);

}  // namespace gradova::courses
