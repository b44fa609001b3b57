#include "ui/result_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>

#include "courses/term_order.h"
#include "gpa/evaluation.h"
#include "gpa/gpa_texts.h"
#include "gpa/report.h"
#include "gpa/term_table.h"
#include "platform/current_directory.h"
#include "platform/gbk.h"
#include "platform/program_files.h"
#include "platform/qt/chart_view.h"
#include "platform/qt/check_menu.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/gbk_text.h"
#include "platform/qt/list_panes.h"
#include "platform/qt/message_box.h"
#include "platform/qt/settings.h"
#include "platform/qt/wait_cursor.h"
#include "ui/pdf_export_dlg.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/icon.h"
#include "ui/res/resource_ids.h"
#include "ui/res/ui_texts.h"
#include "ui/rule_list_dlg.h"
#include "ui/target_plan_dlg.h"
#include "ui/transcript_pdf.h"
#include "ui/trend_chart.h"

namespace gradova::ui {
namespace {

constexpr int kNameWidth = 160;
constexpr int kNumberWidth = 40;
constexpr int kRuleWidth = 120;
constexpr int kAverageWidth = 72;  // "加权平均分" whole
// Both tables have three columns before the rules'.
constexpr int kFirstRuleColumn = 3;
// The rows after the courses: the empty one that sets the totals apart, the totals and the count.
constexpr int kTotalsRows = 3;

}  // namespace

CResultDlg::CResultDlg(int courseCount, gpa::CourseSnapshot snapshot, QWidget* owner)
    : Dialog(MakeResultDialogTemplate(), owner),
      m_courseCount(courseCount),
      m_snapshot(std::move(snapshot)) {
  Bind(kResultOkButton, platform::Notification::Clicked, [this] { OnOK(); });
  Bind(kWriteReportButton, platform::Notification::Clicked, [this] { WriteReport(); });
  Bind(kCustomRulesButton, platform::Notification::Clicked, [this] { OnCustomRules(); });
  Bind(kTargetPlanButton, platform::Notification::Clicked, [this] { OnTargetPlan(); });
  Bind(kExportPdfButton, platform::Notification::Clicked, [this] { OnExportPdf(); });
  Bind(kExportChartButton, platform::Notification::Clicked, [this] { OnExportChart(); });
  Bind(kChartRuleList, platform::Notification::SelectionChange, [this] { ShowChart(); });
  Bind(kMyRuleList, platform::Notification::SelectionChange, [this] { OnMyRuleChange(); });
  for (const int id : {kResultViewList, kCategoryMenu, kFromTermList, kToTermList}) {
    Bind(id, platform::Notification::SelectionChange, [this] { OnChoiceChange(); });
  }
}

void CResultDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Control(kResultList, m_list);
  dx.Control(kTermList, m_termList);
}

