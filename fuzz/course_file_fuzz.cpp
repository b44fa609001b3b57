// The course file reader on any bytes: fed in pieces whose sizes the bytes pick, it reads what it
// reads when fed whole, in the same encoding, and a good file written out (after its byte-order
// mark, if it had one) reads back as the same courses. A nameless course of a UTF-8 file is
// written without a name: the program writes its GBK name "未命名课程" converted, which this
// target, without the converter, cannot. Bytes that only just pass for UTF-8 (a sequence cut off by
// the end of the file) may no longer do so once written out with a line end; the check is made
// where the written file keeps the encoding. The bytes as a number text read as strtoll
// and strtod read them.
#include <algorithm>
#include <climits>
#include <string>
#include <tuple>

#include "check.h"
#include "courses/course_file.h"
#include "courses/courses_texts.h"
#include "courses/number_text.h"

using namespace gradova::courses;
using Read = std::tuple<std::vector<CourseRecord>, std::optional<CourseFileError>, std::size_t>;

static Read ReadInPieces(std::string_view text, bool whole, TextEncoding* encoding = nullptr) {
  std::vector<CourseRecord> courses;
  const auto onCourse = [&courses](const CourseFields& f) {
    courses.push_back({std::string(f.name), std::string(f.credits), std::string(f.score)});
  };
  CourseFileReader reader;
  while (!text.empty()) {
    const ExactBytes piece(text.substr(0, whole ? text.size() : 1 + text[0] % 8u));
    text.remove_prefix(piece.view.size());
    if (!reader.Feed(piece.view, onCourse)) break;
  }
  const CourseFileCheck check = reader.Finish(onCourse);
  if (encoding) *encoding = check.encoding;
  return {courses, check.error, check.errorLine};
}

// Where strtod reads hexadecimal, "inf" or "nan", LeadingDecimal reads only the digits before.
static void CheckNumbers(const std::string& text) {
  const long long integer = std::strtoll(text.c_str(), nullptr, 10);
  GRADOVA_FUZZ_CHECK(LeadingInteger(text) == std::clamp<long long>(integer, INT_MIN, INT_MAX),
                     "LeadingInteger differs from atoi");
  char* end = nullptr;
  const double decimal = std::strtod(text.c_str(), &end);
  const std::string_view read(text.c_str(), static_cast<std::size_t>(end - text.c_str()));
  GRADOVA_FUZZ_CHECK(LeadingDecimal(text) == decimal || read.find_first_of("xXiInN") != read.npos,
                     "LeadingDecimal differs from atof");
  const LeadingNumbers both = ReadLeadingNumbers(text);
  GRADOVA_FUZZ_CHECK(both.integer == LeadingInteger(text) && both.decimal == LeadingDecimal(text),
                     "ReadLeadingNumbers differs from LeadingInteger and LeadingDecimal");
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TextEncoding whole = TextEncoding::Gbk;
  TextEncoding inPieces = TextEncoding::Gbk;
  const Read read = ReadInPieces(text, true, &whole);
  const auto& [courses, error, errorLine] = read;
  GRADOVA_FUZZ_CHECK(ReadInPieces(text, false, &inPieces) == read && inPieces == whole,
                     "the pieces change what is read");
  GRADOVA_FUZZ_CHECK(errorLine == (error ? courses.size() + 1 : 0), "the bad line's number is off");
  CheckNumbers(text);
  const std::string_view bom = whole == TextEncoding::Utf8WithBom ? kUtf8Bom : "";
  std::vector<CourseRecord> written = courses;
  for (CourseRecord& course : written) {
    if (whole != TextEncoding::Gbk && course.name == kUnnamedCourse) course.name.clear();
  }
  const std::string file = std::string(bom) + FormatCourseFile(written);
  GRADOVA_FUZZ_CHECK(
      error || DetectTextEncoding(file) != whole || ReadInPieces(file, false) == read,
      "a good file written out reads back differently");
  return 0;
}
