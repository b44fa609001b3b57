// make_course_file N OUT: writes the first N generated course lines to OUT as a course file
// (GBK, CR LF), so that end-to-end timings read the same mix as the core benchmarks.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/course_data.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_course_file N OUT\n";
    return 2;
  }
  char* end = nullptr;
  const unsigned long long count = std::strtoull(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0') {
    std::cerr << "make_course_file: N must be a whole number\n";
    return 2;
  }
  const std::string text = gradova::bench::MakeCourseFileText(count);
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    std::cerr << "make_course_file: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
