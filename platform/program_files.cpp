#include "platform/program_files.h"

#include <optional>

#include "grading/built_in_rules.h"

namespace gradova::platform {

grading::RulesFileContents ReadRulesFile(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return grading::RulesFileContents{grading::RulesFileStatus::Missing, {}};
  return grading::ParseRulesFile(*bytes);
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
  courses::CourseFileReader reader;
  if (!ReadFilePieces(path, [&](std::string_view piece) { return reader.Feed(piece, onCourse); })) {
    return {courses::CourseFileError::CannotOpen, 0};
  }
  return reader.Finish(onCourse);
}

ReplaceStatus WriteCourseFile(const std::string& path,
                              const std::vector<courses::CourseRecord>& records) {
  return ReplaceFile(path, courses::FormatCourseFile(records));
}

}  // namespace gradova::platform
