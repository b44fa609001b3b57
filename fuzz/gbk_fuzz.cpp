// The GBK converter on the same bytes taken as GBK and as UTF-8: each way it gives what iconv gives
// wherever iconv converts the whole input; decoding writes valid UTF-8 within its room of three
// bytes per byte; what encoding wrote survives decoding and encoding again.
#include <iconv.h>

#include <optional>
#include <string>

#include "check.h"
#include "platform/gbk.h"

using namespace gradova::platform;

// iconv's conversion of the whole text, or nothing when it stops anywhere.
static std::optional<std::string> Iconv(const char* to, const char* from, std::string text) {
  const iconv_t handle = iconv_open(to, from);
  std::string out(4 * text.size(), '\0');
  char *in = text.data(), *at = out.data();
  std::size_t inLeft = text.size(), outLeft = out.size();
  const bool whole = iconv(handle, &in, &inLeft, &at, &outLeft) != std::size_t(-1);
  iconv_close(handle);
  return whole ? std::optional(out.substr(0, out.size() - outLeft)) : std::nullopt;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::unique_ptr<char[]> room = std::make_unique<char[]>(kMaxUtf8PerGbkByte * size);
  const std::string utf8(room.get(), WriteGbkAsUtf8(bytes, room.get()));
  GRADOVA_FUZZ_CHECK(utf8 == GbkToUtf8(bytes), "GbkToUtf8 and WriteGbkAsUtf8 disagree");
  GRADOVA_FUZZ_CHECK(Iconv("UTF-16LE", "UTF-8", utf8), "decoding wrote invalid UTF-8");
  const auto decoded = Iconv("UTF-8", "CP936", std::string(bytes));
  GRADOVA_FUZZ_CHECK(!decoded || *decoded == utf8, "decoding differs from iconv");
  const std::string gbk = Utf8ToGbk(bytes);
  const auto encoded = Iconv("CP936", "UTF-8", std::string(bytes));
  GRADOVA_FUZZ_CHECK(!encoded || *encoded == gbk, "encoding differs from iconv");
  GRADOVA_FUZZ_CHECK(Utf8ToGbk(GbkToUtf8(gbk)) == gbk, "encoded text does not survive a round");
  return 0;
}
