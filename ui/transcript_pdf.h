#pragma once
// The PDF a student hands in: who it is for, the date and what part of the record it counts; the
// courses under the shown rules, term by term with each term's figures if asked; the totals in
// bold, the earned credits, the trend chart, and each shown rule's scale, so that a reader who
// does not know a rule can check every figure.
#include <optional>
#include <string>
#include <vector>

#include "courses/course_list.h"
#include "grading/rule_set.h"
#include "platform/files.h"

namespace gradova::ui {

struct TranscriptPdfOptions {
  std::vector<std::string> studentFields;  // 姓名, 学号, 学校, 专业 (GBK); empty ones left out
  std::string note;                        // what part of the record counts (GBK), or empty
  bool byTerm = false;
  bool chart = false;             // draw the trend chart under the first rule
  std::optional<double> target;   // drawn across the chart
  bool transcriptPoints = false;  // a column with the transcript's own grade points
};

// Writes the PDF of `courses` (passed pass/fail ones included, for the earned credits) under
// `rules`, the shown ones in order, through `write`; false when a write failed.
bool WriteTranscriptPdf(const courses::CourseList& courses, const grading::RuleSet& rules,
                        const TranscriptPdfOptions& options, const platform::ByteSink& write);

}  // namespace gradova::ui
