#pragma once
// What an .xls file would make FreeXL do, found from its bytes before FreeXL reads it. FreeXL
// trusts a file's counts: it allocates each worksheet's whole cell grid from the sheet's
// dimensions, the shared string table from its count and the mini stream from its size, and
// follows sector chains wherever they lead. So a file is read by FreeXL only when its compound
// file holds a Workbook stream FreeXL finds and reads to its end, whose records lie within it and
// whose grids, in all, fit within limits.rows x limits.columns cells.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "courses/text_records.h"
#include "platform/transcript_file.h"

namespace gradova::platform {

struct XlsCheck {
  // NotXls without the compound file's signature, a Workbook or Book stream among the first
  // directory entries or a BIFF5/BIFF8 BOF record at its start; Encrypted for a FILEPASS record;
  // NoXlsSheet without a sheet; TooLarge for grids over the limit; DamagedXls for anything else
  // FreeXL would misread: a sector, chain, stream or record that is not where its header says.
  std::optional<TranscriptFileError> error;
  // The texts of the first sheet's cells that FreeXL reads wrongly or not at all (xls_values.h),
  // by 0-based (row, column): booleans and errors, and formulas' results.
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> values;
};

XlsCheck CheckXls(std::string_view file, const courses::TranscriptLimits& limits);

}  // namespace gradova::platform
