#pragma once
// Course lines for the benchmarks. Line i depends on i alone, so every run, size and machine
// measures the same mix and a failing line can be regenerated from its number.
#include <cstddef>
#include <cstdint>
#include <string>

namespace gradova::bench {

// Line `index` of the generated list, without a line end: a GBK, an ASCII or no name, credits
// 1 to 6 (some with a half), a score 0 to 100 (some with one or two decimals). Every line parses.
std::string MakeCourseLine(std::uint64_t index);

// Lines 0 .. count-1, each followed by CR LF, as a course file holds them.
std::string MakeCourseFileText(std::size_t count);

}  // namespace gradova::bench
