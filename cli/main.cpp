// gradova-cli: the GPA table of a course file, for the terminal and for scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  // The table is written a line at a time; a large buffer keeps that to few writes.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return gradova::cli::RunCli(arguments, stdout, stderr);
}
