#include "platform/program_files.h"

#include <new>
#include <optional>

#include "grading/built_in_rules.h"
#include "platform/gbk.h"

namespace gradova::platform {
namespace {

// UTF-8 `text` as GBK in its own buffer, a piece at a time; returns how many characters became
// "?". No character takes more bytes in GBK (or as "?") than in UTF-8, so what is written never
// overtakes what is still to be read. The pieces are cut before a byte that starts a character.
std::size_t Utf8ToGbkInPlace(std::string& text) {
  constexpr std::size_t kPieceBytes = 1 << 20;
  const auto continues = [&text](std::size_t pos) {
    return pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80;
  };
  std::size_t replaced = 0;
  std::size_t written = 0;
  std::string gbk;
  for (std::size_t read = 0; read < text.size();) {
    std::size_t end = std::min(read + kPieceBytes, text.size());
    for (int back = 0; back < 3 && end > read + 1 && continues(end); ++back) --end;
    gbk.clear();
    replaced += AppendUtf8ToGbk(std::string_view(text).substr(read, end - read), gbk);
    text.replace(written, gbk.size(), gbk);
    written += gbk.size();
    read = end;
  }
  text.resize(written);
  return replaced;
}

}  // namespace

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

courses::CourseList ReadCourseFile(const std::string& path, courses::CourseFileCheck& check) {
  check = {};
  try {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (bytes) {
      check.encoding = courses::CourseFileEncoding(*bytes);
      if (check.encoding == courses::TextEncoding::Utf8WithBom) {
        bytes->erase(0, courses::kUtf8Bom.size());
      }
      if (check.encoding != courses::TextEncoding::Gbk) {
        check.replacedCharacters = Utf8ToGbkInPlace(*bytes);
      }
      return courses::ReadCourseText(std::move(*bytes), check);
    }
  } catch (const std::bad_alloc&) {
  }
  check = {courses::CourseFileError::CannotOpen, 0};
  return {};
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

ReplaceStatus WriteCourseTable(const std::string& path,
                               const std::vector<courses::CourseRecord>& records) {
  return ReplaceFile(
      path, std::string(courses::kUtf8Bom) + GbkToUtf8(courses::FormatCourseTable(records)));
}

}  // namespace gradova::platform
