#include "cli/cli_app.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <variant>

#include "cli/course_source.h"
#include "cli/options.h"
#include "cli/table_output.h"
#include "courses/term_order.h"
#include "gpa/evaluation.h"
#include "gpa/gpa_texts.h"
#include "gpa/report.h"
#include "gpa/subset.h"
#include "gpa/target_plan.h"
#include "gpa/term_table.h"
#include "grading/built_in_rules.h"
#include "platform/gbk.h"
#include "platform/program_files.h"

namespace gradova::cli {
namespace {

constexpr char kUsage[] =
    "usage: gradova-cli [--rules FILE] [--format text|tsv] [--html FILE]\n"
    "                   [--retake highest|latest|all] [--grade-map GRADE=SCORE,...]\n"
    "                   [--target GPA --remaining CREDITS] [--by-term]\n"
    "                   [--category LIST] [--terms FROM..TO] [--earned] COURSEFILE\n";

constexpr char kHelp[] =
    "Shows the grade points and the credit-weighted GPA of a course file under every grading "
    "rule.\n"
    "\n"
    "  COURSEFILE         GBK or UTF-8 text, one course per line: [name] credits score; or a\n"
    "                     transcript (.csv, .tsv, .xlsx, .xls) with name, credits and grade\n"
    "                     columns\n"
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
    "  --by-term          instead of the course table, per term in time order: the credits, the\n"
    "                     weighted average score and the GPA under every rule; then 累计, all\n"
    "                     terms together\n"
    "  --category LIST    count only the courses of these categories (separated by commas)\n"
    "  --terms FROM..TO   count only the terms from FROM to TO, in time order; FROM.. and ..TO\n"
    "                     leave an end open\n"
    "  --earned           after the table, the earned credits: every passed course's, a score of\n"
    "                     60 or more or a passed pass/fail grade\n"
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

// Rows of texts, the first the titles.
bool WriteRows(const std::vector<std::vector<std::string>>& rows, OutputFormat format,
               std::FILE* out) {
  const CellGrid grid{rows.size(), rows[0].size(),
                      [&rows](std::size_t row, std::vector<std::string_view>& cells) {
                        cells.assign(rows[row].begin(), rows[row].end());
                      }};
  return WriteTable(grid, format, out);
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
  return WriteRows(rows, options.format, out);
}

// Why the terms of the options cannot be counted in `courses`: a bound that is no term of theirs,
// or a start after the end; empty when they can.
std::string CheckTerms(const gpa::Subset& subset, const courses::CourseList& courses) {
  const std::vector<std::string> terms = courses::OrderedTerms(courses);
  std::size_t bounds[2] = {0, terms.size()};
  const std::string* given[2] = {&subset.fromTerm, &subset.toTerm};
  for (int end = 0; end < 2; ++end) {
    if (given[end]->empty()) continue;
    bounds[end] = std::find(terms.begin(), terms.end(), *given[end]) - terms.begin();
    if (bounds[end] == terms.size()) {
      return "--terms: " + platform::GbkToUtf8(*given[end]) + " is no term of the courses";
    }
  }
  if (bounds[0] > bounds[1])
    return "--terms: " + platform::GbkToUtf8(subset.fromTerm) + " comes after " +
           platform::GbkToUtf8(subset.toTerm);
  return {};
}

// Whether no course has a category, so that only the empty one can match.
bool HasNoCategory(const courses::CourseList& courses) {
  for (std::size_t i = 0; i < courses.Size(); ++i) {
    if (!courses[i].category.empty()) return false;
  }
  return true;
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
  if (const std::string bad = CheckTerms(options.subset, *courses); !bad.empty()) {
    Print(err, "gradova-cli: " + bad + " (try 'gradova-cli --help')\n");
    return kExitUsage;
  }
  if (!options.subset.categories.empty() && HasNoCategory(*courses)) {
    Print(err,
          "gradova-cli: " + options.courseFile + ": 课程都没有类别，--category 只与空类别相符\n");
  }
  const LoadedRules rules = LoadRules(options, err);
  if (!rules.ok) return kExitFailure;
  // The column of the transcript's points stays when the chosen courses have none.
  const bool transcriptPoints = courses->HasPoints();
  const gpa::Subset& subset = options.subset;
  if (!subset.categories.empty() || !subset.fromTerm.empty() || !subset.toTerm.empty()) {
    courses = gpa::SelectCourses(*courses, subset);
  }
  std::vector<std::vector<std::string>> termRows;
  if (options.byTerm) {
    termRows.push_back(gpa::MakeTermTitles(rules.ruleSet, transcriptPoints));
    for (auto& row : gpa::EvaluateTerms(*courses, rules.ruleSet, false, transcriptPoints)) {
      termRows.push_back(std::move(row));
    }
  }
  const std::vector<std::string> titles = gpa::MakeColumnTitles(rules.ruleSet, transcriptPoints);
  const gpa::ResultTable table =
      gpa::EvaluateCourses(std::move(*courses), rules.ruleSet, transcriptPoints);
  if (table.totalsInexact) {
    Print(
        err,
        "gradova-cli: 注意：合计已超出单精度能保持所示位数的范围，总计一行与精确计算的结果不同\n");
  }
  if (options.htmlFile && !options.target) {
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
  const bool written = options.target   ? ShowPlan(options, table, titles, out)
                       : options.byTerm ? WriteRows(termRows, options.format, out)
                                        : WriteTable(grid, options.format, out);
  if (written && options.earned) {
    const char* separator = options.format == OutputFormat::Tsv ? "\t" : " ";
    Print(out,
          platform::GbkToUtf8(gpa::kEarnedCreditsTitle) + separator + table.earnedCredits + "\n");
  }
  if (!written || std::fflush(out) != 0 || std::ferror(out)) {
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
