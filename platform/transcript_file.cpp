#include "platform/transcript_file.h"

#include <filesystem>
#include <system_error>
#include <variant>

#include "courses/text_encoding.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/transcript_texts.h"
#include "platform/xls_reader.h"
#include "platform/xlsx_reader.h"

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

TranscriptFile Kept(courses::ReadRecords read) {
  if (read.error == courses::RecordsError::CellTooLong) {
    return {{}, TranscriptFileError::CellTooLong};
  }
  if (read.error) return {{}, TranscriptFileError::TooLarge};
  return {std::move(read.records), std::nullopt};
}

}  // namespace

bool IsTranscriptPath(std::string_view path) {
  return EndsWithNoCase(path, ".csv") || EndsWithNoCase(path, ".tsv") ||
         EndsWithNoCase(path, ".xlsx") || EndsWithNoCase(path, ".xls");
}

std::string TranscriptTextToGbk(std::string_view bytes) {
  const std::string_view bom = courses::kUtf8Bom;
  if (bytes.substr(0, bom.size()) == bom) return Utf8ToGbk(bytes.substr(bom.size()));
  return courses::IsValidUtf8(bytes) ? Utf8ToGbk(bytes) : Utf8ToGbk(Gb18030ToUtf8(bytes));
}

TranscriptFile ReadTranscriptFile(const std::string& path,
                                  const courses::TranscriptLimits& limits) {
  const bool xls = EndsWithNoCase(path, ".xls");
  if (xls || EndsWithNoCase(path, ".xlsx")) {
    if (!CanReadFile(path)) return {{}, TranscriptFileError::CannotOpen};
    FirstSheet sheet = xls ? ReadXlsFirstSheet(path, limits) : ReadXlsxFirstSheet(path, limits);
    if (const auto* error = std::get_if<TranscriptFileError>(&sheet)) return {{}, *error};
    TranscriptFile file = Kept(std::move(std::get<courses::ReadRecords>(sheet)));
    for (auto& record : file.records) {
      for (std::string& cell : record) cell = Utf8ToGbk(cell);
    }
    return file;
  }
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > limits.textFileBytes) return {{}, TranscriptFileError::TooLarge};
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return {{}, TranscriptFileError::CannotOpen};
  return Kept(courses::ParseDelimitedText(TranscriptTextToGbk(*bytes),
                                          EndsWithNoCase(path, ".tsv") ? '\t' : ',', limits));
}

std::string_view TranscriptFileMessage(TranscriptFileError error) {
  // In the order of TranscriptFileError.
  constexpr std::string_view kMessages[] = {
      kTranscriptCannotOpen, kTranscriptNotZip,      kTranscriptDamagedZip, kTranscriptNoWorksheet,
      kTranscriptDamagedXml, kTranscriptCellTooLong, kTranscriptTooLarge,   kTranscriptNotXls,
      kTranscriptDamagedXls, kTranscriptEncrypted,   kTranscriptNoXlsSheet};
  return kMessages[static_cast<std::size_t>(error)];
}

}  // namespace gradova::platform
