#include "cli/course_source.h"

#include <string>

#include "courses/course_file.h"
#include "platform/gbk.h"
#include "platform/program_files.h"
#include "platform/transcript_file.h"

namespace gradova::cli {
namespace {

void PrintGbk(std::FILE* stream, const std::string& prefix, std::string_view gbk) {
  const std::string text = prefix + platform::GbkToUtf8(gbk) + "\n";
  std::fwrite(text.data(), 1, text.size(), stream);
}

std::string_view CourseFileMessage(courses::CourseFileError error) {
  // In the order of CourseFileError: CannotOpen, BadFormat, BadData.
  constexpr std::string_view kMessages[] = {"文件打开失败！", "文件格式错误!", "文件包含错误数据!"};
  return kMessages[static_cast<std::size_t>(error)];
}

std::optional<courses::CourseList> ReadCourseFile(const std::string& path, std::FILE* err) {
  courses::CourseFileCheck check;
  courses::CourseList list = platform::ReadCourseFile(path, check);
  if (check.error) {
    std::string where = path;
    std::string message(CourseFileMessage(*check.error));
    if (check.errorLine > 0) {
      where += ":" + std::to_string(check.errorLine);
      message += " " + platform::GbkToUtf8(courses::DescribeBadLine(check));
    }
    std::fprintf(err, "gradova-cli: %s: %s\n", where.c_str(), message.c_str());
    return std::nullopt;
  }
  if (check.replacedCharacters > 0) {
    std::fprintf(err, "gradova-cli: %s: 有%zu个字符无法转换，已替换为“?”。\n", path.c_str(),
                 check.replacedCharacters);
  }
  return list;
}

std::optional<courses::CourseList> ImportTranscript(const Options& options, std::FILE* err) {
  const std::string& path = options.courseFile;
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
  return courses::ListOf(imported.listed);
}

}  // namespace

std::optional<courses::CourseList> ReadCourses(const Options& options, std::FILE* err) {
  std::optional<courses::CourseList> list = platform::IsTranscriptPath(options.courseFile)
                                                ? ImportTranscript(options, err)
                                                : ReadCourseFile(options.courseFile, err);
  if (list && list->Size() == 0) {
    std::fprintf(err, "gradova-cli: %s: 当前没有数据！\n", options.courseFile.c_str());
    return std::nullopt;
  }
  return list;
}

}  // namespace gradova::cli