bool CResultDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  setWindowIcon(ApplicationIcon());
  // However far the table is scrolled, each row shows its course and the GPA stays in view.
  platform::FreezePanes(m_list.View(), kTotalsRows);
  const grading::RulesFileContents rules = platform::ReadRulesFile();
  const courses::CourseList all =
      gpa::ParseCourseSnapshot(m_snapshot, static_cast<std::size_t>(m_courseCount));
  m_transcriptPoints = all.HasPoints();
  m_titles = gpa::MakeColumnTitles(rules.ruleSet, m_transcriptPoints);
  for (int column = 0; column < static_cast<int>(m_titles.size()); ++column) {
    m_list.InsertColumn(column, m_titles[static_cast<std::size_t>(column)],
                        column == 0  ? kNameWidth
                        : column < 3 ? kNumberWidth
                                     : kRuleWidth);
  }
  if (rules.status == grading::RulesFileStatus::Missing) {
    platform::AfxMessageBox(kResultRulesMissing, this);
    EndDialog(0);
    return true;
  }
  if (rules.status == grading::RulesFileStatus::Damaged) {
    platform::AfxMessageBox(kRulesDamaged, this);
  }

  m_fileRules = m_rules = rules.ruleSet;
  m_terms = courses::OrderedTerms(all);
  for (std::size_t i = 0; i < all.Size(); ++i) {
    const std::string category(all[i].category);
    if (std::find(m_categories.begin(), m_categories.end(), category) == m_categories.end()) {
      m_categories.push_back(category);
    }
  }
  std::vector<std::string> categoryItems = m_categories;
  for (std::string& item : categoryItems) {
    if (item.empty()) item = courses::kNoCategory;
  }
  SetDropListItems(kResultViewList, {std::string(kByCourseView), std::string(kByTermView),
                                     std::string(kByTermCumulativeView), std::string(kTrendView)});
  platform::SetCheckMenuItems(Item(kCategoryMenu), categoryItems);
  SetDropListItems(kFromTermList, m_terms);
  SetDropListItems(kToTermList, m_terms);
  {
    const QSignalBlocker quiet[] = {QSignalBlocker(Item(kResultViewList)),
                                    QSignalBlocker(Item(kFromTermList)),
                                    QSignalBlocker(Item(kToTermList))};
    ItemAs<QComboBox>(kResultViewList)->setCurrentIndex(0);
    ItemAs<QComboBox>(kFromTermList)->setCurrentIndex(0);
    ItemAs<QComboBox>(kToTermList)->setCurrentIndex(static_cast<int>(m_terms.size()) - 1);
  }
  EnableItem(kCategoryMenu, m_categories.size() > 1);
  EnableItem(kFromTermList, m_terms.size() > 1);
  EnableItem(kToTermList, m_terms.size() > 1);
  const std::vector<std::string> termTitles = gpa::MakeTermTitles(m_rules, m_transcriptPoints);
  for (int column = 0; column < static_cast<int>(termTitles.size()); ++column) {
    m_termList.InsertColumn(column, termTitles[static_cast<std::size_t>(column)],
                            column == 0   ? kNameWidth
                            : column == 1 ? kNumberWidth
                            : column == 2 ? kAverageWidth
                                          : kRuleWidth);
  }
  std::vector<std::string> ruleItems{std::string(kNoMyRule)};
  for (const grading::Rule& rule : m_rules.rules) ruleItems.push_back(rule.name);
  SetDropListItems(kMyRuleList, ruleItems);
  const std::string mine = platform::ReadMyRule();
  const auto marked = std::find(ruleItems.begin() + 1, ruleItems.end(), mine);
  {
    const QSignalBlocker quiet(Item(kMyRuleList));
    ItemAs<QComboBox>(kMyRuleList)
        ->setCurrentIndex(marked == ruleItems.end() ? 0
                                                    : static_cast<int>(marked - ruleItems.begin()));
  }
  ApplyMyRule(mine);
  OnChoiceChange();
  return true;
}

gpa::Subset CResultDlg::ChosenSubset() {
  gpa::Subset subset;
  const std::vector<bool> ticked = platform::CheckedItems(Item(kCategoryMenu));
  if (std::find(ticked.begin(), ticked.end(), false) != ticked.end()) {
    for (std::size_t i = 0; i < ticked.size(); ++i) {
      if (ticked[i]) subset.categories.push_back(m_categories[i]);
    }
  }
  int from = ItemAs<QComboBox>(kFromTermList)->currentIndex();
  int to = ItemAs<QComboBox>(kToTermList)->currentIndex();
  if (from > to) {  // a range turned round is the one term chosen last
    const QSignalBlocker quiet(Item(kToTermList));
    ItemAs<QComboBox>(kToTermList)->setCurrentIndex(to = from);
  }
  const int last = static_cast<int>(m_terms.size()) - 1;
  if (from > 0) subset.fromTerm = m_terms[static_cast<std::size_t>(from)];
  if (to >= 0 && to < last) subset.toTerm = m_terms[static_cast<std::size_t>(to)];
  return subset;
}

