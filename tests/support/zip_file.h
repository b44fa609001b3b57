#pragma once
// Zip archives for the .xlsx tests, written with minizip as a spreadsheet program would.
#include <gtest/gtest.h>
#include <zip.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gradova::testing {

using ZipParts = std::vector<std::pair<const char*, std::string_view>>;

// A zip archive of `parts` at `path`, deflated; with `badChecksum` the last part is stored with a
// checksum that does not match its bytes.
inline void WriteZip(const std::string& path, const ZipParts& parts, bool badChecksum = false) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  ASSERT_NE(zip, nullptr);
  for (const auto& [name, text] : parts) {
    const bool raw = badChecksum && &text == &parts.back().second;
    ASSERT_EQ(zipOpenNewFileInZip2(zip, name, nullptr, nullptr, 0, nullptr, 0, nullptr,
                                   raw ? 0 : Z_DEFLATED, Z_DEFAULT_COMPRESSION, raw),
              ZIP_OK);
    ASSERT_EQ(zipWriteInFileInZip(zip, text.data(), static_cast<unsigned>(text.size())), ZIP_OK);
    ASSERT_EQ(raw ? zipCloseFileInZipRaw(zip, text.size(), 1) : zipCloseFileInZip(zip), ZIP_OK);
  }
  ASSERT_EQ(zipClose(zip, nullptr), ZIP_OK);
}

}  // namespace gradova::testing
