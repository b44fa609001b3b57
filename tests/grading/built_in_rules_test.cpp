#include "grading/built_in_rules.h"

#include <gtest/gtest.h>

#include "support/gbk_literal.h"
#include "support/row_printer.h"
#include "support/temp_dir.h"

namespace gradova::grading {
namespace {

GRADOVA_PRINT_ROWS_BY_LABEL()

using testing::DataFile;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(WriteBuiltInRules, WritesThe238BytesOfTheEightRules) {
  std::string file;
  WriteBuiltInRules(file);
  EXPECT_EQ(file.size(), 238u);
  EXPECT_EQ(file, DataFile("builtin_rules"));
}

TEST(BuiltInRules, NamesInFileOrder) {
  std::vector<std::string> names;
  for (const Rule& rule : MakeBuiltInRules().rules) names.push_back(rule.name);
  const std::vector<std::string> expected{
      testing::Gbk("标准4.0算法"),     testing::Gbk("改进4.0算法(1)"),
      testing::Gbk("改进4.0算法(2)"),  testing::Gbk("北大4.0算法"),
      testing::Gbk("加拿大4.3算法"),   testing::Gbk("中科大4.3算法"),
      testing::Gbk("上海交大4.3算法"), testing::Gbk("台湾4.0算法")};
  EXPECT_EQ(names, expected);
}

TEST(BuiltInRules, ScoreOf59Point5GetsZeroExceptUnderTheTaiwanRule) {
  const RuleSet rules = MakeBuiltInRules();
  for (std::size_t r = 0; r < rules.rules.size(); ++r) {
    const BandTable& bands = rules.rules[r].bands;
    const std::uint16_t points = bands[FindBand(bands, 59.5f)].points;
    EXPECT_EQ(points, r == 7 ? 10 : 0) << r;
    EXPECT_EQ(FindBand(bands, 100.0f), 0u) << r;
  }
}

TEST(EnsureRulesFile, CreatesTheBuiltInFileWhenMissing) {
  TempDir dir;
  EXPECT_EQ(EnsureRulesFile(dir.Path("rules")), EnsureRulesStatus::Created);
  EXPECT_EQ(ReadBytes(dir.Path("rules")), DataFile("builtin_rules"));
}

struct ExistingRow {
  const char* label;
  std::string bytes;
};

class EnsureRulesFileExisting : public ::testing::TestWithParam<ExistingRow> {};

TEST_P(EnsureRulesFileExisting, LeavesItUnchanged) {
  TempDir dir;
  WriteBytes(dir.Path("rules"), GetParam().bytes);
  EXPECT_EQ(EnsureRulesFile(dir.Path("rules")), EnsureRulesStatus::Existed);
  EXPECT_EQ(ReadBytes(dir.Path("rules")), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Files, EnsureRulesFileExisting,
                         ::testing::Values(ExistingRow{"Empty", ""},
                                           ExistingRow{"Damaged", "ab\x65\x5a"},
                                           ExistingRow{"Custom", "ab\x65\x00\x00\x66"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(EnsureRulesFile, UnwritableDirectoryReportsCannotCreate) {
  TempDir dir;
  EXPECT_EQ(EnsureRulesFile(dir.Path("missing-dir/rules")), EnsureRulesStatus::CannotCreate);
}

}  // namespace
}  // namespace gradova::grading
