#include "cli/cli_app.h"

#include <filesystem>
#include <new>
#include <optional>
#include <variant>

#include "cli/course_source.h"
#include "cli/options.h"
#include "cli/table_output.h"
#include "gpa/evaluation.h"
#include "gpa/gpa_texts.h"
#include "gpa/report.h"
#include "gpa/target_plan.h"
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

// The plan for a target, one row per rule, in the table's format.
bool ShowPlan(const Options& options, const gpa::ResultTable& table,
              const std::vector<std::string>& titles, std::FILE* out) {
  std::vector<std::vector<std::string>> rows{
      {std::string(gpa::kPlanRuleTitle), std::string(gpa::kCurrentGpaTitle),
       std::string(gpa::kNeededPointsTitle), std::string(gpa::kLowestScoreTitle)}};
  const std::vector<gpa::TargetPlanRow> plan =
      gpa::PlanTarget(table.basis, *options.target, *options.remainingCredits);
  for (std::size_t rule = 0; rule < plan.size(); ++rule) {
    rows.push_back(
        {titles[3 + rule], plan[rule].currentGpa, plan[rule].neededPoints, plan[rule].scoreText});
  }
  const CellGrid grid{rows.size(), rows[0].size(),
                      [&rows](std::size_t row, std::vector<std::string_view>& cells) {
                        cells.assign(rows[row].begin(), rows[row].end());
                      }};
  return WriteTable(grid, options.format, out);
}

// Whether `a` and `b` name the same file, whatever the spelling or links of the paths, also when
// it does not exist yet.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  std::error_code otherError;
  const std::filesystem::path canonicalA = std::filesystem::weakly_canonical(a, error);
  const std::filesystem::path canonicalB = std::filesystem::weakly_canonical(b, otherError);
  return !error && !otherError && canonicalA == canonicalB;
}

// Whether the report would go over a file that the command reads.
bool ReportOverwritesAnInput(const Options& options) {
  return options.htmlFile &&
         (SameFile(*options.htmlFile, options.courseFile) ||
          SameFile(*options.htmlFile, options.rulesFile.value_or(grading::kRulesFileName)));
}

// The course file is read once; every output is written from that reading.
int Run(const Options& options, std::FILE* out, std::FILE* err) {
  if (ReportOverwritesAnInput(options)) {
    Print(err, "gradova-cli: " + *options.htmlFile + ": 报告不能覆盖要读的文件\n");
    return kExitFailure;
  }
  std::optional<courses::CourseList> courses = ReadCourses(options, err);
  if (!courses) return kExitFailure;
  const LoadedRules rules = LoadRules(options, err);
  if (!rules.ok) return kExitFailure;
  const std::vector<std::string> titles = gpa::MakeColumnTitles(rules.ruleSet);
  const gpa::ResultTable table = gpa::EvaluateCourses(std::move(*courses), rules.ruleSet);
  if (table.totalsInexact) {
    Print(
        err,
        "gradova-cli: 注意：合计已超出单精度能保持所示位数的范围，总计一行与精确计算的结果不同\n");
  }
  if (options.target) return ShowPlan(options, table, titles, out) ? kExitOk : kExitFailure;

  if (options.htmlFile) {
    const auto written = platform::ReplaceFileWith(
        *options.htmlFile,
        [&](const platform::ByteSink& write) { return gpa::WriteReport(table, titles, write); });
    if (written != platform::ReplaceStatus::Replaced) {
      Print(err, "gradova-cli: " + *options.htmlFile + ": 文件创建失败！\n");
      return kExitFailure;
    }
  }
  // The title row, then the table's rows.
  const CellGrid grid{table.RowCount() + 1, table.ColumnCount(),
                      [&](std::size_t row, std::vector<std::string_view>& cells) {
                        if (row == 0) {
                          cells.assign(titles.begin(), titles.end());
                        } else {
                          table.Row(row - 1, cells);
                        }
                      }};
  if (!WriteTable(grid, options.format, out)) {
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
