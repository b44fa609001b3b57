// gradova-cli: the GPA table of a course file, for the terminal and for scripts.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return gradova::cli::RunCli(arguments, stdout, stderr);
}
