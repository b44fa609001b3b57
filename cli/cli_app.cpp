#include "cli/cli_app.h"

#include <filesystem>
#include <new>
#include <optional>
#include <variant>

#include "cli/course_source.h"
#include "cli/options.h"
#include "cli/result_rows.h"
#include "cli/table_output.h"
#include "gpa/evaluation.h"
#include "gpa/gpa_texts.h"
#include "gpa/report.h"
#include "grading/built_in_rules.h"
#include "platform/program_files.h"

namespace gradova::cli {
namespace {

constexpr char kUsage[] =
    "usage: gradova-cli [--rules FILE] [--format text|tsv] [--html FILE]\n"
    "                   [--retake highest|latest|all] [--grade-map GRADE=SCORE,...]\n"
    "                   [--target GPA --remaining CREDITS] COURSEFILE\n";

constexpr char kHelp[] =
    "Shows the grade points and the credit-weighted GPA of a course file under every grading "
    "rule.\n"
    "\n"
    "  COURSEFILE         GBK or UTF-8 text, one course per line: [name] credits score; or a\n"
    "                     transcript (.csv, .tsv, .xlsx) with name, credits and grade columns\n"
    "  --rules FILE       grading rules file; default: ./rules if it exists, else the eight\n"
    "                     built-in rules\n"
    "  --format text|tsv  aligned columns (default) or tab-separated values\n"
    "  --html FILE        also write the HTML report to FILE\n"
    "  --retake highest|latest|all\n"
    "                     which attempts of a course named more than once count (highest)\n"
    "  --grade-map GRADE=SCORE,...\n"
    "                     the scores of worded grades; default: "
    "优=95,优秀=95,良=85,良好=85,中=75,中等=75,及格=65,不及格=0\n"
    "  --target GPA --remaining CREDITS\n"
    "                     instead of the table, per rule: the current GPA, the average grade\n"
    "                     points the remaining credits need for GPA, and the lowest score\n"
    "                     that reaches it in every remaining course\n"
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
  grading::RulesFileContents contents = platform::ReadRulesFile(path);
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

void PrintCourseFileError(std::FILE* err, const std::string& path,
                          const courses::CourseFileCheck& check) {
  const std::string line = check.errorLine > 0 ? ":" + std::to_string(check.errorLine) : "";
  Print(err, "gradova-cli: " + path + line + ": " + CourseFileMessage(*check.error) + "\n");
}

// The first reading of the course file: every line is checked before anything is written, as
// the load command does, the totals are summed, and the aligned text's columns are measured.
courses::CourseFileCheck ReadFirst(const CourseSource& source,
                                   const std::vector<std::string>& titles,
                                   gpa::CourseTotals& totals, TextWriter* text) {
  RowCells cells{{titles.begin(), titles.end()}};
  if (text) text->Measure(cells);
  const courses::CourseFileCheck check = source([&](const courses::CourseFields& fields) {
    const float score = gpa::ScoreValue(fields);
    totals.Add(gpa::CreditsValue(fields), score);
    if (!text) return;
    SetCourseCells(cells, fields, score, totals);
    text->Measure(cells);
  });
  if (text && !check.error) {
    ForEachClosingRow(totals, [text](const RowCells& row) { text->Measure(row); });
  }
  return check;
}

// The plan for a target, one row per rule, in the table's format.
bool ShowPlan(const Options& options, const gpa::CourseTotals& totals,
              const std::vector<std::string>& titles, std::FILE* out) {
  const std::vector<std::string> header{
      std::string(gpa::kPlanRuleTitle), std::string(gpa::kCurrentGpaTitle),
      std::string(gpa::kNeededPointsTitle), std::string(gpa::kLowestScoreTitle)};
  std::vector<std::vector<std::string>> rows{header};
  const std::vector<gpa::TargetPlanRow> plan =
      gpa::PlanTarget(totals.Basis(), *options.target, *options.remainingCredits);
  for (std::size_t rule = 0; rule < plan.size(); ++rule) {
    rows.push_back(
        {titles[3 + rule], plan[rule].currentGpa, plan[rule].neededPoints, plan[rule].scoreText});
  }
  OutputBuffer buffer(out);
  TextWriter text(buffer);
  TsvWriter tsv(buffer);
  for (const bool measuring : {true, false}) {
    for (const std::vector<std::string>& row : rows) {
      const RowCells cells{{row.begin(), row.end()}};
      if (options.format == OutputFormat::Tsv) {
        if (!measuring) tsv.Row(cells);
      } else {
        measuring ? text.Measure(cells) : text.Row(cells);
      }
    }
  }
  return buffer.Flush();
}

// Whether the report would go over a file that the command reads: the same file whatever the
// paths' spelling or links (equal device and inode).
bool ReportOverwritesAnInput(const Options& options) {
  std::error_code ignored;
  return options.htmlFile &&
         (std::filesystem::equivalent(*options.htmlFile, options.courseFile, ignored) ||
          std::filesystem::equivalent(
              *options.htmlFile, options.rulesFile.value_or(grading::kRulesFileName), ignored));
}

// Each output reads the course file again, row by row.
int Run(const Options& options, std::FILE* out, std::FILE* err) {
  if (ReportOverwritesAnInput(options)) {
    Print(err, "gradova-cli: " + *options.htmlFile + ": 报告不能覆盖要读的文件\n");
    return kExitFailure;
  }
  // A course file that cannot be read is told before anything about the rules.
  if (!platform::CanReadFile(options.courseFile)) {
    PrintCourseFileError(err, options.courseFile, {courses::CourseFileError::CannotOpen, 0});
    return kExitFailure;
  }
  const std::optional<CourseSource> source = OpenCourseSource(options, err);
  if (!source) return kExitFailure;
  const LoadedRules rules = LoadRules(options, err);
  if (!rules.ok) return kExitFailure;
  const std::vector<std::string> titles = gpa::MakeColumnTitles(rules.ruleSet);
  const bool aligned = options.format == OutputFormat::Text;
  OutputBuffer buffer(out);
  TextWriter text(buffer);
  gpa::CourseTotals totals(rules.ruleSet);
  const courses::CourseFileCheck check =
      ReadFirst(*source, titles, totals, aligned ? &text : nullptr);
  if (check.error) {
    PrintCourseFileError(err, options.courseFile, check);
    return kExitFailure;
  }
  if (check.replacedCharacters > 0) {
    Print(err, "gradova-cli: " + options.courseFile + ": 有" +
                   std::to_string(check.replacedCharacters) + "个字符无法转换，已替换为“?”。\n");
  }
  if (totals.CourseCount() == 0) {
    Print(err, "gradova-cli: " + options.courseFile + ": 当前没有数据！\n");
    return kExitFailure;
  }

  if (options.target) {
    return ShowPlan(options, totals, titles, out) ? kExitOk : kExitFailure;
  }

  const auto forEachRow = [&](const OnRow& onRow) {
    return !ForEachResultRow(*source, totals, onRow).error;
  };
  if (options.htmlFile) {
    const auto written =
        platform::ReplaceFileWith(*options.htmlFile, [&](const platform::ByteSink& write) {
          gpa::ReportWriter report(titles, write);
          const bool read = forEachRow([&report](const RowCells& row) { report.Row(row.cells); });
          return report.Finish() && read;
        });
    if (written != platform::ReplaceStatus::Replaced) {
      Print(err, "gradova-cli: " + *options.htmlFile + ": 文件创建失败！\n");
      return kExitFailure;
    }
  }
  TsvWriter tsv(buffer);
  const RowCells titleRow{{titles.begin(), titles.end()}};
  const auto show = [&](const RowCells& row) {
    if (aligned) {
      text.Row(row);
    } else {
      tsv.Row(row);
    }
  };
  show(titleRow);
  const bool shown = forEachRow(show);
  if (!buffer.Flush() || !shown) {
    Print(err, "gradova-cli: cannot write the table\n");
    return kExitFailure;
  }
  return kExitOk;
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
  try {
    return Run(std::get<Options>(parsed), out, err);
  } catch (const std::bad_alloc&) {
    Print(err, "gradova-cli: out of memory\n");
    return kExitFailure;
  }
}

}  // namespace gradova::cli