void CResultDlg::OnChoiceChange() {
  platform::WaitCursor wait;
  m_subset = ChosenSubset();
  courses::CourseList chosen = gpa::SelectCourses(
      gpa::ParseCourseSnapshot(m_snapshot, static_cast<std::size_t>(m_courseCount)), m_subset);
  const int view = ItemAs<QComboBox>(kResultViewList)->currentIndex();
  m_termList.DeleteItems(0, m_termList.GetItemCount());
  m_termRows = gpa::EvaluateTerms(chosen, m_rules, view == 2, m_transcriptPoints);
  m_termList.InsertItems(0, m_termRows);
  m_cumulativeRows = gpa::EvaluateTerms(chosen, m_rules, true);
  m_table = gpa::EvaluateCourses(std::move(chosen), m_rules, m_transcriptPoints);
  m_list.SetOwnerData(static_cast<int>(m_table.RowCount()), [this](int row, int column) {
    return m_table.Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
  });
  Item(kResultList)->setVisible(view <= 0);
  Item(kTermList)->setVisible(view == 1 || view == 2);
  for (const int id : {kChartView, kChartRuleList, kExportChartButton})
    Item(id)->setVisible(view == 3);
  ShowChart();
  ItemAs<QLabel>(kEarnedCreditsLabel)
      ->setText(platform::FromGbk(std::string(kEarnedCreditsPrefix) + m_table.earnedCredits));
}

void CResultDlg::ApplyMyRule(const std::string& nameGbk) {
  m_rules = m_fileRules;
  std::vector<grading::Rule>& rules = m_rules.rules;
  const auto mine = std::find_if(rules.begin(), rules.end(), [&](const grading::Rule& rule) {
    return !nameGbk.empty() && rule.name == nameGbk;
  });
  m_myRuleFirst = mine != rules.end();
  if (m_myRuleFirst) std::rotate(rules.begin(), mine, mine + 1);
  m_titles = gpa::MakeColumnTitles(m_rules, m_transcriptPoints);
  const std::vector<std::string> termTitles = gpa::MakeTermTitles(m_rules, m_transcriptPoints);
  for (std::size_t column = kFirstRuleColumn; column < m_titles.size(); ++column)
    m_list.SetColumnTitle(static_cast<int>(column), m_titles[column]);
  for (std::size_t column = kFirstRuleColumn; column < termTitles.size(); ++column)
    m_termList.SetColumnTitle(static_cast<int>(column), termTitles[column]);
  m_list.SetBoldColumn(m_myRuleFirst ? kFirstRuleColumn : -1);
  m_termList.SetBoldColumn(m_myRuleFirst ? kFirstRuleColumn : -1);
  std::vector<std::string> names;
  for (const grading::Rule& rule : m_rules.rules) names.push_back(rule.name);
  SetDropListItems(kChartRuleList, names);
  const QSignalBlocker quiet(Item(kChartRuleList));
  ItemAs<QComboBox>(kChartRuleList)->setCurrentIndex(0);  // the user's rule, when marked
}

void CResultDlg::OnMyRuleChange() {
  const int chosen = ItemAs<QComboBox>(kMyRuleList)->currentIndex();
  const std::string name =
      chosen > 0 ? m_fileRules.rules.at(static_cast<std::size_t>(chosen - 1)).name : "";
  platform::WriteMyRule(name);
  ApplyMyRule(name);
  OnChoiceChange();
}

void CResultDlg::OnOK() { EndDialog(0); }

void CResultDlg::OnCustomRules() {
  CRuleListDlg rules(this);
  if (rules.DoModal() == platform::kIdOk) EndDialog(0);
}

