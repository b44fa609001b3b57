// The GBK converter both ways, on the same bytes taken as GBK and as UTF-8:
// - decoding writes valid UTF-8, at most three bytes per input byte, into a buffer of exactly that
//   size, and gives what iconv gives wherever iconv decodes the whole input;
// - encoding gives what iconv gives wherever iconv encodes the whole input, is stable after one
//   round (decoding then encoding what it wrote gives it back), and converts a long valid text as
//   the sum of its pieces, across iconv's output buffer;
// - ASCII passes through both ways unchanged.
#include <iconv.h>

#include <memory>
#include <optional>
#include <string>

#include "check.h"
#include "platform/gbk.h"

namespace {

// The code point of the well-formed UTF-8 sequence at `pos` and its length, or nothing.
std::optional<std::size_t> SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned long codePoint = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + length > text.size()) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return std::nullopt;
    codePoint = codePoint << 6 | (byte(i) & 0x3F);
  }
  const unsigned long least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < least[length] || codePoint > 0x10FFFF) return std::nullopt;
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return std::nullopt;
  return length;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto length = SequenceLength(text, pos);
    if (!length) return false;
    pos += *length;
  }
  return true;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// iconv's conversion of the whole text, or nothing when it stops at any byte.
std::optional<std::string> Iconv(const char* to, const char* from, std::string_view text) {
  const iconv_t handle = iconv_open(to, from);
  GRADOVA_FUZZ_CHECK(handle != reinterpret_cast<iconv_t>(-1), "iconv lacks a GBK converter");
  std::string in(text);
  std::string out(4 * text.size() + 16, '\0');
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t rc = iconv(handle, &inPtr, &inLeft, &outPtr, &outLeft);
  const std::size_t flushed = iconv(handle, nullptr, nullptr, &outPtr, &outLeft);
  iconv_close(handle);
  if (rc == static_cast<std::size_t>(-1) || flushed == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const gradova::fuzz::ExactBytes input(data, size);
  const std::string_view bytes = input.View();

  // Decoding, into a block of exactly the room the writer may use.
  const std::size_t roomSize = gradova::platform::kMaxUtf8PerGbkByte * size;
  const std::unique_ptr<char[]> room(new char[roomSize]);
  char* const start = room.get();
  const char* const end = gradova::platform::WriteGbkAsUtf8(bytes, start);
  GRADOVA_FUZZ_CHECK(end >= start && static_cast<std::size_t>(end - start) <= roomSize,
                     "decoding wrote past its room");
  const std::string utf8 = gradova::platform::GbkToUtf8(bytes);
  GRADOVA_FUZZ_CHECK(utf8 == std::string_view(start, static_cast<std::size_t>(end - start)),
                     "GbkToUtf8 and WriteGbkAsUtf8 disagree");
  GRADOVA_FUZZ_CHECK(IsValidUtf8(utf8), "decoding wrote invalid UTF-8");
  if (const auto expected = Iconv("UTF-8", "CP936", bytes)) {
    GRADOVA_FUZZ_CHECK(utf8 == *expected, "decoding differs from iconv on GBK it can decode");
  }

  // Encoding the bytes taken as UTF-8.
  const std::string gbk = gradova::platform::Utf8ToGbk(bytes);
  if (const auto expected = Iconv("CP936", "UTF-8", bytes)) {
    GRADOVA_FUZZ_CHECK(gbk == *expected, "encoding differs from iconv on UTF-8 it can encode");
  }
  const std::string roundTrip = gradova::platform::Utf8ToGbk(gradova::platform::GbkToUtf8(gbk));
  GRADOVA_FUZZ_CHECK(roundTrip == gbk, "encoded text does not survive decoding and encoding");

  // The encoder works through a 4096-byte buffer; a long text must not lose or double a
  // character where the buffer fills.
  if (size > 0 && IsValidUtf8(bytes) && !IsAscii(bytes)) {
    std::string longText;
    std::string expected;
    while (longText.size() < 3 * 4096) {
      longText += bytes;
      expected += gbk;
    }
    GRADOVA_FUZZ_CHECK(gradova::platform::Utf8ToGbk(longText) == expected,
                       "a long text encodes differently from its pieces");
  }

  if (IsAscii(bytes)) {
    GRADOVA_FUZZ_CHECK(utf8 == bytes && gbk == bytes, "ASCII changes in conversion");
  }
  return 0;
}
