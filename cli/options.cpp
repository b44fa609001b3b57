#include "cli/options.h"

#include "courses/number_text.h"
#include "gpa/target_plan.h"
#include "platform/gbk.h"

namespace gradova::cli {
namespace {

// The GBK categories of a UTF-8 list separated by "," or "，", each without the spaces around
// it; an item may be empty.
std::vector<std::string> SplitCategories(const std::string& list) {
  std::vector<std::string> categories{std::string()};
  constexpr std::string_view kFullWidthComma = "\xEF\xBC\x8C";
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == ',' || list.compare(i, kFullWidthComma.size(), kFullWidthComma) == 0) {
      if (list[i] != ',') i += kFullWidthComma.size() - 1;
      categories.emplace_back();
    } else {
      categories.back() += list[i];
    }
  }
  for (std::string& category : categories) {
    // Spaces after a comma are the list's, not the category's.
    const std::size_t first = category.find_first_not_of(' ');
    category = first == std::string::npos ? std::string()
                                          : platform::Utf8ToGbk(category.substr(
                                                first, category.find_last_not_of(' ') + 1 - first));
  }
  return categories;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  Options options;
  std::optional<std::string> courseFile;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      if (courseFile) return UsageError{"more than one course file given"};
      courseFile = argument;
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") return ShowHelp{};
    if (argument == "--version") return ShowVersion{};
    if (argument == "--by-term" || argument == "--earned") {
      (argument == "--by-term" ? options.byTerm : options.earned) = true;
      continue;
    }

    std::optional<std::string> value;
    if (const std::size_t equals = argument.find('='); equals != std::string::npos) {
      value = argument.substr(equals + 1);
      argument.resize(equals);
    }
    if (argument != "--rules" && argument != "--format" && argument != "--html" &&
        argument != "--retake" && argument != "--grade-map" && argument != "--target" &&
        argument != "--remaining" && argument != "--category" && argument != "--terms") {
      return UsageError{"unknown option " + argument};
    }
    if (!value) {
      if (i + 1 == arguments.size()) return UsageError{argument + " needs a value"};
      value = arguments[++i];
    }
    if (argument == "--rules") {
      options.rulesFile = *value;
    } else if (argument == "--html") {
      options.htmlFile = *value;
    } else if (argument == "--retake") {
      if (*value == "highest") {
        options.retake = courses::RetakePolicy::Highest;
      } else if (*value == "latest") {
        options.retake = courses::RetakePolicy::Latest;
      } else if (*value == "all") {
        options.retake = courses::RetakePolicy::All;
      } else {
        return UsageError{"--retake must be highest, latest or all, not " + *value};
      }
    } else if (argument == "--grade-map") {
      std::optional<courses::GradeMap> map = courses::ParseGradeMap(platform::Utf8ToGbk(*value));
      if (!map) return UsageError{"--grade-map needs GRADE=SCORE,... with scores 0 to 100"};
      options.gradeMap = std::move(*map);
    } else if (argument == "--category") {
      if (value->empty()) return UsageError{"--category needs a list of categories"};
      options.subset.categories = SplitCategories(*value);
    } else if (argument == "--terms") {
      const std::size_t dots = value->find("..");
      if (dots == std::string::npos || *value == "..") {
        return UsageError{"--terms needs FROM..TO, not " + *value};
      }
      options.subset.fromTerm = platform::Utf8ToGbk(value->substr(0, dots));
      options.subset.toTerm = platform::Utf8ToGbk(value->substr(dots + 2));
    } else if (argument == "--target" || argument == "--remaining") {
      const std::optional<double> number = courses::ParseDecimal(*value);
      if (!number) return UsageError{argument + " needs a plain decimal number, not " + *value};
      (argument == "--target" ? options.target : options.remainingCredits) = number;
    } else if (*value == "text") {
      options.format = OutputFormat::Text;
    } else if (*value == "tsv") {
      options.format = OutputFormat::Tsv;
    } else {
      return UsageError{"--format must be text or tsv, not " + *value};
    }
  }
  if (!courseFile) return UsageError{"no course file given"};
  if (options.target.has_value() != options.remainingCredits.has_value()) {
    return UsageError{"--target and --remaining go together"};
  }
  if (options.target && options.byTerm)
    return UsageError{"--by-term and --target exclude each other"};
  if (options.target && !gpa::IsPlannable(*options.target, *options.remainingCredits)) {
    return UsageError{"--target must be above 0 and at most 100, --remaining from 0 to 10000000"};
  }
  options.courseFile = *courseFile;
  return options;
}

}  // namespace gradova::cli
