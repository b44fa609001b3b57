// A whole course file: its lines are cut at LF with one CR before it dropped; a good file loads one
// record per line, each the line's own parse, and written out it loads back as the same records;
// a bad file loads nothing and names a line that exists, fails, and follows only good lines. The
// streaming reader that gradova-cli uses agrees with the loader line for line.
#include <string>
#include <variant>
#include <vector>

#include "check.h"
#include "courses/course_file.h"

namespace {

using gradova::courses::CourseFileError;
using gradova::courses::CourseLineError;
using gradova::courses::CourseRecord;

// The lines of a text, cut independently of the code under test.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    std::string_view line = text.substr(0, lf);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(lf + 1);
  }
  return lines;
}

CourseFileError FileError(CourseLineError error) {
  return error == CourseLineError::BadFormat ? CourseFileError::BadFormat
                                             : CourseFileError::BadData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const gradova::fuzz::ExactBytes input(data, size);
  const std::string_view text = input.View();
  const std::vector<std::string_view> lines = Lines(text);

  std::vector<std::string_view> seen;
  gradova::courses::ForEachTextLine(text, [&](std::string_view line) {
    seen.push_back(line);
    return true;
  });
  GRADOVA_FUZZ_CHECK(seen == lines, "ForEachTextLine cuts the lines differently");

  const gradova::courses::CourseFileContents contents = gradova::courses::ParseCourseFile(text);
  std::size_t streamed = 0;
  const gradova::courses::CourseFileCheck check =
      gradova::courses::ForEachCourse(text, [&](const gradova::courses::CourseFields& fields) {
        GRADOVA_FUZZ_CHECK(streamed < contents.records.size() || contents.error,
                           "ForEachCourse hands over more courses than the file loads");
        if (!contents.error) {
          const CourseRecord& record = contents.records[streamed];
          GRADOVA_FUZZ_CHECK(fields.name == record.name && fields.credits == record.credits &&
                                 fields.score == record.score,
                             "ForEachCourse and ParseCourseFile disagree on a course");
        }
        ++streamed;
      });
  GRADOVA_FUZZ_CHECK(check.error == contents.error && check.errorLine == contents.errorLine,
                     "ForEachCourse and ParseCourseFile disagree on the error");

  if (contents.error) {
    GRADOVA_FUZZ_CHECK(*contents.error != CourseFileError::CannotOpen,
                       "parsing bytes reports a file that cannot be opened");
    GRADOVA_FUZZ_CHECK(contents.records.empty(), "a bad file loads records");
    GRADOVA_FUZZ_CHECK(contents.errorLine >= 1 && contents.errorLine <= lines.size(),
                       "the bad line's number is outside the file");
    GRADOVA_FUZZ_CHECK(streamed == contents.errorLine - 1,
                       "the courses before the bad line are not all handed over");
    for (std::size_t i = 0; i + 1 < contents.errorLine; ++i) {
      GRADOVA_FUZZ_CHECK(
          std::holds_alternative<CourseRecord>(gradova::courses::ParseCourseLine(lines[i])),
          "a line before the reported one is bad");
    }
    const auto bad = gradova::courses::ParseCourseLine(lines[contents.errorLine - 1]);
    const auto* lineError = std::get_if<CourseLineError>(&bad);
    GRADOVA_FUZZ_CHECK(lineError && FileError(*lineError) == *contents.error,
                       "the reported line does not fail with the reported error");
    return 0;
  }

  GRADOVA_FUZZ_CHECK(contents.errorLine == 0, "a good file names a bad line");
  GRADOVA_FUZZ_CHECK(contents.records.size() == lines.size(),
                     "a good file loads a record per line");
  GRADOVA_FUZZ_CHECK(streamed == lines.size(), "ForEachCourse skips courses of a good file");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto parsed = gradova::courses::ParseCourseLine(lines[i]);
    const auto* record = std::get_if<CourseRecord>(&parsed);
    GRADOVA_FUZZ_CHECK(record && *record == contents.records[i],
                       "a loaded record is not its line's parse");
  }

  const std::string written = gradova::courses::FormatCourseFile(contents.records);
  GRADOVA_FUZZ_CHECK(written.empty() || written.substr(written.size() - 2) == "\r\n",
                     "a written course file does not end with CR LF");
  const gradova::fuzz::ExactBytes writtenCopy(written);
  const gradova::courses::CourseFileContents again =
      gradova::courses::ParseCourseFile(writtenCopy.View());
  GRADOVA_FUZZ_CHECK(!again.error, "a written course file does not load");
  GRADOVA_FUZZ_CHECK(again.records == contents.records,
                     "a written course file loads back as other records");
  return 0;
}
