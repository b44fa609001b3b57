#include "bench/course_data.h"

#include <array>
#include <string_view>

namespace gradova::bench {
namespace {

// GBK bytes written out, so the benchmarks do not depend on a converter or the source encoding.
constexpr std::array<std::string_view, 12> kGbkNames = {
    // 高等数学A(上), split where the 'A' would otherwise extend the escape before it
    "\xb8\xdf\xb5\xc8\xca\xfd\xd1\xa7"
    "A(\xc9\xcf)",
    // 线性代数与空间解析几何
    "\xcf\xdf\xd0\xd4\xb4\xfa\xca\xfd\xd3\xeb\xbf\xd5\xbc\xe4\xbd\xe2\xce\xf6\xbc\xb8\xba\xce",
    // 大学物理实验
    "\xb4\xf3\xd1\xa7\xce\xef\xc0\xed\xca\xb5\xd1\xe9",
    // 大学英语(三)
    "\xb4\xf3\xd1\xa7\xd3\xa2\xd3\xef(\xc8\xfd)",
    // 思想道德修养与法律基础
    "\xcb\xbc\xcf\xeb\xb5\xc0\xb5\xc2\xd0\xde\xd1\xf8\xd3\xeb\xb7\xa8\xc2\xc9\xbb\xf9\xb4\xa1",
    // 马克思主义基本原理概论
    "\xc2\xed\xbf\xcb\xcb\xbc\xd6\xf7\xd2\xe5\xbb\xf9\xb1\xbe\xd4\xad\xc0\xed\xb8\xc5\xc2\xdb",
    // 概率论与数理统计
    "\xb8\xc5\xc2\xca\xc2\xdb\xd3\xeb\xca\xfd\xc0\xed\xcd\xb3\xbc\xc6",
    // 程序设计基础(C++)
    "\xb3\xcc\xd0\xf2\xc9\xe8\xbc\xc6\xbb\xf9\xb4\xa1(C++)",
    // 数据结构与算法
    "\xca\xfd\xbe\xdd\xbd\xe1\xb9\xb9\xd3\xeb\xcb\xe3\xb7\xa8",
    // 中国近现代史纲要
    "\xd6\xd0\xb9\xfa\xbd\xfc\xcf\xd6\xb4\xfa\xca\xb7\xb8\xd9\xd2\xaa",
    // 体育(二)
    "\xcc\xe5\xd3\xfd(\xb6\xfe)",
    // 计算机组成原理
    "\xbc\xc6\xcb\xe3\xbb\xfa\xd7\xe9\xb3\xc9\xd4\xad\xc0\xed",
};

// Spaces inside some names exercise the rule that only the last two spaces delimit fields.
constexpr std::array<std::string_view, 6> kAsciiNames = {
    "Linear Algebra",    "Advanced Calculus II",    "University Physics Lab",
    "Operating Systems", "Principles of Compilers", "Art History",
};

// SplitMix64: cheap, well mixed, and the same on every platform, unlike std:: distributions.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

void AppendName(std::uint64_t bits, std::string& line) {
  const unsigned kind = bits % 20;  // 13 in 20 GBK, 6 in 20 ASCII, 1 in 20 without a name
  bits /= 20;
  if (kind < 13) {
    line.append(kGbkNames[bits % kGbkNames.size()]).push_back(' ');
  } else if (kind < 19) {
    line.append(kAsciiNames[bits % kAsciiNames.size()]).push_back(' ');
  }
}

void AppendCredits(std::uint64_t bits, std::string& line) {
  const unsigned whole = 1 + bits % 6;
  line.append(std::to_string(whole));
  if (whole < 6 && (bits / 6) % 4 == 0) line.append(".5");
}

void AppendScore(std::uint64_t bits, std::string& line) {
  const unsigned whole = bits % 101;
  line.append(std::to_string(whole));
  if (whole == 100) return;
  const unsigned fraction = (bits / 101) % 8;  // 2 in 8 one decimal, 1 in 8 two decimals
  if (fraction < 2) {
    line.push_back('.');
    line.push_back(static_cast<char>('0' + (bits / 808) % 10));
  } else if (fraction == 2) {
    line.push_back('.');
    line.append(std::to_string(10 + (bits / 808) % 90));
  }
}

}  // namespace

std::string MakeCourseLine(std::uint64_t index) {
  std::string line;
  AppendName(Mix(index * 3), line);
  AppendCredits(Mix(index * 3 + 1), line);
  line.push_back(' ');
  AppendScore(Mix(index * 3 + 2), line);
  return line;
}

std::string MakeCourseFileText(std::size_t count) {
  std::string text;
  text.reserve(count * 26);
  for (std::size_t i = 0; i < count; ++i) text.append(MakeCourseLine(i)).append("\r\n");
  return text;
}

}  // namespace gradova::bench
