// plain_tsv COURSEFILE: the TSV table of a GBK course file read the plain way, as a yardstick for
// gradova-cli --format tsv: two passes of fread, memchr and digit loops over the lines, no reader
// object, no cells, no callbacks. It shares only what decides the bytes (the built-in rules, the
// sums and point texts of gpa::CourseTotals, the GBK table), so its output is gradova-cli's byte
// for byte on files that hold only plain numbers ("60", "4.5") and no control bytes; any other
// number ends it with status 2, a bad line with status 1.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "courses/courses_texts.h"
#include "gpa/evaluation.h"
#include "grading/built_in_rules.h"
#include "platform/gbk.h"

namespace {

struct Course {
  std::string_view name, credits, score;
  double creditsValue = 0.0;
  float scoreValue = 0.0f;
};

enum class Outcome { Good, BadLine, NotPlain };

// Digits with at most one point: the integer part and the value; false for anything else.
bool ReadPlain(std::string_view text, int& integer, double& value) {
  static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  unsigned long digits = 0;
  int fraction = -1;
  integer = 0;
  if (text.empty() || text.size() > 8) return false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digits = digits * 10 + static_cast<unsigned long>(c - '0');
      if (fraction >= 0) ++fraction;
    } else if (c == '.' && fraction < 0) {
      fraction = 0;
      integer = static_cast<int>(digits);
    } else {
      return false;
    }
  }
  if (fraction < 0) integer = static_cast<int>(digits);
  value = static_cast<double>(digits) / kPowers[fraction < 0 ? 0 : fraction];
  return true;
}

Outcome Split(std::string_view line, Course& course) {
  const std::size_t last = line.rfind(' ');
  if (last == std::string_view::npos) return Outcome::BadLine;
  const std::size_t secondLast = last == 0 ? std::string_view::npos : line.rfind(' ', last - 1);
  const std::size_t creditsFrom = secondLast == std::string_view::npos ? 0 : secondLast + 1;
  course.name = creditsFrom > 1 ? line.substr(0, creditsFrom - 1)
                                : std::string_view(gradova::courses::kUnnamedCourse);
  course.credits = line.substr(creditsFrom, last - creditsFrom);
  course.score = line.substr(last + 1);
  int credits = 0, score = 0;
  double scoreValue = 0.0;
  if (course.credits.empty() || course.score.empty()) return Outcome::BadLine;
  if (!ReadPlain(course.credits, credits, course.creditsValue)) return Outcome::NotPlain;
  if (!ReadPlain(course.score, score, scoreValue)) return Outcome::NotPlain;
  course.scoreValue = static_cast<float>(scoreValue);
  return credits >= 1 && score <= 100 ? Outcome::Good : Outcome::BadLine;
}

// Each line of the file, ended by LF, CR LF or a lone CR, through `onLine`, until it answers
// anything but Good.
template <typename OnLine>
Outcome ForEachLine(const char* path, OnLine&& onLine) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return Outcome::BadLine;
  std::vector<char> buffer(128 * 1024);
  std::size_t kept = 0;
  Outcome outcome = Outcome::Good;
  for (bool end = false; !end && outcome == Outcome::Good;) {
    if (kept == buffer.size()) buffer.resize(buffer.size() * 2);
    const std::size_t read = std::fread(buffer.data() + kept, 1, buffer.size() - kept, file);
    end = read == 0;
    const std::size_t size = kept + read;
    std::size_t start = 0;
    while (outcome == Outcome::Good && start < size) {
      const char* from = buffer.data() + start;
      const std::size_t rest = size - start;
      const auto* lf = static_cast<const char*>(std::memchr(from, '\n', rest));
      const std::size_t lineEnd = lf ? static_cast<std::size_t>(lf - from) : rest;
      const auto* cr = static_cast<const char*>(std::memchr(from, '\r', lineEnd));
      std::size_t cut = lineEnd;
      std::size_t next = lineEnd + 1;
      if (cr) {
        cut = static_cast<std::size_t>(cr - from);
        next = cut + 1 < rest && from[cut + 1] == '\n' ? cut + 2 : cut + 1;
      }
      // A line whose end is not read yet, or a CR that an LF may follow.
      if (!end && ((!cr && !lf) || (cr && cut + 1 == rest))) break;
      outcome = onLine(std::string_view(from, cut));
      start += std::min(next, rest);
    }
    kept = size > start ? size - start : 0;
    std::memmove(buffer.data(), buffer.data() + start, kept);
  }
  std::fclose(file);
  return outcome;
}

char* WriteRow(const std::vector<std::string_view>& cells, char* out) {
  for (std::size_t cell = 0; cell < cells.size(); ++cell) {
    if (cell > 0) *out++ = '\t';
    out = gradova::platform::WriteGbkAsUtf8(cells[cell], out);
  }
  *out++ = '\n';
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace gradova;
  if (argc != 2) {
    std::fputs("usage: plain_tsv COURSEFILE\n", stderr);
    return 2;
  }
  const grading::RuleSet rules = grading::MakeBuiltInRules();
  gpa::CourseTotals totals(rules);
  Course course;
  Outcome outcome = ForEachLine(argv[1], [&](std::string_view line) {
    const Outcome split = Split(line, course);
    if (split == Outcome::Good) totals.Add(course.creditsValue, course.scoreValue);
    return split;
  });
  if (outcome != Outcome::Good) return outcome == Outcome::NotPlain ? 2 : 1;

  std::vector<char> out(256 * 1024);
  std::size_t used = 0;
  const auto flush = [&] {
    std::fwrite(out.data(), 1, used, stdout);
    used = 0;
  };
  const std::vector<std::string> titles = gpa::MakeColumnTitles(rules);
  std::vector<std::string_view> cells(titles.begin(), titles.end());
  used = static_cast<std::size_t>(WriteRow(cells, out.data()) - out.data());
  outcome = ForEachLine(argv[1], [&](std::string_view line) {
    Split(line, course);
    if (out.size() - used < 3 * line.size() + 256) flush();
    cells[0] = course.name;
    cells[1] = course.credits;
    cells[2] = course.score;
    totals.PointCells(course.scoreValue, cells.data() + 3);
    used = static_cast<std::size_t>(WriteRow(cells, out.data() + used) - out.data());
    return Outcome::Good;
  });
  flush();
  const std::vector<std::string> totalsRow = totals.TotalsRow();
  const std::string count = totals.CountText();
  std::vector<std::string_view> closing(cells.size());
  char* end = WriteRow(closing, out.data());
  end = WriteRow({totalsRow.begin(), totalsRow.end()}, end);
  closing[0] = count;
  used = static_cast<std::size_t>(WriteRow(closing, end) - out.data());
  flush();
  return 0;
}
