#include "platform/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <string>

namespace gradova::platform {
namespace {

// Qt opens these by name through ICU; ICU's "GBK" is code page 936.
constexpr char kGbk[] = "GBK";

// Appends `bytes` decoded to `out` as UTF-8, through buffers kept by the thread: opening a
// converter, or allocating for one short text, costs more than decoding it. A character cut off at
// the end of the text is held back for more input, not replaced: a NUL byte, which continues no
// character, goes after the text to make the decoder give it out as U+FFFD, and leaves the decoder
// ready for the next text.
void AppendDecoded(QStringDecoder& decoder, std::string_view bytes, std::string& out) {
  thread_local std::string padded;
  thread_local std::u16string text;
  thread_local QStringEncoder utf8(QStringConverter::Utf8);
  padded.assign(bytes).push_back('\0');
  const QByteArrayView input(padded.data(), static_cast<qsizetype>(padded.size()));
  text.resize(static_cast<std::size_t>(decoder.requiredSpace(input.size())));
  const QChar* end = decoder.appendToBuffer(reinterpret_cast<QChar*>(text.data()), input);
  const QStringView decoded(text.data(), end - reinterpret_cast<QChar*>(text.data()) - 1);
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(utf8.requiredSpace(decoded.size())));
  out.resize(
      static_cast<std::size_t>(utf8.appendToBuffer(out.data() + start, decoded) - out.data()));
}

// The characters that ICU leaves out, instead of replacing, when the target cannot hold them (soft
// hyphen, zero-width and direction marks, variation selectors, tags); GBK holds none of them.
bool IsDefaultIgnorable(char32_t c) {
  return c == 0xAD || c == 0x34F || c == 0x61C || c == 0x115F || c == 0x1160 ||
         (c >= 0x17B4 && c <= 0x17B5) || (c >= 0x180B && c <= 0x180F) ||
         (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2060 && c <= 0x206F) || c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) ||
         c == 0xFEFF || c == 0xFFA0 || (c >= 0xFFF0 && c <= 0xFFF8) ||
         (c >= 0x1BCA0 && c <= 0x1BCA3) || (c >= 0x1D173 && c <= 0x1D17A) ||
         (c >= 0xE0000 && c <= 0xE0FFF);
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  std::string utf8;
  AppendGbkToUtf8(gbk, utf8);
  return utf8;
}

void AppendGbkToUtf8(std::string_view gbk, std::string& out) {
  thread_local QStringDecoder decoder(kGbk);
  AppendDecoded(decoder, gbk, out);
}

std::string Gb18030ToUtf8(std::string_view gb18030) {
  thread_local QStringDecoder decoder("GB18030");
  std::string utf8;
  AppendDecoded(decoder, gb18030, utf8);
  return utf8;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  AppendUtf8ToGbk(utf8, out);
  return out;
}

std::size_t AppendUtf8ToGbk(std::string_view utf8, std::string& out) {
  // Each malformed byte becomes U+FFFD here, which GBK cannot hold either.
  QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
    const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
    if (IsDefaultIgnorable(c)) text.replace(i, pair ? 2 : 1, u'?');
  }
  const QByteArray gbk = QStringEncoder(kGbk)(text);
  out.append(gbk.constData(), static_cast<std::size_t>(gbk.size()));
  // "?" is never part of a double-byte character, so the replacements are the question marks
  // beyond those of the text.
  return static_cast<std::size_t>(std::count(gbk.begin(), gbk.end(), '?') -
                                  std::count(utf8.begin(), utf8.end(), '?'));
}

}  // namespace gradova::platform
