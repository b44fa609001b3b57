#pragma once
// The command line of gradova-cli:
//   gradova-cli [--rules FILE] [--format text|tsv] [--html FILE] [--retake highest|latest|all]
//               [--grade-map GRADE=SCORE,...] [--target GPA --remaining CREDITS] COURSEFILE
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "courses/transcript.h"

namespace gradova::cli {

enum class OutputFormat { Text, Tsv };

struct Options {
  std::string courseFile;
  std::optional<std::string> rulesFile;
  std::optional<std::string> htmlFile;
  OutputFormat format = OutputFormat::Text;
  // How a transcript (.csv, .tsv, .xlsx) is read; the grade map is GBK, none for the default one,
  // which a course file never needs.
  courses::RetakePolicy retake = courses::RetakePolicy::Highest;
  std::optional<courses::GradeMap> gradeMap;
  // Both or neither: the plan for a target GPA takes the table's place.
  std::optional<double> target;
  std::optional<double> remainingCredits;
};

struct ShowHelp {};
struct ShowVersion {};
struct UsageError {
  std::string message;  // one line, without the program name
};

using ParsedCommandLine = std::variant<Options, ShowHelp, ShowVersion, UsageError>;

// `arguments` without the program name. "--name=value" and "--name value" are both accepted;
// "--" ends the options. The grade map is given in UTF-8, as terminals type it.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace gradova::cli
