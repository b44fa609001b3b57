#include "cli/cli_app.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "cli/table_output.h"
#include "courses/course_file.h"
#include "gpa/evaluation.h"
#include "grading/built_in_rules.h"
#include "grading/rules_file.h"
#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::cli {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::DataFile;
using testing::TempDir;
using testing::WriteBytes;
using namespace std::string_literals;

struct CliResult {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs the command with `dir` as the current directory, where a default `rules` is looked for.
CliResult RunIn(const TempDir& dir, const std::vector<std::string>& arguments) {
  testing::ScopedCurrentPath inDir(dir.Root());
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int exitCode = RunCli(arguments, out, err);
  return CliResult{exitCode, testing::ReadAndClose(out), testing::ReadAndClose(err)};
}

const std::string kSampleTsvFirstLines =
    "课程名称\t学分\t成绩\t标准4.0算法\t改进4.0算法(1)\t改进4.0算法(2)\t北大4.0算法\t"
    "加拿大4.3算法\t中科大4.3算法\t上海交大4.3算法\t台湾4.0算法\n"
    "高等数学\t5\t100\t4.0\t4.0\t4.0\t4.0\t4.3\t4.3\t4.3\t4.0\n";

TEST(Cli, SampleFileAsTsvWithBuiltInRules) {
  TempDir dir;
  WriteBytes(dir.Path("c.txt"), DataFile("sample_courses.txt"));
  const CliResult result = RunIn(dir, {"--format", "tsv", "c.txt"});
  EXPECT_EQ(result.exitCode, kExitOk);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.substr(0, kSampleTsvFirstLines.size()), kSampleTsvFirstLines);
  EXPECT_NE(result.out.find(
                "\n总计/加权平均\t15.0\t89.2\t3.20\t3.20\t3.47\t3.20\t3.77\t3.42\t3.42\t3.47\n"
                "共计5门课\t\t\t\t\t\t\t\t\t\t\n"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.Path("rules"))) << "the built-in rules are not written";
}

TEST(Cli, HtmlIsTheReportPage) {
  TempDir dir;
  WriteBytes(dir.Path("c.txt"), DataFile("sample_courses.txt"));
  const CliResult result = RunIn(dir, {"--html", "page.html", "c.txt"});
  EXPECT_EQ(result.exitCode, kExitOk);
  EXPECT_EQ(testing::ReadBytes(dir.Path("page.html")), DataFile("worked_example_report.html"));
}

TEST(Cli, UsesRulesInTheCurrentDirectory) {
  TempDir dir;
  WriteBytes(dir.Path("c.txt"), "a 1 60\r\n");
  WriteBytes(dir.Path("rules"), "V\x65\x00\x63\x66"s);  // "a": every score gets 9.9
  const CliResult result = RunIn(dir, {"--format=tsv", "c.txt"});
  EXPECT_EQ(result.exitCode, kExitOk);
  EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "课程名称\t学分\t成绩\ta");
  EXPECT_NE(result.out.find("a\t1\t60\t9.9\n"), std::string::npos);
}

TEST(Cli, DamagedRulesWarnAndGoOn) {
  TempDir dir;
  WriteBytes(dir.Path("c.txt"), "a 1 60\r\n");
  WriteBytes(dir.Path("r"), "V\x65\x00\x63\x66W"s);
  const CliResult result = RunIn(dir, {"--rules", "r", "--format", "tsv", "c.txt"});
  EXPECT_EQ(result.exitCode, kExitOk);
  EXPECT_NE(result.err.find("算法文件已损坏！"), std::string::npos);
  EXPECT_NE(result.out.find("a\t1\t60\t9.9\n"), std::string::npos);
}

struct FailureRow {
  const char* label;
  std::optional<std::string> courseFile;  // written as c.txt
  std::vector<std::string> arguments;
  int exitCode;
  std::string message;
};

class CliFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(CliFailure, ExitsWithMessage) {
  TempDir dir;
  if (GetParam().courseFile) WriteBytes(dir.Path("c.txt"), *GetParam().courseFile);
  const CliResult result = RunIn(dir, GetParam().arguments);
  EXPECT_EQ(result.exitCode, GetParam().exitCode);
  EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
  EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliFailure,
    ::testing::Values(
        FailureRow{
            "MissingCourseFile", std::nullopt, {"absent.txt"}, kExitFailure, "文件打开失败！"},
        FailureRow{"BadFormatLine",
                   "a 1 60\r\nbad\r\n",
                   {"c.txt"},
                   kExitFailure,
                   "c.txt:2: 文件格式错误!"},
        FailureRow{
            "BadDataLine", "a 0 60\r\n", {"c.txt"}, kExitFailure, "c.txt:1: 文件包含错误数据!"},
        FailureRow{"NoCourses", "", {"c.txt"}, kExitFailure, "当前没有数据！"},
        FailureRow{
            "UnreadableRules", "a 1 60", {"--rules", "absent", "c.txt"}, kExitFailure, "absent"},
        FailureRow{"UsageError",
                   std::nullopt,
                   {},
                   kExitUsage,
                   "gradova-cli: no course file given (try 'gradova-cli --help')\n"},
        FailureRow{"HtmlCannotBeWritten",
                   "a 1 60",
                   {"--html", "no/dir/p.html", "c.txt"},
                   kExitFailure,
                   "文件创建失败！"}),
    [](const auto& info) { return std::string(info.param.label); });

struct StreamedRow {
  const char* label;
  std::string courses;
  grading::RuleSet rules;
};

grading::RuleSet WithoutBandAtZero() {
  grading::Rule rule{"r", grading::MakeEmptyBandTable()};
  rule.bands[0] = {90, 40};
  rule.bands[1] = {60, 20};
  return grading::RuleSet{{rule}};
}

class StreamedOutput : public ::testing::TestWithParam<StreamedRow> {};

// The command streams its rows from the file's lines, with quicker paths for TSV; in both
// formats they must be the evaluated table's rows exactly.
TEST_P(StreamedOutput, IsTheResultTable) {
  TempDir dir;
  WriteBytes(dir.Path("c.txt"), GetParam().courses);
  WriteBytes(dir.Path("r"), grading::FormatRulesFile(GetParam().rules));
  const gpa::ResultTable table =
      gpa::EvaluateCourses(courses::ParseCourseFile(GetParam().courses).records, GetParam().rules);
  const std::vector<std::string> titles = gpa::MakeColumnTitles(GetParam().rules);
  for (const auto& [format, name] :
       {std::pair{OutputFormat::Tsv, "tsv"}, {OutputFormat::Text, "text"}}) {
    std::FILE* expected = std::tmpfile();
    ASSERT_TRUE(WriteTable(expected, format, TableRows(titles, table)));
    const CliResult result = RunIn(dir, {"--rules", "r", "--format", name, "c.txt"});
    EXPECT_EQ(result.exitCode, kExitOk) << result.err;
    EXPECT_EQ(result.out, testing::ReadAndClose(expected)) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    CourseFiles, StreamedOutput,
    ::testing::Values(
        StreamedRow{"Mixed",
                    testing::Gbk("高等数学 5 100\r\nx  2 59.5\r\n 1.5 88.5\r\n\xff\t 3 -0\r\n"
                                 "a b c 4e0 1e3\n2 60"),
                    grading::MakeBuiltInRules()},
        StreamedRow{"SeparatorsInsideCells",
                    testing::Gbk("long name\twith\ttabs\rand a CR 2\t 70\t\r\n"
                                 "数学\t分析\r基础课程名称很长很长 3 8\t\r\n"
                                 "\x81\t\xfe\r 1 90"),
                    grading::MakeBuiltInRules()},
        StreamedRow{"ScoresBeyondTheTable", "a 1 100e5\r\nb 2 -0.5\r\nc 3 100.999\r\nd 1 99e-9",
                    grading::MakeBuiltInRules()},
        StreamedRow{"RuleWithoutBandAtZero", "a 1 95\r\nb 2 70\r\nc 3 10\r\n", WithoutBandAtZero()},
        StreamedRow{"NoRules", "a 1 95\r\n", grading::RuleSet{}},
        StreamedRow{"LineLargerThanTheOutputBuffer",
                    std::string(3'000'000, 'n') + testing::Gbk("数学") +
                        std::string(1'000'000, '\t') + " 2 60\r\n",
                    grading::MakeBuiltInRules()}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(Cli, VersionAndHelp) {
  TempDir dir;
  EXPECT_EQ(RunIn(dir, {"--version"}).out, "gradova-cli 1.0.0.1\n");
  const CliResult help = RunIn(dir, {"--help"});
  EXPECT_EQ(help.exitCode, kExitOk);
  EXPECT_NE(help.out.find("--format"), std::string::npos);
}

}  // namespace
}  // namespace gradova::cli
