#pragma once
// Zip archives for the .xlsx tests, written with libzip as a spreadsheet program would.
#include <zip.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gradova::testing {

using ZipParts = std::vector<std::pair<const char*, std::string_view>>;

// A zip archive of `parts` at `path`.
inline void WriteZip(const std::string& path, const ZipParts& parts) {
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
  for (const auto& [name, text] : parts) {
    zip_file_add(zip, name, zip_source_buffer(zip, text.data(), text.size(), 0), 0);
  }
  ASSERT_EQ(zip_close(zip), 0);
}

}  // namespace gradova::testing
