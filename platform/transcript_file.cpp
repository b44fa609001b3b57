#include "platform/transcript_file.h"

#include <variant>

#include "courses/text_encoding.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/transcript_texts.h"
#include "platform/xlsx_module.h"

namespace gradova::platform {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    const char c =
        text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != suffix[i]) return false;
  }
  return true;
}

}  // namespace

bool IsTranscriptPath(std::string_view path) {
  return EndsWithNoCase(path, ".csv") || EndsWithNoCase(path, ".tsv") ||
         EndsWithNoCase(path, ".xlsx");
}

std::string TranscriptTextToGbk(std::string_view bytes) {
  const std::string_view bom = courses::kUtf8Bom;
  if (bytes.substr(0, bom.size()) == bom) return Utf8ToGbk(bytes.substr(bom.size()));
  return courses::IsValidUtf8(bytes) ? Utf8ToGbk(bytes) : Utf8ToGbk(Gb18030ToUtf8(bytes));
}

TranscriptFile ReadTranscriptFile(const std::string& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return {{}, TranscriptFileError::CannotOpen};
  if (!EndsWithNoCase(path, ".xlsx")) {
    return {courses::ParseDelimitedText(TranscriptTextToGbk(*bytes),
                                        EndsWithNoCase(path, ".tsv") ? '\t' : ','),
            std::nullopt};
  }
  XlsxSheet sheet = ReadXlsxFirstSheetThroughModule(*bytes);
  if (const auto* error = std::get_if<TranscriptFileError>(&sheet)) return {{}, *error};
  courses::TextRecords records = std::move(std::get<courses::TextRecords>(sheet));
  for (auto& record : records) {
    for (std::string& cell : record) cell = Utf8ToGbk(cell);
  }
  return {std::move(records), std::nullopt};
}

std::string_view TranscriptFileMessage(TranscriptFileError error) {
  switch (error) {
    case TranscriptFileError::CannotOpen:
      return kTranscriptCannotOpen;
    case TranscriptFileError::NotZip:
      return kTranscriptNotZip;
    case TranscriptFileError::DamagedZip:
      return kTranscriptDamagedZip;
    case TranscriptFileError::NoWorksheet:
      return kTranscriptNoWorksheet;
    case TranscriptFileError::DamagedXml:
      return kTranscriptDamagedXml;
    case TranscriptFileError::NoXlsxModule:
      return kTranscriptNoXlsxModule;
  }
  return {};
}

}  // namespace gradova::platform
