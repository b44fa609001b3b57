#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "cli/cli_app.h"
#include "cli/options.h"
#include "cli/table_output.h"
#include "support/gbk_literal.h"
#include "support/temp_dir.h"

namespace gradova::cli {
namespace {

using namespace std::string_literals;
using testing::DataFile;
using testing::Gbk;
using testing::TempDir;
using testing::WriteBytes;

std::string Parsed(const std::vector<std::string>& arguments) {
  const ParsedCommandLine parsed = ParseCommandLine(arguments);
  if (std::holds_alternative<ShowHelp>(parsed)) return "help";
  if (std::holds_alternative<ShowVersion>(parsed)) return "version";
  if (std::holds_alternative<UsageError>(parsed)) return "usage";
  const Options& o = std::get<Options>(parsed);
  return o.courseFile + "|" + o.rulesFile.value_or("-") + "|" + o.htmlFile.value_or("-") + "|" +
         (o.format == OutputFormat::Tsv ? "tsv" : "text");
}

TEST(ParseCommandLine, Table) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"c.txt"}, "c.txt|-|-|text"},
      {{"--rules", "r", "--format", "tsv", "--html", "p.html", "c.txt"}, "c.txt|r|p.html|tsv"},
      {{"--format=text", "--rules=r", "c.txt"}, "c.txt|r|-|text"},
      {{"--", "-c.txt"}, "-c.txt|-|-|text"},
      {{"a", "-h"}, "help"},
      {{"--version"}, "version"},
      {{}, "usage"},
      {{"a", "b"}, "usage"},
      {{"--colour", "a"}, "usage"},
      {{"a", "--rules"}, "usage"},
      {{"--format", "csv", "a"}, "usage"},
      {{"--target", "3.5", "a"}, "usage"},
      {{"--target", "0", "--remaining", "5", "a"}, "usage"},
      {{"--target", "3.5", "--remaining", "-5", "a"}, "usage"},
      {{"--retake", "first", "a"}, "usage"},
      {{"--grade-map", "A=101", "a"}, "usage"},
      {{"--by-term", "--earned", "--category=x", "--terms", "y..", "a"}, "a|-|-|text"},
      {{"--category", "", "a"}, "usage"},
      {{"--terms", "x", "a"}, "usage"},
      {{"--terms", "..", "a"}, "usage"},
      {{"--by-term", "--target", "3", "--remaining", "1", "a"}, "usage"},
  };
  for (const auto& [arguments, expected] : rows) EXPECT_EQ(Parsed(arguments), expected);
}

TEST(DisplayWidth, CountsWideCharactersTwice) {
  const std::pair<std::string, std::size_t> rows[] = {
      {"abc", 3}, {"高等数学", 8}, {"C语言2", 6}, {"１", 2}, {"\xEF\xBF\xBD", 1},
      {"ア", 2},  {"", 0},         {"Ω", 1},      {"€", 1},  {"…", 1}};
  for (const auto& [text, width] : rows) EXPECT_EQ(DisplayWidth(text), width) << text;
  // The first and last character of each wide block (two columns), then those just outside (one).
  EXPECT_EQ(DisplayWidth("\u1100\u115F\u2E80\u303E\u3040\uA4CF\uAC00\uD7A3\uF900\uFAFF\uFE30\uFE4F"
                         "\uFF00\uFF60\uFFE0\uFFE6\u10FF\u1160\u2E7F\u303F\uA4D0\uABFF\uD7A4\uF8FF"
                         "\uFB00\uFE2F\uFE50\uFEFF\uFF61\uFFDF\uFFE7"),
            47u);
}

