#include "platform/gbk.h"

#include <QList>
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

// The characters of GBK text as the encoder writes it: a byte from 0x81 to 0xFE starts a pair.
std::size_t CharacterCount(const QByteArray& gbk) {
  std::size_t count = 0;
  for (qsizetype i = 0; i < gbk.size(); ++count) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    i += byte >= 0x81 && byte <= 0xFE ? 2 : 1;
  }
  return count;
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
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  thread_local QStringEncoder encoder(kGbk);
  QByteArray gbk = encoder(text);
  // ICU leaves out, instead of replacing, the characters it ignores by default (soft hyphen,
  // zero-width space, variation selectors, tags). Where characters went missing each is encoded
  // alone, so that every one GBK cannot hold becomes "?".
  const QList<uint> characters = text.toUcs4();
  if (CharacterCount(gbk) != static_cast<std::size_t>(characters.size())) {
    gbk.clear();
    for (const uint code : characters) {
      const char32_t c = code;
      const QByteArray one = encoder(QString::fromUcs4(&c, 1));
      gbk += one.isEmpty() ? QByteArray("?") : one;
    }
  }
  out.append(gbk.constData(), static_cast<std::size_t>(gbk.size()));
  // "?" is never part of a double-byte character, so the replacements are the question marks
  // beyond those of the text.
  return static_cast<std::size_t>(std::count(gbk.begin(), gbk.end(), '?') -
                                  std::count(utf8.begin(), utf8.end(), '?'));
}

}  // namespace gradova::platform
