#pragma once
// A large output buffer in front of a C stream: rows are written into it in place and handed to
// the stream a megabyte at a time.
#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

namespace gradova::cli {

class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* out);

  // Room for at least `bytes` bytes at the end of what is buffered; valid until the next call.
  char* Reserve(std::size_t bytes);
  // Everything up to `end`, which lies in the room the last Reserve gave, is buffered.
  void Commit(const char* end);
  void Append(std::string_view bytes);

  // Writes out what is buffered. False when any write to the stream failed; the buffer is then
  // dropped, since a failed stream is not written again.
  bool Finish();

 private:
  void Flush();

  std::FILE* m_out;
  std::vector<char> m_bytes;
  std::size_t m_size = 0;
  bool m_ok = true;
};

}  // namespace gradova::cli
