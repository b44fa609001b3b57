#include "cli/course_source.h"

#include <memory>
#include <string>

#include "platform/gbk.h"
#include "platform/program_files.h"
#include "platform/transcript_file.h"

namespace gradova::cli {
namespace {

void PrintGbk(std::FILE* stream, const std::string& prefix, std::string_view gbk) {
  const std::string text = prefix + platform::GbkToUtf8(gbk) + "\n";
  std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

std::optional<CourseSource> OpenCourseSource(const Options& options, std::FILE* err) {
  const std::string path = options.courseFile;
  if (!platform::IsTranscriptPath(path)) {
    return [path](const OnCourse& onCourse) { return platform::ReadCourseFile(path, onCourse); };
  }
  const platform::TranscriptFile file = platform::ReadTranscriptFile(path);
  if (file.error) {
    PrintGbk(err, "gradova-cli: " + path + ": ", platform::TranscriptFileMessage(*file.error));
    return std::nullopt;
  }
  const courses::TranscriptImport imported = courses::ImportTranscript(
      file.records,
      {courses::FindTranscriptColumns(file.records),
       options.gradeMap ? *options.gradeMap : courses::DefaultGradeMap(), options.retake});
  for (const courses::TranscriptRow& row : imported.rows) {
    if (row.fate == courses::RowFate::Counted) continue;
    PrintGbk(err, "gradova-cli: " + path + ":" + std::to_string(row.record) + ": ",
             FormatCourseLine(row.course) + ": " + DescribeRow(row));
  }
  PrintGbk(err, "gradova-cli: " + path + ": ", courses::DescribeImport(imported));
  auto lines = std::make_shared<const std::string>(courses::FormatCourseFile(imported.courses));
  return [lines](const OnCourse& onCourse) {
    courses::CourseFileReader reader;
    reader.Feed(*lines, onCourse);
    return reader.Finish(onCourse);
  };
}

}  // namespace gradova::cli
