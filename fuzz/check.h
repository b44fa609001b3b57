#pragma once
// Shared by the fuzz targets: an invariant that fails names itself and the input's size before the
// process aborts, so a crash report says which promise broke rather than only where; and a copy of
// the input in a heap block of exactly its size, so AddressSanitizer sees a read one byte past it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace gradova::fuzz {

[[noreturn]] inline void Fail(const char* condition, const char* what, const char* file, int line) {
  std::fprintf(stderr, "\n%s:%d: invariant broken: %s\n  check: %s\n", file, line, what, condition);
  std::abort();
}

// A byte block of exactly the size given: no spare capacity for a read past the end to land in.
class ExactBytes {
 public:
  ExactBytes(const void* data, std::size_t size) : m_bytes(new char[size]), m_size(size) {
    if (size > 0) std::memcpy(m_bytes.get(), data, size);
  }
  explicit ExactBytes(std::string_view bytes) : ExactBytes(bytes.data(), bytes.size()) {}
  std::string_view View() const { return std::string_view(m_bytes.get(), m_size); }

 private:
  std::unique_ptr<char[]> m_bytes;
  std::size_t m_size;
};

// Splits `input` at the first `separator`: the part before it and the part after it. Without the
// separator the whole input is the first part.
inline std::pair<std::string_view, std::string_view> SplitAt(std::string_view input,
                                                             std::string_view separator) {
  const std::size_t at = input.find(separator);
  if (at == std::string_view::npos) return {input, {}};
  return {input.substr(0, at), input.substr(at + separator.size())};
}

}  // namespace gradova::fuzz

#define GRADOVA_FUZZ_CHECK(condition, what) \
  ((condition) ? static_cast<void>(0) : ::gradova::fuzz::Fail(#condition, what, __FILE__, __LINE__))