void CResultDlg::WriteReport() {
  const gpa::ReportTerms terms{gpa::MakeTermTitles(m_rules, m_transcriptPoints), m_termRows};
  ReplaceAndTell(gpa::kReportFileName, kReportWritten, [&](const platform::ByteSink& write) {
    return gpa::WriteReport(m_table, m_titles, write, gpa::DescribeSubset(m_subset),
                            HasTerms() ? &terms : nullptr);
  });
}

bool CResultDlg::HasTerms() const {
  return !m_terms.empty() && m_terms.front() != courses::kNoTerm;
}

void CResultDlg::ReplaceAndTell(
    const std::string& path, std::string_view writtenGbk,
    const std::function<bool(const platform::ByteSink& write)>& produce) {
  platform::ReplaceStatus written;
  {
    platform::WaitCursor wait;
    written = platform::ReplaceFileWith(path, produce);
  }
  platform::AfxMessageBox(
      written == platform::ReplaceStatus::Replaced ? writtenGbk : kFileCreateFailed, this);
}

void CResultDlg::OnTargetPlan() {
  const auto rules = m_titles.begin() + kFirstRuleColumn;
  CTargetPlanDlg plan(
      m_table.basis,
      std::vector<std::string>(rules, rules + static_cast<std::ptrdiff_t>(m_rules.rules.size())),
      m_myRuleFirst ? 0 : -1, this);
  plan.DoModal();
  if (plan.PlannedTarget()) m_target = plan.PlannedTarget();
  ShowChart();
}

void CResultDlg::ShowChart() {
  const int rule = ItemAs<QComboBox>(kChartRuleList)->currentIndex();
  if (rule < 0) return;
  platform::SetChartData(
      Item(kChartView),
      MakeTrendChart(m_cumulativeRows, m_rules, static_cast<std::size_t>(rule), m_target));
}

void CResultDlg::SaveAs(
    std::string_view fileName, std::string_view filter,
    const std::function<bool(const std::string& path, const platform::ByteSink& write)>& produce) {
  const std::optional<std::string> path = platform::ShowSaveFileDialog(
      this, platform::GetCurrentDirectory() + "/" + std::string(fileName), std::string(filter));
  if (!path) return;
  const std::string name = path->substr(path->find_last_of('/') + 1);
  ReplaceAndTell(
      *path, std::string(kWrittenPrefix) + platform::Utf8ToGbk(name) + std::string(kWrittenSuffix),
      [&](const platform::ByteSink& write) { return produce(*path, write); });
}

void CResultDlg::OnExportChart() {
  SaveAs(kChartFileName, kChartFileFilter,
         [this](const std::string& path, const platform::ByteSink& write) {
           QWidget* chart = Item(kChartView);
           const bool svg = path.size() >= 4 && path.compare(path.size() - 4, 4, ".svg") == 0;
           return svg ? platform::WriteChartSvg(chart, write)
                      : platform::WriteChartPng(chart, write);
         });
}

void CResultDlg::OnExportPdf() {
  std::vector<std::string> names;
  for (const grading::Rule& rule : m_rules.rules) names.push_back(rule.name);
  const bool withTerms = HasTerms();
  CPdfExportDlg options(names, m_myRuleFirst, withTerms, this);
  if (options.DoModal() != platform::kIdOk) return;
  grading::RuleSet shown;
  for (std::size_t rule = 0; rule < names.size(); ++rule)
    if (options.ShownRules()[rule]) shown.rules.push_back(m_rules.rules[rule]);
  const TranscriptPdfOptions pdf{
      options.StudentFields(), gpa::DescribeSubset(m_subset), options.ByTerm(), withTerms, m_target,
      m_transcriptPoints};
  SaveAs(kPdfFileName, kPdfFileFilter, [&](const std::string&, const platform::ByteSink& write) {
    const courses::CourseList chosen = gpa::SelectCourses(
        gpa::ParseCourseSnapshot(m_snapshot, static_cast<std::size_t>(m_courseCount)), m_subset);
    return WriteTranscriptPdf(chosen, shown, pdf, write);
  });
}

}  // namespace gradova::ui
