// One course line: the fields of a good line are what its last two spaces delimit, a good record
// written out and read again is the same record, an error is the first failing check in the
// documented order, and the numbers read from the fields are what the C library reads.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "check.h"
#include "courses/course_line.h"
#include "courses/courses_texts.h"
#include "courses/number_text.h"

namespace {

using gradova::courses::CourseFields;
using gradova::courses::CourseLineError;
using gradova::courses::CourseRecord;

// strtod and strtol need a terminated string; the copy is exactly the text plus its terminator.
std::string Terminated(std::string_view text) { return std::string(text); }

// LeadingInteger is atoi without its undefined overflow: strtoll clamped to int.
void CheckLeadingInteger(std::string_view text) {
  const std::string copy = Terminated(text);
  long long expected = std::strtoll(copy.c_str(), nullptr, 10);
  if (expected > INT_MAX) expected = INT_MAX;
  if (expected < INT_MIN) expected = INT_MIN;
  GRADOVA_FUZZ_CHECK(gradova::courses::LeadingInteger(text) == expected,
                     "LeadingInteger differs from strtoll clamped to int");
}

// LeadingDecimal is atof restricted to decimals: where strtod read a decimal number, both agree
// to the bit; where strtod read hexadecimal, "inf" or "nan", LeadingDecimal reads only the
// decimal digits before them, which this check leaves alone.
void CheckLeadingDecimal(std::string_view text) {
  const std::string copy = Terminated(text);
  char* end = nullptr;
  const double expected = std::strtod(copy.c_str(), &end);
  const std::string_view read(copy.c_str(), static_cast<std::size_t>(end - copy.c_str()));
  if (read.find_first_of("xXiInN") != std::string_view::npos) return;
  const double value = gradova::courses::LeadingDecimal(text);
  const bool same = std::isnan(value)
                        ? false
                        : value == expected && std::signbit(value) == std::signbit(expected);
  GRADOVA_FUZZ_CHECK(same, "LeadingDecimal differs from strtod on a decimal number");
}

bool SameFields(const CourseFields& fields, const CourseRecord& record) {
  return fields.name == record.name && fields.credits == record.credits &&
         fields.score == record.score;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const gradova::fuzz::ExactBytes input(data, size);
  const std::string_view line = input.View();

  CheckLeadingInteger(line);
  CheckLeadingDecimal(line);

  const auto parsed = gradova::courses::ParseCourseLine(line);
  const auto split = gradova::courses::SplitCourseLine(line);
  const auto fields = gradova::courses::SplitCourseFields(line);
  GRADOVA_FUZZ_CHECK(fields.has_value() == (line.find(' ') != std::string_view::npos),
                     "a line splits into fields exactly when it holds a space");

  if (const auto* error = std::get_if<CourseLineError>(&parsed)) {
    const auto* splitError = std::get_if<CourseLineError>(&split);
    GRADOVA_FUZZ_CHECK(splitError && *splitError == *error,
                       "SplitCourseLine and ParseCourseLine disagree on a bad line");
    // The checks in order: empty credits, credits below 1, empty score, score out of range.
    CourseLineError expected = CourseLineError::BadFormat;
    if (fields && !fields->credits.empty()) {
      const int credits = gradova::courses::LeadingInteger(fields->credits);
      const int score = gradova::courses::LeadingInteger(fields->score);
      if (credits < 1) {
        expected = CourseLineError::BadData;
      } else if (!fields->score.empty()) {
        GRADOVA_FUZZ_CHECK(score < 0 || score > 100, "a line with good fields was refused");
        expected = CourseLineError::BadData;
      }
    }
    GRADOVA_FUZZ_CHECK(*error == expected, "the error is not the first failing check's");
    return 0;
  }

  const CourseRecord& record = std::get<CourseRecord>(parsed);
  const auto* splitFields = std::get_if<CourseFields>(&split);
  GRADOVA_FUZZ_CHECK(splitFields && SameFields(*splitFields, record),
                     "SplitCourseLine and ParseCourseLine disagree on a good line");
  GRADOVA_FUZZ_CHECK(!record.name.empty() && !record.credits.empty() && !record.score.empty(),
                     "a good record has an empty field");
  GRADOVA_FUZZ_CHECK(
      record.credits.find(' ') == std::string::npos && record.score.find(' ') == std::string::npos,
      "credits or score holds a space");
  GRADOVA_FUZZ_CHECK(gradova::courses::LeadingInteger(record.credits) >= 1,
                     "a good record's credits are below 1");
  const int score = gradova::courses::LeadingInteger(record.score);
  GRADOVA_FUZZ_CHECK(score >= 0 && score <= 100, "a good record's score is out of range");

  // The line is the record's text, less the name when it had none.
  const std::string tail = record.credits + " " + record.score;
  const std::string written = gradova::courses::FormatCourseLine(record);
  const bool unnamed = record.name == gradova::courses::kUnnamedCourse;
  GRADOVA_FUZZ_CHECK(line == written || (unnamed && (line == tail || line == " " + tail)),
                     "the line is not the record written out");

  const auto again = gradova::courses::ParseCourseLine(written);
  const auto* reread = std::get_if<CourseRecord>(&again);
  GRADOVA_FUZZ_CHECK(reread && *reread == record, "a written record reads back differently");
  return 0;
}
