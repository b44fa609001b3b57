#include "platform/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/gbk_table.h"

namespace gradova::platform {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One iconv descriptor per direction and thread: opening one costs far more than a short text.
class Converter {
 public:
  Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {
    if (m_handle == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(m_handle); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in` and appends to `out`; on a sequence it cannot take, calls `onBad` with the
  // remaining input and lets it append a replacement and say how many bytes to skip.
  template <typename OnBad>
  void Convert(std::string_view in, std::string& out, OnBad onBad) {
    iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t rc = iconv(m_handle, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (rc != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ, or EINVAL for a sequence cut off at the end of the text.
      const std::size_t skip = onBad(std::string_view(inPtr, inLeft), out);
      inPtr += skip;
      inLeft -= skip;
      iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
    }
  }

 private:
  iconv_t m_handle;
};

bool IsAscii(unsigned char byte) { return byte < 0x80; }

// Most course texts are ASCII: copy ASCII runs directly and hand only the rest to iconv.
// `RunEnd` finds where a run of non-ASCII characters that starts at `pos` ends.
template <typename RunEnd, typename ConvertRun>
void ConvertByRuns(std::string_view in, std::string& out, RunEnd runEnd, ConvertRun convertRun) {
  std::size_t pos = 0;
  while (pos < in.size()) {
    std::size_t end = pos;
    while (end < in.size() && IsAscii(static_cast<unsigned char>(in[end]))) ++end;
    out.append(in.data() + pos, end - pos);
    pos = end;
    end = runEnd(in, pos);
    if (end > pos) convertRun(in.substr(pos, end - pos), out);
    pos = end;
  }
}

std::size_t Utf8RunEnd(std::string_view in, std::size_t pos) {
  while (pos < in.size() && !IsAscii(static_cast<unsigned char>(in[pos]))) ++pos;
  return pos;
}

std::size_t Utf8SequenceLength(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  std::size_t length = 1;
  if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = 3;
  } else if (lead >= 0xC2) {
    length = 2;
  }
  if (length > rest.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() + gbk.size() / 2);
  AppendGbkToUtf8(gbk, out);
  return out;
}

void AppendGbkToUtf8(std::string_view gbk, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + kMaxUtf8PerGbkByte * gbk.size());
  char* end = WriteGbkAsUtf8(gbk, out.data() + start);
  out.resize(static_cast<std::size_t>(end - out.data()));
}

// Double-byte characters through the table that the build made with iconv (gbk_table.h), which
// has a row for every byte from 0x80 up and a column for every trail byte, so that a lookup needs
// no range check.
char* WriteGbkAsUtf8(std::string_view gbk, char* out) {
  constexpr std::size_t kRowSize = 256;
  std::size_t pos = 0;
  while (pos < gbk.size()) {
    const auto lead = static_cast<unsigned char>(gbk[pos]);
    if (IsAscii(lead)) {
      // Most text is ASCII: eight bytes at a time while they all are.
      for (std::uint64_t word; pos + 8 <= gbk.size(); pos += 8, out += 8) {
        std::memcpy(&word, gbk.data() + pos, 8);
        if ((word & 0x8080808080808080) != 0) break;
        std::memcpy(out, &word, 8);
      }
      while (pos < gbk.size() && IsAscii(static_cast<unsigned char>(gbk[pos]))) {
        *out++ = gbk[pos++];
      }
      continue;
    }
    if (pos + 1 < gbk.size()) {
      const auto trail = static_cast<unsigned char>(gbk[pos + 1]);
      const unsigned char* utf8 = kGbkPairUtf8[(lead - 0x80) * kRowSize + trail];
      if (utf8[3] > 0) {
        // All four bytes, whatever the count: the pair has room for six.
        std::memcpy(out, utf8, 4);
        out += utf8[3];
        pos += 2;
        continue;
      }
    }
    // A byte that starts no character: replaced, and decoding goes on with the next byte.
    const std::string_view replacement =
        lead == 0x80 ? std::string_view("\xE2\x82\xAC") : kReplacementUtf8;
    out = std::copy(replacement.begin(), replacement.end(), out);
    ++pos;
  }
  return out;
}

std::string Gb18030ToUtf8(std::string_view gb18030) {
  thread_local Converter converter("UTF-8", "GB18030");
  std::string out;
  converter.Convert(gb18030, out, [](std::string_view, std::string& replaced) {
    replaced.append(kReplacementUtf8);
    return std::size_t{1};
  });
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  AppendUtf8ToGbk(utf8, out);
  return out;
}

std::size_t AppendUtf8ToGbk(std::string_view utf8, std::string& out) {
  thread_local Converter converter("CP936", "UTF-8");
  std::size_t replaced = 0;
  ConvertByRuns(utf8, out, Utf8RunEnd, [&replaced](std::string_view run, std::string& target) {
    converter.Convert(run, target, [&replaced](std::string_view rest, std::string& into) {
      into.push_back('?');
      ++replaced;
      return Utf8SequenceLength(rest);
    });
  });
  return replaced;
}

}  // namespace gradova::platform
