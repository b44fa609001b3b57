// A child saves `rules` and a course file over and over, switching each between two contents,
// until SIGKILL: each file must then hold one of its two contents, never a mixture or a cut one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "grading/built_in_rules.h"
#include "platform/program_files.h"
#include "support/temp_dir.h"

namespace gradova::platform {
namespace {

TEST(InterruptedSave, EachFileIsAlwaysTheOldOrTheNewContents) {
  grading::RuleSet rules[2] = {grading::MakeBuiltInRules(), grading::MakeBuiltInRules()};
  rules[1].rules.pop_back();
  std::vector<courses::CourseRecord> courses[2] = {{{"a", "1", "60"}}, {}};
  for (int k = 0; k < 2000; ++k) courses[1].push_back({"course", "2", std::to_string(k)});
  std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
  for (int kill = 0; kill < 40; ++kill) {
    testing::TempDir dir;
    WriteRulesFile(rules[0], dir.Path("rules"));
    WriteCourseFile(dir.Path("courses.txt"), courses[0]);
    const pid_t child = ::fork();
    if (child == 0) {
      for (int round = 1;; ++round) {
        WriteRulesFile(rules[round % 2], dir.Path("rules"));
        WriteCourseFile(dir.Path("courses.txt"), courses[round % 2]);
      }
    }
    const timespec pause{0, static_cast<long>(random() % 30'000'000)};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended on its own";
    const auto rulesFile = testing::ReadBytes(dir.Path("rules"));
    EXPECT_TRUE(rulesFile == grading::FormatRulesFile(rules[0]) ||
                rulesFile == grading::FormatRulesFile(rules[1]));
    const auto courseFile = testing::ReadBytes(dir.Path("courses.txt"));
    EXPECT_TRUE(courseFile == courses::FormatCourseFile(courses[0]) ||
                courseFile == courses::FormatCourseFile(courses[1]));
  }
}

}  // namespace
}  // namespace gradova::platform
