#include "gpa/evaluation.h"

#include "courses/number_text.h"
#include "gpa/gpa_texts.h"
#include "gpa/sums.h"

namespace gradova::gpa {
namespace {

// The courses that have grade points: all but the passed pass/fail ones, whose credits are added
// to `passedCredits` in single precision as the total credits are summed.
courses::CourseList GradedCourses(courses::CourseList courses, float& passedCredits) {
  bool anyPass = false;
  for (std::size_t i = 0; i < courses.Size() && !anyPass; ++i) {
    anyPass = courses::IsPassGrade(courses[i].score);
  }
  if (!anyPass) return courses;
  courses::CourseList graded;
  for (std::size_t i = 0; i < courses.Size(); ++i) {
    const courses::CourseFields course = courses[i];
    if (!courses::IsPassGrade(course.score)) {
      graded.Add(courses.Record(i));
    } else {
      passedCredits = static_cast<float>(courses::ValueOr0(courses::CreditsValue(course.credits)) +
                                         passedCredits);
    }
  }
  return graded;
}

}  // namespace

std::string FormatQuotient(double sum, double total, int decimals) {
  if (total == 0.0) return std::string(kUndefinedValue);
  return FormatTotal(sum / total, decimals);
}

std::vector<std::string> MakeColumnTitles(const grading::RuleSet& ruleSet, bool transcriptPoints) {
  std::vector<std::string> titles{std::string(kCourseNameTitle), std::string(kCreditsTitle),
                                  std::string(kScoreTitle)};
  for (const grading::Rule& rule : ruleSet.rules) titles.push_back(rule.name);
  if (transcriptPoints) titles.emplace_back(kTranscriptPointsTitle);
  return titles;
}

ResultTable EvaluateCourses(courses::CourseList all, const grading::RuleSet& ruleSet,
                            bool transcriptPoints) {
  ResultTable table;
  table.transcriptPoints = transcriptPoints;
  // The passed credits: the pass/fail courses' and those of a score of at least 60.
  float earned = 0;
  courses::CourseList courses = GradedCourses(std::move(all), earned);
  const RulePoints points(ruleSet);
  for (std::size_t r = 0; r < points.RuleCount(); ++r) {
    RuleColumn& column = table.ruleColumns.emplace_back();
    for (const float slotPoints : points.SlotPoints(r))
      column.pointTexts.push_back(courses::FormatFixed(slotPoints, 1));
    column.textOfCourse.reserve(courses.Size());
  }
  Sums<float> sums(points.RuleCount(), transcriptPoints);
  Sums<double> exact(points.RuleCount(), transcriptPoints);
  std::vector<float> coursePoints(points.RuleCount());
  for (std::size_t i = 0; i < courses.Size(); ++i) {
    const CourseValues course = ValuesOf(courses[i]);
    for (std::size_t r = 0; r < points.RuleCount(); ++r) {
      const std::size_t slot = points.Slot(r, course.score);
      table.ruleColumns[r].textOfCourse.push_back(static_cast<std::uint8_t>(slot));
      coursePoints[r] = points.SlotPoints(r)[slot];
    }
    sums.Add(course, coursePoints);
    exact.Add(course, coursePoints);
    if (course.score >= 60.0f) earned = static_cast<float>(course.credits + earned);
  }
  table.earnedCredits = FormatTotal(earned, 1);
  table.totalsRow = sums.Row(std::string(kTotalsLabel));
  table.totalsInexact = exact.Row(std::string(kTotalsLabel)) != table.totalsRow;
  table.basis.totalCredits = sums.credits;
  for (std::size_t r = 0; r < points.RuleCount(); ++r) {
    TargetBasis::Rule& planned = table.basis.rules.emplace_back();
    planned.weightedPoints = sums.weightedPoints[r];
    for (int score = 0; score <= kHighestScore; ++score) {
      planned.pointsOfScore.push_back(
          points.SlotPoints(r)[points.Slot(r, static_cast<float>(score))]);
    }
  }
  table.countText =
      std::string(kCountPrefix) + std::to_string(courses.Size()) + std::string(kCountSuffix);
  table.courses = std::move(courses);
  return table;
}

}  // namespace gradova::gpa
