#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace gradova::cli {

enum ExitCode : int { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Runs gradova-cli with `arguments` (program name excluded), writing the table to `out` and
// messages to `err`, and returns the exit code.
int RunCli(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

}  // namespace gradova::cli
