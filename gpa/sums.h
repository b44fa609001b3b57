#pragma once
// The sums behind a totals row and how one course enters them: the one place that makes a totals
// row, for the whole table and for each term alike.
#include <optional>
#include <string>
#include <vector>

#include "courses/course_line.h"
#include "gpa/evaluation.h"
#include "grading/rule_set.h"

namespace gradova::gpa {

// FormatFixed of `value`, or kUndefinedValue when it is not finite.
std::string FormatTotal(double value, int decimals);

// Each rule's grade points per band slot, single precision, and a last slot of 0 for a score that
// finds no band.
class RulePoints {
 public:
  explicit RulePoints(const grading::RuleSet& ruleSet);
  std::size_t RuleCount() const { return m_points.size(); }
  // The slot of `score` under rule `rule`: its band, or the last slot.
  std::size_t Slot(std::size_t rule, float score) const;
  const std::vector<float>& SlotPoints(std::size_t rule) const { return m_points[rule]; }
  // Each rule's points for `score`, into `points`.
  void Of(float score, std::vector<float>& points) const;

 private:
  const grading::RuleSet& m_ruleSet;
  std::vector<std::vector<float>> m_points;
};

// A course's numbers as the sums take them: the values of its texts, 0 for a text that fails its
// check, and the score in single precision.
struct CourseValues {
  double credits = 0;
  float score = 0;
  std::optional<double> points;  // the transcript's grade points, when they are a value
};
CourseValues ValuesOf(const courses::CourseFields& course);

// The sums in the precision `Number`: the program's own in float, rounded at every store, and the
// same in double to tell when float no longer keeps the printed digits.
template <typename Number>
struct Sums {
  // With `transcript`, the rows end in the average of the transcript's own grade points.
  Sums(std::size_t rules, bool transcript) : weightedPoints(rules), withTranscript(transcript) {}
  // A course of `course.credits` with `course.score` and, under each rule, `points`.
  void Add(const CourseValues& course, const std::vector<float>& points) {
    const double courseCredits = course.credits;
    const float score = course.score;
    if (course.points) {
      transcriptCredits = static_cast<Number>(courseCredits + transcriptCredits);
      weightedTranscript = static_cast<Number>(courseCredits * *course.points + weightedTranscript);
    }
    credits = static_cast<Number>(courseCredits + credits);
    weightedScore = static_cast<Number>(courseCredits * score + weightedScore);
    for (std::size_t r = 0; r < points.size(); ++r) {
      weightedPoints[r] = static_cast<Number>(courseCredits * points[r] + weightedPoints[r]);
    }
  }
  // `label`, the credits ("%.1f"), the weighted average score ("%.1f") and the GPA under each rule
  // ("%.2f"), and with the transcript's points their average over the courses that have them.
  std::vector<std::string> Row(std::string label) const {
    std::vector<std::string> row{std::move(label), FormatTotal(credits, 1),
                                 FormatQuotient(weightedScore, credits, 1)};
    for (const Number points : weightedPoints) row.push_back(FormatQuotient(points, credits, 2));
    if (withTranscript) row.push_back(FormatQuotient(weightedTranscript, transcriptCredits, 2));
    return row;
  }

  Number credits = 0;
  Number weightedScore = 0;
  std::vector<Number> weightedPoints;
  bool withTranscript = false;
  Number transcriptCredits = 0;  // of the courses with transcript points only
  Number weightedTranscript = 0;
};

}  // namespace gradova::gpa
