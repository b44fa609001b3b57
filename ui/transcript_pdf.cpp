#include "ui/transcript_pdf.h"

#include <QDate>

#include "gpa/evaluation.h"
#include "gpa/summary.h"
#include "gpa/term_table.h"
#include "grading/rule_scale.h"
#include "platform/qt/chart_view.h"
#include "platform/qt/gbk_text.h"
#include "platform/qt/pdf_document.h"
#include "ui/res/ui_texts.h"
#include "ui/trend_chart.h"

namespace gradova::ui {
namespace {

constexpr double kChartHeight = 220.0;  // points

// "姓名：张三　学号：2021001", then "学校：…　专业：…", each line only with what was entered.
QStringList StudentLines(const std::vector<std::string>& fields) {
  const std::string_view labels[] = {kStudentNameLabel, kStudentNumberLabel, kSchoolLabel,
                                     kMajorLabel};
  QStringList lines;
  for (std::size_t first = 0; first < std::size(labels); first += 2) {
    std::string line;
    for (std::size_t i = first; i < first + 2 && i < fields.size(); ++i) {
      if (fields[i].empty()) continue;
      if (!line.empty()) line += kFieldGap;
      line += std::string(labels[i]) + std::string(kFieldEnd) + fields[i];
    }
    if (!line.empty()) lines.push_back(platform::FromGbk(line));
  }
  return lines;
}

}  // namespace

bool WriteTranscriptPdf(const courses::CourseList& courses, const grading::RuleSet& rules,
                        const TranscriptPdfOptions& options, const platform::ByteSink& write) {
  const gpa::ResultTable table = gpa::EvaluateCourses(courses, rules, options.transcriptPoints);
  const std::vector<gpa::SummaryRow> rows = gpa::MakeSummaryRows(table, rules, options.byTerm);
  platform::PdfDocument pdf;
  pdf.title = platform::FromGbk(kPdfTitle);
  pdf.opening = StudentLines(options.studentFields);
  pdf.opening.push_back(platform::FromGbk(kPdfDatePrefix) +
                        QDate::currentDate().toString(Qt::ISODate));
  if (!options.note.empty()) pdf.opening.push_back(platform::FromGbk(options.note));
  for (const std::string& title : gpa::MakeColumnTitles(rules, options.transcriptPoints))
    pdf.header.push_back(platform::FromGbk(title));
  pdf.rowCount = rows.size();
  pdf.cell = [&rows](std::size_t row, std::size_t column) {
    const std::vector<std::string>& cells = rows[row].cells;
    return column < cells.size() ? platform::FromGbk(cells[column]) : QString();
  };
  pdf.style = [&rows](std::size_t row) {
    switch (rows[row].kind) {
      case gpa::SummaryRowKind::TermHeading:
        return platform::PdfRowStyle::Heading;
      case gpa::SummaryRowKind::Totals:
        return platform::PdfRowStyle::Bold;
      default:
        return platform::PdfRowStyle::Plain;
    }
  };
  pdf.closing.push_back({platform::FromGbk(table.countText), {}, 0});
  pdf.closing.push_back(
      {platform::FromGbk(std::string(kEarnedCreditsPrefix) + table.earnedCredits), {}, 0});
  if (options.chart && !rules.rules.empty()) {
    const platform::ChartData chart =
        MakeTrendChart(gpa::EvaluateTerms(courses, rules, true), rules, 0, options.target);
    pdf.closing.push_back({{},
                           [chart](QPainter& painter, const QRectF& box) {
                             platform::DrawChart(chart, painter, box);
                           },
                           kChartHeight});
  }
  for (const grading::Rule& rule : rules.rules)
    pdf.closing.push_back({platform::FromGbk(grading::DescribeScale(rule)), {}, 0});
  return platform::WritePdfDocument(pdf, write);
}

}  // namespace gradova::ui
