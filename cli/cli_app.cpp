#include "cli/cli_app.h"

#include <optional>
#include <variant>

#include "cli/options.h"
#include "cli/streamed_table.h"
#include "cli/table_output.h"
#include "courses/course_file.h"
#include "gpa/evaluation.h"
#include "gpa/report.h"
#include "grading/built_in_rules.h"
#include "grading/rules_file.h"
#include "platform/files.h"

namespace gradova::cli {
namespace {

constexpr char kUsage[] =
    "usage: gradova-cli [--rules FILE] [--format text|tsv] [--html FILE] COURSEFILE\n";

constexpr char kHelp[] =
    "Shows the grade points and the credit-weighted GPA of a course file under every grading "
    "rule.\n"
    "\n"
    "  COURSEFILE         GBK text, one course per line: [name] credits score\n"
    "  --rules FILE       grading rules file; default: ./rules if it exists, else the eight\n"
    "                     built-in rules\n"
    "  --format text|tsv  aligned columns (default) or tab-separated values\n"
    "  --html FILE        also write the HTML report to FILE\n"
    "  --help, --version\n";

void Print(std::FILE* stream, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

struct LoadedRules {
  grading::RuleSet ruleSet;
  bool ok = true;
};

LoadedRules LoadRules(const Options& options, std::FILE* err) {
  const std::string path = options.rulesFile.value_or(grading::kRulesFileName);
  if (!options.rulesFile && !platform::PathExists(path)) {
    return LoadedRules{grading::MakeBuiltInRules(), true};
  }
  grading::RulesFileContents contents = grading::ReadRulesFile(path);
  switch (contents.status) {
    case grading::RulesFileStatus::Missing:
      Print(err, "gradova-cli: " + path + ": 无法读取算法文件\n");
      return LoadedRules{{}, false};
    case grading::RulesFileStatus::Damaged:
      Print(err, "gradova-cli: " + path + ": 算法文件已损坏！\n");
      break;
    case grading::RulesFileStatus::Loaded:
      break;
  }
  return LoadedRules{std::move(contents.ruleSet), true};
}

std::string CourseFileMessage(courses::CourseFileError error) {
  switch (error) {
    case courses::CourseFileError::CannotOpen:
      return "文件打开失败！";
    case courses::CourseFileError::BadFormat:
      return "文件格式错误!";
    case courses::CourseFileError::BadData:
      return "文件包含错误数据!";
  }
  return {};
}

int Run(const Options& options, std::FILE* out, std::FILE* err) {
  const std::optional<std::string> courseText = platform::ReadWholeFile(options.courseFile);
  if (!courseText) {
    Print(err, "gradova-cli: " + options.courseFile + ": " +
                   CourseFileMessage(courses::CourseFileError::CannotOpen) + "\n");
    return kExitFailure;
  }
  LoadedRules rules = LoadRules(options, err);
  if (!rules.ok) return kExitFailure;
  // Check every line before anything is written, as the load command does.
  gpa::CourseTotals totals(rules.ruleSet);
  const courses::CourseFileCheck check =
      courses::ForEachCourse(*courseText, [&totals](const courses::CourseFields& fields) {
        totals.Add(gpa::CreditsValue(fields.credits), gpa::ScoreValue(fields.score));
      });
  if (check.error) {
    Print(err, "gradova-cli: " + options.courseFile + ":" + std::to_string(check.errorLine) + ": " +
                   CourseFileMessage(*check.error) + "\n");
    return kExitFailure;
  }
  if (totals.CourseCount() == 0) {
    Print(err, "gradova-cli: " + options.courseFile + ": 当前没有数据！\n");
    return kExitFailure;
  }

  const std::vector<std::string> titles = gpa::MakeColumnTitles(rules.ruleSet);
  const auto written = [err](bool ok) {
    if (ok) return kExitOk;
    Print(err, "gradova-cli: cannot write the table\n");
    return kExitFailure;
  };
  if (options.htmlFile) {
    // The report needs the whole table, which then serves the output too.
    const gpa::ResultTable table =
        gpa::EvaluateCourses(courses::ParseCourseFile(*courseText).records, rules.ruleSet);
    if (gpa::WriteReportFile(*options.htmlFile,
                             gpa::FormatReport(table, gpa::MakeRuleHeaderCells(rules.ruleSet))) !=
        platform::ReplaceStatus::Replaced) {
      Print(err, "gradova-cli: " + *options.htmlFile + ": 文件创建失败！\n");
      return kExitFailure;
    }
    return written(WriteTable(out, options.format, TableRows(titles, table)));
  }
  if (options.format == OutputFormat::Tsv) {
    return written(WriteStreamedTsv(out, titles, *courseText, totals));
  }
  return written(WriteTable(out, options.format, StreamedRows(titles, *courseText, totals)));
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (const auto* error = std::get_if<UsageError>(&parsed)) {
    Print(err, "gradova-cli: " + error->message + " (try 'gradova-cli --help')\n");
    return kExitUsage;
  }
  if (std::holds_alternative<ShowHelp>(parsed)) {
    Print(out, std::string(kUsage) + kHelp);
    return kExitOk;
  }
  if (std::holds_alternative<ShowVersion>(parsed)) {
    Print(out, "gradova-cli " GRADOVA_VERSION "\n");
    return kExitOk;
  }
  return Run(std::get<Options>(parsed), out, err);
}

}  // namespace gradova::cli
