#pragma once
// A course file: GBK text, one course line per line, lines ended by CR LF. A line ends at LF, at
// CR LF or at a CR not followed by LF (an old Mac editor's line end); the last line needs no
// terminator, and a terminator at the very end does not start another line. A file that a Linux
// editor wrote in UTF-8 is read as well (see DetectTextEncoding), its lines turned into GBK.
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "courses/course_line.h"
#include "courses/course_record.h"
#include "courses/text_encoding.h"

namespace gradova::courses {

enum class CourseFileError {
  CannotOpen,  // the file could not be opened or read
  BadFormat,   // a line failed with CourseLineError::BadFormat
  BadData,     // a line failed with CourseLineError::BadData
};

struct CourseFileCheck {
  std::optional<CourseFileError> error;  // the first failure; none for a good file
  std::size_t errorLine = 0;             // 1-based number of the first bad line; 0 without one
  TextEncoding encoding = TextEncoding::Gbk;
  std::size_t replacedCharacters = 0;  // characters of a UTF-8 file that GBK cannot hold
};

// The one reader of course files. It takes the file's bytes in pieces of any size, checks each
// line as it completes and hands the fields of every good line to `onCourse`, in order. After a
// bad line it takes nothing more: the courses handed over before it are the caller's to drop,
// since a bad file loads nothing.
//
// The encoding is judged on the first kEncodingSampleBytes from the first byte beyond ASCII (or
// on all there is, if less): the lines before that byte read the same in either encoding, and the
// bytes from it on are held back until the judgement. So the courses are the same whatever the
// pieces. A UTF-8 file loses its byte-order mark and each line goes through `toGbk`.
class CourseFileReader {
 public:
  // Appends `utf8` turned into GBK to `gbk`; returns how many characters became "?".
  using ToGbk = std::function<std::size_t(std::string_view utf8, std::string& gbk)>;
  static constexpr std::size_t kEncodingSampleBytes = 64 * 1024;

  // Without `toGbk`, the lines of a UTF-8 file are taken as they are.
  explicit CourseFileReader(ToGbk toGbk = {}) : m_toGbk(std::move(toGbk)) {}

  // The lines that end in `piece`; false once a bad line was met.
  template <typename OnCourse>
  bool Feed(std::string_view piece, OnCourse&& onCourse) {
    if (m_decided) return Scan(piece, onCourse);
    if (m_held.empty()) {
      const std::size_t ascii = AsciiPrefixLength(piece);
      m_atStart = m_atStart && ascii == 0;
      if (!Scan(piece.substr(0, ascii), onCourse)) return false;
      piece.remove_prefix(ascii);
      m_held.reserve(piece.size());  // a file that comes in one piece is held in one allocation
    }
    m_held.append(piece);
    return m_held.size() < kEncodingSampleBytes || Decide(onCourse);
  }

  // The last line when the file does not end with a terminator; the outcome of the whole file.
  template <typename OnCourse>
  CourseFileCheck Finish(OnCourse&& onCourse) {
    if (!m_decided && !m_held.empty()) Decide(onCourse);
    if (!m_check.error && !m_partial.empty()) {
      if (m_partial.back() == '\r') m_partial.pop_back();
      TakeLine(m_partial, onCourse);
    }
    m_partial.clear();
    return m_check;
  }

 private:
  template <typename OnCourse>
  bool Decide(OnCourse& onCourse) {
    const std::string held = std::move(m_held);
    m_held.clear();
    std::string_view rest = held;
    const std::string_view sample = rest.substr(0, kEncodingSampleBytes);
    m_check.encoding = DetectTextEncoding(sample);
    // A byte-order mark counts only at the very start of the file; elsewhere the text after it
    // decides.
    if (m_check.encoding == TextEncoding::Utf8WithBom && m_atStart) {
      rest.remove_prefix(kUtf8Bom.size());
    } else if (m_check.encoding == TextEncoding::Utf8WithBom) {
      const bool gbk = DetectTextEncoding(sample.substr(kUtf8Bom.size())) == TextEncoding::Gbk;
      m_check.encoding = gbk ? TextEncoding::Gbk : TextEncoding::Utf8;
    }
    m_decided = true;
    return Scan(rest, onCourse);
  }

  // Cuts the lines: each is searched for LF first, then only within it for a CR, so that a file
  // of CR LF or LF lines is crossed by two memchr calls per line. A CR at the end of a piece is
  // kept at the end of the partial line until the next piece tells whether an LF follows it.
  template <typename OnCourse>
  bool Scan(std::string_view piece, OnCourse& onCourse) {
    if (!m_partial.empty() && m_partial.back() == '\r' && !piece.empty() && !m_check.error) {
      m_partial.pop_back();
      TakeLine(m_partial, onCourse);
      m_partial.clear();
      if (piece.front() == '\n') piece.remove_prefix(1);
    }
    std::size_t lf = piece.find('\n');
    while (!m_check.error && !piece.empty()) {
      const std::size_t lineEnd = lf == std::string_view::npos ? piece.size() : lf;
      const void* cr = std::memchr(piece.data(), '\r', lineEnd);
      std::size_t end = lineEnd;
      if (cr) end = static_cast<std::size_t>(static_cast<const char*>(cr) - piece.data());
      // No line end in the piece, or a CR at its very end.
      if ((!cr && lf == std::string_view::npos) || (cr && end + 1 == piece.size())) {
        m_partial.append(piece);
        break;
      }
      std::string_view line = piece.substr(0, end);
      if (!m_partial.empty()) line = m_partial.append(line);
      TakeLine(line, onCourse);
      m_partial.clear();
      const std::size_t next = end + 1 + (cr && end + 1 == lf ? 1 : 0);
      piece.remove_prefix(next);
      if (lf != std::string_view::npos) lf = next > lf ? piece.find('\n') : lf - next;
    }
    return !m_check.error;
  }

  template <typename OnCourse>
  void TakeLine(std::string_view line, OnCourse& onCourse) {
    ++m_lineNumber;
    if (m_decided && m_check.encoding != TextEncoding::Gbk && m_toGbk) {
      m_converted.clear();
      m_check.replacedCharacters += m_toGbk(line, m_converted);
      line = m_converted;
    }
    const auto fields = SplitCourseLine(line);
    if (const auto* error = std::get_if<CourseLineError>(&fields)) {
      m_check.error = *error == CourseLineError::BadFormat ? CourseFileError::BadFormat
                                                           : CourseFileError::BadData;
      m_check.errorLine = m_lineNumber;
      return;
    }
    onCourse(std::get<CourseFields>(fields));
  }

  ToGbk m_toGbk;
  std::string m_partial;    // the start of a line whose end is in a later piece
  std::string m_held;       // the bytes from the first one beyond ASCII, until the judgement
  std::string m_converted;  // the line in GBK, for a UTF-8 file
  bool m_decided = false;
  bool m_atStart = true;  // nothing but held bytes fed yet: they begin the file
  std::size_t m_lineNumber = 0;
  CourseFileCheck m_check;
};

// The file's bytes: FormatCourseLine of each record, each followed by CR LF.
std::string FormatCourseFile(const std::vector<CourseRecord>& records);

}  // namespace gradova::courses