struct CliRun {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs the command in `dir` after writing `courses` there as c.txt and `rules` as r, when given.
CliRun RunIn(const TempDir& dir, std::optional<std::string> courses,
             std::optional<std::string> rules, const std::vector<std::string>& arguments) {
  if (courses) WriteBytes(dir.Path("c.txt"), *courses);
  if (rules) WriteBytes(dir.Path("r"), *rules);
  testing::ScopedCurrentPath inDir(dir.Root());
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int exitCode = RunCli(arguments, out, err);
  return CliRun{exitCode, testing::ReadAndClose(out), testing::ReadAndClose(err)};
}

const std::string kNoRules;                                     // a rules file without rules
const std::string kRuleA = "V\x65\x00\x63\x66"s;                // "a": every score gets 9.9
const std::string kBandsFrom60 = "V\x65\x5a\x28\x3c\x14\x66"s;  // "a": 90+ 4.0, 60+ 2.0, else none

TEST(Cli, Outputs) {
  struct Row {
    std::string courses;
    std::string rules;  // as r, or as ./rules when the arguments name none
    std::vector<std::string> arguments;
    std::string out;
  } rows[] = {
      {Gbk("数学 2 60\r\nab 10 7"),
       kNoRules,
       {"--rules", "r", "c.txt"},
       "课程名称       学分  成绩\n数学           2     60\nab             10    7\n\n"
       "总计/加权平均  12.0  15.8\n共计2门课\n"},
      // No control byte reaches a terminal; "丂" (81 40) stays, a lone 0x9B is no C1 control.
      {Gbk("数学") + "\ta\tb\x1b]0;X\x07\x7f 2 60\n\xff\x80\x81\x40\x9b 1 0",
       kNoRules,
       {"--rules", "r", "--format", "tsv", "c.txt"},
       "课程名称\t学分\t成绩\n数学 a b ]0;X  \t2\t60\n\uF8F5€丂\xEF\xBF\xBD\t1\t0\n\t\t\n"
       "总计/加权平均\t3.0\t40.0\n共计2门课\t\t\n"},
      {"x 1 95\r\ny 1 59.99\r\nz 1 100\r\nw 1 -0",
       kBandsFrom60,
       {"--rules=r", "--format=tsv", "c.txt"},
       "课程名称\t学分\t成绩\ta\nx\t1\t95\t4.0\ny\t1\t59.99\t0.0\nz\t1\t100\t4.0\nw\t1\t-0\t0.0\n"
       "\t\t\t\n总计/加权平均\t4.0\t63.7\t2.00\n共计4门课\t\t\t\n"},
      {"x 1 95\r\ny 1 59.99\r\nz 1 100\r\nw 1 -0",
       kBandsFrom60 + kRuleA,
       {"--rules=r", "--format=tsv", "--target", "2.2", "--remaining=1", "c.txt"},
       "算法\t当前GPA\t所需平均绩点\t最低分数\na\t2.00\t3.00\t90\na\t9.90\t0.00\t已达到\n"},
      // Point cells under two rules: scores sharing an integer part, a worded one, one of 0.
      {Gbk("x 1 95\r\n数学 12 59.99\r\nz 1 优\r\nw 0.5 0\r\nv 3 60"),
       kBandsFrom60 + kRuleA,
       {"--rules", "r", "c.txt"},
       "课程名称       学分  成绩   a     a\nx              1     95     4.0   9.9\n"
       "数学           12    59.99  0.0   9.9\nz              1     优     4.0   9.9\n"
       "w              0.5   0      0.0   9.9\nv              3     60     2.0   9.9\n\n"
       "总计/加权平均  17.5  62.3   0.80  9.90\n共计5门课\n"},
      // A cell wider than 40 columns is cut, not padded to.
      {std::string(45, 'a') + " 2 60\r\n" + Gbk("数数数数数数数数数数数数数数数数数数数数数") +
           " 1 70",
       kNoRules,
       {"--rules", "r", "c.txt"},
       "课程名称" + std::string(34, ' ') + "学分  成绩\n" + std::string(39, 'a') + "…  2     60\n" +
           "数数数数数数数数数数数数数数数数数数数…   1     70\n\n总计/加权平均" +
           std::string(29, ' ') + "3.0   63.3\n共计2门课\n"},
      {"a 1 60\r\n",
       kRuleA,
       {"--format", "tsv", "c.txt"},
       "课程名称\t学分\t成绩\ta\na\t1\t60\t9.9\n\t\t\t\n总计/加权平均\t1.0\t60.0\t9.90\n"
       "共计1门课\t\t\t\n"},
  };
  for (const Row& row : rows) {
    TempDir dir;
    if (row.arguments[0] == "--format") WriteBytes(dir.Path("rules"), row.rules);
    const CliRun run = RunIn(dir, row.courses, row.rules, row.arguments);
    EXPECT_EQ(run.exitCode, kExitOk) << run.err;
    EXPECT_EQ(run.out, row.out) << row.courses;
  }
}

// A cell longer than the output's buffer goes out in pieces, none cutting a character.
TEST(Cli, LongNameWhole) {
  std::string name;
  for (int i = 0; i < 40'000; ++i) name += "数";
  TempDir dir;
  const CliRun run =
      RunIn(dir, Gbk(name + " 2 60"), kNoRules, {"--rules", "r", "--format", "tsv", "c.txt"});
  EXPECT_EQ(run.out.substr(0, run.out.find("\t2\t60\n")), "课程名称\t学分\t成绩\n" + name);
}

TEST(Cli, SampleGivesTheWorkedExampleAndItsReport) {
  TempDir dir;
  const CliRun run = RunIn(dir, DataFile("sample_courses.txt"), std::nullopt,
                           {"--format", "tsv", "--html", "p.html", "c.txt"});
  std::string cells = DataFile("worked_example_report_cells.tsv");
  const std::size_t dashes = cells.find("-\t-");
  cells.replace(dashes, cells.find('\n', dashes) - dashes, std::string(10, '\t'));
  EXPECT_EQ(run.out, cells);
  EXPECT_EQ(testing::ReadBytes(dir.Path("p.html")), DataFile("worked_example_report.html"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("rules"))) << "the built-in rules are not written";
}

TEST(Cli, Failures) {
  // A hundred thousand courses of 3 credits at 85 average 85.1 in single precision.
  std::string drifting;
  for (int i = 0; i < 100'000; ++i) drifting += "x 3 85\n";
  struct Row {
    std::optional<std::string> courses;
    std::optional<std::string> rules;
    std::vector<std::string> arguments;
    int exitCode;
    std::string err;
  } rows[] = {
      {std::nullopt, std::nullopt, {"c.txt"}, kExitFailure, "gradova-cli: c.txt: 文件打开失败！\n"},
      {"a 1 60\r\nbad\r\n",
       std::nullopt,
       {"c.txt"},
       kExitFailure,
       "c.txt:2: 文件格式错误! 第2行：应为“课程名称 学分 分数”"},
      {"a 0 60\r\n",
       std::nullopt,
       {"c.txt"},
       kExitFailure,
       "c.txt:1: 文件包含错误数据! 第1行：学分应大于 0 且不超过 1000\n"},
      {"a 1 60\nb 1 100e5",
       std::nullopt,
       {"c.txt"},
       kExitFailure,
       "c.txt:2: 文件包含错误数据! 第2行：分数应为 0~100 的数字"},
      {"a 1 60",
       std::nullopt,
       {"--target", "100000000000000000", "--remaining", "20", "c.txt"},
       kExitUsage,
       "--target must be above 0"},
      {"a 1 60",
       std::nullopt,
       {"--target", "3", "--remaining", "1" + std::string(309, '0'), "c.txt"},
       kExitUsage,
       "--remaining from 0 to"},
      {drifting, std::nullopt, {"c.txt"}, kExitOk, "注意：合计已超出单精度"},
      {"", std::nullopt, {"c.txt"}, kExitFailure, "gradova-cli: c.txt: 当前没有数据！\n"},
      {"a 1 60", std::nullopt, {"--rules", "absent", "c.txt"}, kExitFailure, "absent: 无法读取"},
      {"a 1 60", std::nullopt, {"--html", "no/p.html", "c.txt"}, kExitFailure, "文件创建失败！"},
      {"a 1 60", std::nullopt, {"--html", "./c.txt", "c.txt"}, kExitFailure, "c.txt: 报告不能覆盖"},
      {"a 1 60", "", {"--rules", "r", "--html", "./r", "c.txt"}, kExitFailure, "r: 报告不能覆盖"},
      {"a 1 60", std::nullopt, {"--html", "rules", "c.txt"}, kExitFailure, "rules: 报告不能覆盖"},
      {std::nullopt,
       std::nullopt,
       {},
       kExitUsage,
       "gradova-cli: no course file given (try 'gradova-cli --help')\n"},
      {"a 1 60", kRuleA + "W", {"--rules", "r", "c.txt"}, kExitOk, "r: 算法文件已损坏！\n"},
      {"数学☕ 2 60", std::nullopt, {"c.txt"}, kExitOk, "c.txt: 有1个字符无法转换，已替换为“?”。\n"},
  };
  for (const Row& row : rows) {
    const CliRun run = RunIn(TempDir(), row.courses, row.rules, row.arguments);
    EXPECT_EQ(run.exitCode, row.exitCode) << row.err;
    // A row that starts with the command's name is the whole message.
    if (row.err.rfind("gradova-cli: ", 0) == 0) {
      EXPECT_EQ(run.err, row.err);
    } else {
      EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
    }
    EXPECT_EQ(run.out.empty(), row.exitCode != kExitOk) << row.err;
  }
}

// A transcript gives the table of its counted rows; the others are told on stderr. An .xls gives
// what its .xlsx twin gives.
TEST(Cli, Transcripts) {
  const auto data = [](const char* name) {
    std::ifstream in(std::string(GRADOVA_TEST_DATA_DIR "/") + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string twin =
      "高等数学\t5\t95\n大学英语\t3\t85\n线性代数\t4\t65\nLinear Algebra, Honours\t2.5\t88.5\n";
  // clang-format off
  const std::tuple<std::string, std::vector<std::string>, std::string, std::string> rows[] = {
      {"课程,学分,成绩\r\nLinear Algebra II,4,良\r\n体育,1,通过\r\nLinear Algebra II,4,70\r\n", {"t.csv"}, "Linear Algebra II\t4\t85\n", "t.csv:3: 体育 1 通过: 只计入已获学分\ngradova-cli: t.csv:4: Linear Algebra II 4 70: 不计入：重修，以第2行为准\ngradova-cli: t.csv: 计入1门课程，不计入2行，略过0行\n"},
      {Gbk("a\t2\t优\na\t2\t70"), {"--retake", "latest", "--grade-map", "优=90", "t.tsv"}, "a\t2\t70\n", "t.tsv: 计入1门课程，不计入1行，略过0行\n"},
      {"a,2,优", {"--grade-map=优=1", "--retake=all", "t.csv"}, "a\t2\t1\n", "计入1门"},
      {"a,2,b", {"t.xlsx"}, "", "t.xlsx: 无法读取成绩单：文件不是有效的.xlsx（不是zip压缩包）！\n"},
      {"a,2,b", {"t.xls"}, "", "t.xls: 无法读取成绩单：文件不是有效的.xls（Excel 97-2003工作簿）！\n"},
      {data("transcript.xlsx"), {"t.xlsx"}, twin, "t.xlsx:7: 高等数学 5 92: 不计入：重修，以第3行为准\ngradova-cli: t.xlsx: 计入4门课程，不计入2行，略过0行\n"},
      {data("transcript.xls"), {"t.xls"}, twin, "t.xls:7: 高等数学 5 92: 不计入：重修，以第3行为准\ngradova-cli: t.xls: 计入4门课程，不计入2行，略过0行\n"},
  };
  // clang-format on
  for (const auto& [bytes, arguments, out, err] : rows) {
    TempDir dir;
    WriteBytes(dir.Path(arguments.back()), bytes);
    std::vector<std::string> all = {"--rules", "r", "--format", "tsv"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const CliRun run = RunIn(dir, std::nullopt, kNoRules, all);
    const std::string table = "课程名称\t学分\t成绩\n" + out + "\t\t\n";
    EXPECT_EQ(run.out.substr(0, std::min(run.out.size(), table.size())), out.empty() ? "" : table);
    EXPECT_NE(run.err.find(err), std::string::npos) << run.err;
  }
}

// The per-term table, a chosen subset and the earned credits, figures by hand under kBandsFrom60.
// The transcript's rows need the import to read the columns 学年学期 and 课程性质; p.csv's points
// end every row, averaged over the courses that have them.
TEST(Cli, TermsCategoriesAndEarnedCredits) {
  const std::string courses = "a 2 95\r\nb 3 85\r\nc 1 50";  // no terms, no categories
  // clang-format off
  const std::string transcript = "课程,学分,成绩,学年学期,课程性质\r\na,2,95,2023-2024-1,必修\r\nb,3,85,2022-2023学年第二学期,选修\r\nc,4,75,2022-2023-1,必修\r\nd,1,60,,\r\ne,2,通过,2022-2023-1,必修\r\nf,1,50,2022-2023学年第一学期,选修\r\n";
  const std::string tsv = "--format=tsv", pad(19, ' ');
  const std::tuple<std::vector<std::string>, int, std::string, std::string> rows[] = {
      {{"--by-term", "--earned", tsv, "c.txt"}, kExitOk, "学期\t学分\t加权平均分\ta\n未分学期\t6.0\t82.5\t2.33\n累计\t6.0\t82.5\t2.33\n已获学分\t5.0\n", ""},
      {{"--by-term", "--earned", "c.txt"}, kExitOk, "学期      学分  加权平均分  a\n未分学期  6.0   82.5        2.33\n累计      6.0   82.5        2.33\n已获学分 5.0\n", ""},
      {{"--category", "必修", tsv, "c.txt"}, kExitOk, "课程名称\t学分\t成绩\ta\n\t\t\t\n总计/加权平均\t0.0\t无法计算\t无法计算\n共计0门课\t\t\t\n", "c.txt: 课程都没有类别，--category 只与空类别相符\n"},
      {{"--terms", "2030..", "c.txt"}, kExitUsage, "", "--terms: 2030 is no term of the courses"},
      {{"--by-term", "--earned", tsv, "t.csv"}, kExitOk, "学期\t学分\t加权平均分\ta\n2022-2023-1\t4.0\t75.0\t2.00\n2022-2023学年第一学期\t1.0\t50.0\t0.00\n2022-2023学年第二学期\t3.0\t85.0\t2.00\n2023-2024-1\t2.0\t95.0\t4.00\n未分学期\t1.0\t60.0\t2.00\n累计\t11.0\t77.7\t2.18\n已获学分\t12.0\n", ""},
      {{"--category", "必修", "--earned", tsv, "t.csv"}, kExitOk, "课程名称\t学分\t成绩\ta\na\t2\t95\t4.0\nc\t4\t75\t2.0\n\t\t\t\n总计/加权平均\t6.0\t81.7\t2.67\n共计2门课\t\t\t\n已获学分\t8.0\n", ""},
      {{"--by-term", "--category=选修， 必修", "--terms", "2022-2023学年第一学期..2022-2023学年第二学期", "t.csv"}, kExitOk, "学期" + pad + "学分  加权平均分  a\n2022-2023学年第一学期  1.0   50.0        0.00\n2022-2023学年第二学期  3.0   85.0        2.00\n累计" + pad + "4.0   76.3        1.50\n", ""},
      {{"--terms", "2023-2024-1..2022-2023-1", "t.csv"}, kExitUsage, "", "--terms: 2023-2024-1 comes after 2022-2023-1"},
      {{tsv, "p.csv"}, kExitOk, "课程名称\t学分\t成绩\ta\t成绩单绩点\na\t2\t95\t4.0\t4.0\nb\t3\t85\t2.0\tx\nc\t1\t50\t0.0\t0.5\n\t\t\t\t\n总计/加权平均\t6.0\t82.5\t2.33\t2.83\n共计3门课\t\t\t\t\n", ""},
      {{"--by-term", tsv, "p.csv"}, kExitOk, "学期\t学分\t加权平均分\ta\t成绩单绩点\n2022-2023-2\t1.0\t50.0\t0.00\t0.50\n2023-2024-1\t5.0\t89.0\t2.80\t4.00\n累计\t6.0\t82.5\t2.33\t2.83\n", ""},
  };
  // clang-format on
  for (const auto& [arguments, exitCode, out, err] : rows) {
    TempDir dir;
    WriteBytes(dir.Path("t.csv"), transcript);
    WriteBytes(dir.Path("p.csv"),
               "课程,学分,成绩,学期,GPA\na,2,95,2023-2024-1,4.0\nb,3,85,2023-2024-1,x\nc,1,50,2022-"
               "2023-2,0.5");
    std::vector<std::string> all = {"--rules", "r"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const CliRun run = RunIn(dir, courses, kBandsFrom60, all);
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_EQ(run.out, out);
    EXPECT_NE(run.err.find(err), std::string::npos) << run.err;
  }
}

// Memory that runs out anywhere in the command is told, not an abort: here in the report of a name
// of 20 MB that escaping makes five times as long.
TEST(Cli, MemoryRunningOutIsTold) {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address space limit";
#endif
#endif
  TempDir dir;
  WriteBytes(dir.Path("c.txt"), std::string(20 << 20, '&') + " 2 60");
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{160 << 20, 160 << 20};  // room to start and read, not to hold the page
    const int err = open(dir.Path("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (setrlimit(RLIMIT_AS, &limit) != 0 || err < 0 || dup2(err, 2) < 0) _exit(126);
    execl(GRADOVA_CLI, GRADOVA_CLI, "--html", dir.Path("p.html").c_str(), dir.Path("c.txt").c_str(),
          nullptr);
    _exit(127);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kExitFailure) << status;
  EXPECT_EQ(testing::ReadBytes(dir.Path("err")), "gradova-cli: out of memory\n");
}

}  // namespace
}  // namespace gradova::cli
