#pragma once
// Shared by the fuzz targets: a broken invariant says which before the process aborts, and bytes
// that a target makes itself are read again from a block of exactly their size, so that
// AddressSanitizer sees a read past their end (libFuzzer's own input already is such a block).
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#define GRADOVA_FUZZ_CHECK(condition, what) \
  ((condition) ? void(0) : (std::fprintf(stderr, "invariant broken: %s\n", what), std::abort()))

struct ExactBytes {
  explicit ExactBytes(std::string_view bytes)
      : copy(std::make_unique<char[]>(bytes.size())), view(copy.get(), bytes.size()) {
    bytes.copy(copy.get(), bytes.size());
  }
  std::unique_ptr<char[]> copy;
  std::string_view view;
};
