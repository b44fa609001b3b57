// The course file reader on any bytes: a good file written out (after its byte-order mark, if it
// had one) reads back as the same courses, and a bad line's number is one of the file's lines. A
// nameless course of a UTF-8 file is written without a name: the program writes its GBK name
// "未命名课程" converted, which this target, without the converter, cannot. Bytes that only just
// pass for UTF-8 (a sequence cut off by the end of the file) may no longer do so once written out
// with a line end; the check is made where the written file keeps the encoding.
#include <algorithm>
#include <string>

#include "check.h"
#include "courses/course_file.h"
#include "courses/courses_texts.h"

using namespace gradova::courses;

struct Read {
  std::vector<CourseRecord> courses;
  CourseFileCheck check;
};

static Read ReadText(std::string text) {
  Read read;
  read.check.encoding = CourseFileEncoding(text);
  if (read.check.encoding == TextEncoding::Utf8WithBom) text.erase(0, kUtf8Bom.size());
  const CourseList list = ReadCourseText(text, read.check);
  for (std::size_t i = 0; i < list.Size(); ++i) {
    const CourseFields f = list[i];
    read.courses.push_back({std::string(f.name), std::string(f.credits), std::string(f.score)});
  }
  return read;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const Read read = ReadText(text);
  const std::size_t lines =
      1 + std::count(text.begin(), text.end(), '\n') + std::count(text.begin(), text.end(), '\r');
  GRADOVA_FUZZ_CHECK(read.check.error ? read.courses.empty() && read.check.errorLine >= 1 &&
                                            read.check.errorLine <= lines
                                      : read.check.errorLine == 0,
                     "the bad line's number is off");
  const TextEncoding encoding = read.check.encoding;
  const std::string_view bom = encoding == TextEncoding::Utf8WithBom ? kUtf8Bom : "";
  std::vector<CourseRecord> written = read.courses;
  for (CourseRecord& course : written) {
    if (encoding != TextEncoding::Gbk && course.name == kUnnamedCourse) course.name.clear();
  }
  const std::string file = std::string(bom) + FormatCourseFile(written);
  GRADOVA_FUZZ_CHECK(read.check.error || DetectTextEncoding(file) != encoding ||
                         ReadText(file).courses == read.courses,
                     "a good file written out reads back differently");
  return 0;
}
