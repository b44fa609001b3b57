#include "cli/options.h"

#include <gtest/gtest.h>
#include "support/row_printer.h"

namespace gradova::cli {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

struct OptionsRow {
  const char* label;
  std::vector<std::string> arguments;
  std::string courseFile;
  std::optional<std::string> rulesFile;
  std::optional<std::string> htmlFile;
  OutputFormat format;
};

class ParseValidCommandLine : public ::testing::TestWithParam<OptionsRow> {};

TEST_P(ParseValidCommandLine, GivesOptions) {
  const ParsedCommandLine parsed = ParseCommandLine(GetParam().arguments);
  ASSERT_TRUE(std::holds_alternative<Options>(parsed));
  const Options& options = std::get<Options>(parsed);
  EXPECT_EQ(options.courseFile, GetParam().courseFile);
  EXPECT_EQ(options.rulesFile, GetParam().rulesFile);
  EXPECT_EQ(options.htmlFile, GetParam().htmlFile);
  EXPECT_EQ(options.format, GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ParseValidCommandLine,
    ::testing::Values(
        OptionsRow{"FileOnly", {"c.txt"}, "c.txt", std::nullopt, std::nullopt, OutputFormat::Text},
        OptionsRow{"AllOptions",
                   {"--rules", "r", "--format", "tsv", "--html", "p.html", "c.txt"},
                   "c.txt",
                   "r",
                   "p.html",
                   OutputFormat::Tsv},
        OptionsRow{"EqualsForm",
                   {"--format=text", "--rules=r", "c.txt"},
                   "c.txt",
                   "r",
                   std::nullopt,
                   OutputFormat::Text},
        OptionsRow{"DashFileAfterDoubleDash",
                   {"--", "-c.txt"},
                   "-c.txt",
                   std::nullopt,
                   std::nullopt,
                   OutputFormat::Text}),
    [](const auto& info) { return std::string(info.param.label); });

struct UsageRow {
  const char* label;
  std::vector<std::string> arguments;
};

class ParseBadCommandLine : public ::testing::TestWithParam<UsageRow> {};

TEST_P(ParseBadCommandLine, GivesUsageError) {
  const ParsedCommandLine parsed = ParseCommandLine(GetParam().arguments);
  ASSERT_TRUE(std::holds_alternative<UsageError>(parsed));
  EXPECT_FALSE(std::get<UsageError>(parsed).message.empty());
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ParseBadCommandLine,
                         ::testing::Values(UsageRow{"NoFile", {}}, UsageRow{"TwoFiles", {"a", "b"}},
                                           UsageRow{"UnknownOption", {"--colour", "a"}},
                                           UsageRow{"MissingValue", {"a", "--rules"}},
                                           UsageRow{"BadFormat", {"--format", "csv", "a"}}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(ParseCommandLine, HelpAndVersion) {
  EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"--help"})));
  EXPECT_TRUE(std::holds_alternative<ShowHelp>(ParseCommandLine({"a", "-h"})));
  EXPECT_TRUE(std::holds_alternative<ShowVersion>(ParseCommandLine({"--version"})));
}

}  // namespace
}  // namespace gradova::cli
