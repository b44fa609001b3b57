#include "platform/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

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

// A GBK lead byte takes the next byte with it, and that trail byte may lie in the ASCII range.
std::size_t GbkRunEnd(std::string_view in, std::size_t pos) {
  while (pos < in.size() && !IsAscii(static_cast<unsigned char>(in[pos]))) {
    const auto lead = static_cast<unsigned char>(in[pos]);
    pos += (lead >= 0x81 && lead <= 0xFE && pos + 1 < in.size()) ? 2 : 1;
  }
  return pos;
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
  thread_local Converter converter("UTF-8", "CP936");
  ConvertByRuns(gbk, out, GbkRunEnd, [](std::string_view run, std::string& target) {
    converter.Convert(run, target, [](std::string_view, std::string& replaced) {
      replaced.append(kReplacementUtf8);
      return std::size_t{1};
    });
  });
}

std::string Utf8ToGbk(std::string_view utf8) {
  thread_local Converter converter("CP936", "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  ConvertByRuns(utf8, out, Utf8RunEnd, [](std::string_view run, std::string& target) {
    converter.Convert(run, target, [](std::string_view rest, std::string& replaced) {
      replaced.push_back('?');
      return Utf8SequenceLength(rest);
    });
  });
  return out;
}

}  // namespace gradova::platform
