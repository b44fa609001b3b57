// Saves killed at random moments: a child process saves `rules` and a course file over and over,
// switching each between two contents, until it is killed with SIGKILL; each file must then hold
// exactly one of its two contents, never a mixture, a truncated or an empty file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "courses/course_file.h"
#include "grading/built_in_rules.h"
#include "grading/rules_file.h"
#include "support/temp_dir.h"

namespace gradova {
namespace {

std::vector<courses::CourseRecord> Courses(int count) {
  std::vector<courses::CourseRecord> records;
  for (int k = 0; k < count; ++k) {
    records.push_back({"course " + std::to_string(k), std::to_string(1 + k % 5),
                       std::to_string(50 + k % 50) + ".5"});
  }
  return records;
}

struct Contents {
  grading::RuleSet rules;
  std::vector<courses::CourseRecord> courses;
};

// Saves both files in turn, forever, writing one byte to `progress` after each pair of saves.
[[noreturn]] void SaveForever(const testing::TempDir& dir, const Contents (&contents)[2],
                              int progress) {
  for (int round = 0;; ++round) {
    const Contents& next = contents[round % 2];
    grading::WriteRulesFile(next.rules, dir.Path("rules"));
    courses::SaveCourseFile(dir.Path("courses.txt"), next.courses);
    if (::write(progress, "x", 1) != 1) ::_exit(1);
  }
}

TEST(InterruptedSave, EachFileIsAlwaysTheOldOrTheNewContents) {
  grading::RuleSet fewerRules = grading::MakeBuiltInRules();
  fewerRules.rules.erase(fewerRules.rules.begin());
  const Contents contents[2] = {{grading::MakeBuiltInRules(), Courses(3)},
                                {fewerRules, Courses(2000)}};
  const std::set<std::string> rulesFiles{grading::FormatRulesFile(contents[0].rules),
                                         grading::FormatRulesFile(contents[1].rules)};
  const std::set<std::string> courseFiles{courses::FormatCourseFile(contents[0].courses),
                                          courses::FormatCourseFile(contents[1].courses)};
  std::mt19937 random(::testing::UnitTest::GetInstance()->random_seed());
  constexpr int kKills = 40;
  int leftoverTemporaryFiles = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    testing::TempDir dir;
    int progress[2];
    ASSERT_EQ(::pipe(progress), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(progress[0]);
      SaveForever(dir, contents, progress[1]);
    }
    ::close(progress[1]);
    // Let it complete a few rounds, so that both files exist, then kill it somewhere inside the
    // next few saves.
    char done;
    for (int rounds = 1 + static_cast<int>(random() % 3); rounds > 0; --rounds) {
      ASSERT_EQ(::read(progress[0], &done, 1), 1);
    }
    const timespec pause{0, static_cast<long>(random() % 3'000'000)};
    ::nanosleep(&pause, nullptr);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(progress[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended on its own";

    const std::optional<std::string> rules = testing::ReadBytes(dir.Path("rules"));
    const std::optional<std::string> courseFile = testing::ReadBytes(dir.Path("courses.txt"));
    ASSERT_TRUE(rules && courseFile) << "kill " << kill;
    EXPECT_EQ(rulesFiles.count(*rules), 1u) << "kill " << kill << ": " << rules->size() << " bytes";
    EXPECT_EQ(courseFiles.count(*courseFile), 1u)
        << "kill " << kill << ": " << courseFile->size() << " bytes";
    leftoverTemporaryFiles += static_cast<int>(testing::FileNames(dir.Root()).size()) - 2;
  }
  // A save killed before its rename leaves its temporary file behind; that is garbage beside the
  // files, never in their place.
  RecordProperty("leftover_temporary_files", leftoverTemporaryFiles);
}

}  // namespace
}  // namespace gradova
