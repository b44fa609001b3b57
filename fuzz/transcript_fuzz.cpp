// The transcript import on any bytes, as comma- and as tab-separated text: every row is accounted
// for, and the counted courses make a course file that reads back as the same courses. A leading
// byte-order mark is dropped first, as the file reader does before the import sees the text. A
// GBK course file cannot begin with the mark's three bytes (锘 and a character whose first byte is
// BF), which would be read as the mark: such a first course is left unchecked.
#include <string>

#include "check.h"
#include "courses/course_file.h"
#include "courses/text_encoding.h"
#include "courses/transcript.h"

using namespace gradova::courses;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  for (const char separator : {',', '\t'}) {
    const TextRecords records = ParseDelimitedText(text, separator).records;
    for (const RetakePolicy retake : {RetakePolicy::Highest, RetakePolicy::Latest}) {
      const TranscriptImport imported =
          ImportTranscript(records, {FindTranscriptColumns(records), DefaultGradeMap(), retake});
      GRADOVA_FUZZ_CHECK(imported.rows.size() <= records.size(), "more rows than records");
      GRADOVA_FUZZ_CHECK(imported.courses.size() == imported.Count(RowFate::Counted),
                         "the courses are not the counted rows");
      const std::string file = FormatCourseFile(imported.courses);
      CourseFileCheck check;
      const CourseList list = ReadCourseText(file, check);
      std::vector<CourseRecord> read;
      for (std::size_t i = 0; i < list.Size(); ++i) {
        read.push_back(
            {std::string(list[i].name), std::string(list[i].credits), std::string(list[i].score)});
      }
      GRADOVA_FUZZ_CHECK(
          file.substr(0, kUtf8Bom.size()) == kUtf8Bom || (!check.error && read == imported.courses),
          "an imported course fails the course file's checks");
    }
  }
  return 0;
}
