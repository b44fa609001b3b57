#include "platform/program_files.h"

#include <new>
#include <optional>

#include "grading/built_in_rules.h"
#include "platform/gbk.h"

namespace gradova::platform {

grading::RulesFileContents ReadRulesFile(const std::string& path) {
  try {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes) return grading::ParseRulesFile(*bytes);
  } catch (const std::bad_alloc&) {
  }
  return grading::RulesFileContents{grading::RulesFileStatus::Missing, {}};
}

ReplaceStatus WriteRulesFile(const grading::RuleSet& ruleSet, const std::string& path) {
  return ReplaceFile(path, grading::FormatRulesFile(ruleSet));
}

EnsureRulesStatus EnsureRulesFile(const std::string& path) {
  if (PathExists(path)) return EnsureRulesStatus::Existed;
  return WriteRulesFile(grading::MakeBuiltInRules(), path) == ReplaceStatus::Replaced
             ? EnsureRulesStatus::Created
             : EnsureRulesStatus::CannotCreate;
}

courses::CourseFileCheck ReadCourseFile(
    const std::string& path, const std::function<void(const courses::CourseFields&)>& onCourse) {
  try {
    courses::CourseFileReader reader(AppendUtf8ToGbk);
    if (ReadFilePieces(path,
                       [&](std::string_view piece) { return reader.Feed(piece, onCourse); })) {
      return reader.Finish(onCourse);
    }
  } catch (const std::bad_alloc&) {
  }
  return {courses::CourseFileError::CannotOpen, 0};
}

ReplaceStatus WriteCourseFile(const std::string& path,
                              const std::vector<courses::CourseRecord>& records,
                              courses::TextEncoding encoding) {
  const std::string gbk = courses::FormatCourseFile(records);
  switch (encoding) {
    case courses::TextEncoding::Gbk:
      return ReplaceFile(path, gbk);
    case courses::TextEncoding::Utf8:
      return ReplaceFile(path, GbkToUtf8(gbk));
    case courses::TextEncoding::Utf8WithBom:
      return ReplaceFile(path, std::string(courses::kUtf8Bom) + GbkToUtf8(gbk));
  }
  return ReplaceStatus::WriteFailed;
}

}  // namespace gradova::platform
