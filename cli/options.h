#pragma once
// The command line of gradova-cli:
//   gradova-cli [--rules FILE] [--format text|tsv] [--html FILE] [--retake highest|latest|all]
//               [--grade-map GRADE=SCORE,...] [--target GPA --remaining CREDITS]
//               [--by-term] [--category LIST] [--terms FROM..TO] [--earned] COURSEFILE
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "courses/transcript.h"
#include "gpa/subset.h"

namespace gradova::cli {

enum class OutputFormat { Text, Tsv };

struct Options {
  std::string courseFile;
  std::optional<std::string> rulesFile;
  std::optional<std::string> htmlFile;
  OutputFormat format = OutputFormat::Text;
  // How a transcript (.csv, .tsv, .xlsx, .xls) is read; the grade map is GBK, none for the default
  // one, which a course file never needs.
  courses::RetakePolicy retake = courses::RetakePolicy::Highest;
  std::optional<courses::GradeMap> gradeMap;
  // Both or neither: the plan for a target GPA takes the table's place.
  std::optional<double> target;
  std::optional<double> remainingCredits;
  // The courses that count, GBK: categories given (none for all), and terms that must occur in
  // the courses, which only reading them tells.
  gpa::Subset subset;
  bool byTerm = false;  // the per-term table instead of the course table
  bool earned = false;  // the earned credits after the table
};

struct ShowHelp {};
struct ShowVersion {};
struct UsageError {
  std::string message;  // one line, without the program name
};

using ParsedCommandLine = std::variant<Options, ShowHelp, ShowVersion, UsageError>;

// `arguments` without the program name. "--name=value" and "--name value" are both accepted;
// "--" ends the options. The grade map, categories and terms are given in UTF-8, as terminals type
// them; categories are separated by ASCII or full-width commas.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace gradova::cli
