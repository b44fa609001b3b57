#include "ui/import_dlg.h"

#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

#include "courses/course_table.h"
#include "gpa/gpa_texts.h"
#include "platform/qt/message_box.h"
#include "platform/qt/wait_cursor.h"
#include "platform/transcript_file.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/icon.h"
#include "ui/res/import_texts.h"
#include "ui/res/resource_ids.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {

using platform::Notification;

namespace {

constexpr int kRowColumnWidth = 40;
constexpr int kNameColumnWidth = 200;
constexpr int kNumberColumnWidth = 50;
constexpr int kTermColumnWidth = 80;
constexpr int kCategoryColumnWidth = 70;
constexpr int kPointsColumnWidth = 70;
constexpr int kResultColumnWidth = 120;  // at least; it takes the room left

constexpr courses::RetakePolicy kRetakeEntries[] = {
    courses::RetakePolicy::Highest, courses::RetakePolicy::Latest, courses::RetakePolicy::All};

}  // namespace

CImportDlg::CImportDlg(courses::TextRecords records, QWidget* owner)
    : Dialog(MakeImportDialogTemplate(), owner), m_records(std::move(records)) {
  for (const auto& record : m_records) m_width = std::max(m_width, record.size());
  m_settings.columns = m_header = courses::FindTranscriptColumns(m_records);
  m_nameColumn = static_cast<int>(m_settings.columns.name);
  m_creditsColumn = static_cast<int>(m_settings.columns.credits);
  m_gradeColumn = static_cast<int>(m_settings.columns.grade);
  const auto entry = [](std::size_t column) {
    return column == courses::kNoColumn ? 0 : static_cast<int>(column) + 1;
  };
  m_termEntry = entry(m_settings.columns.term);
  m_categoryEntry = entry(m_settings.columns.category);
  m_pointsEntry = entry(m_settings.columns.points);
  m_gradeMapText = courses::FormatGradeMap(m_settings.gradeMap);
  for (int id : {kImportNameList, kImportCreditsList, kImportGradeList, kImportTermList,
                 kImportCategoryList, kImportPointsList, kImportRetakeList})
    Bind(id, Notification::SelectionChange, [this] { OnSettingsChange(); });
  Bind(kImportGradeMapEdit, Notification::EditChange, [this] { OnSettingsChange(); });
}

void CImportDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Control(kImportPreviewList, m_list);
  dx.Index(kImportNameList, m_nameColumn);
  dx.Index(kImportCreditsList, m_creditsColumn);
  dx.Index(kImportGradeList, m_gradeColumn);
  dx.Index(kImportTermList, m_termEntry);
  dx.Index(kImportCategoryList, m_categoryEntry);
  dx.Index(kImportPointsList, m_pointsEntry);
  dx.Index(kImportRetakeList, m_retake);
  dx.Text(kImportGradeMapEdit, m_gradeMapText);
  dx.Text(kImportSummaryLabel, m_summaryText);
}

bool CImportDlg::OnInitDialog() {
  setWindowIcon(ApplicationIcon());
  // Each column by its number and, below a header, its heading.
  const std::size_t header = m_settings.columns.firstRecord;
  std::vector<std::string> columns;
  for (std::size_t column = 0; column < m_width; ++column) {
    std::string entry = std::string(kImportColumnBefore) + std::to_string(column + 1) +
                        std::string(kImportColumnAfter);
    if (header > 0 && column < m_records[header - 1].size()) {
      entry += ' ' + m_records[header - 1][column];
    }
    columns.push_back(std::move(entry));
  }
  for (int id : {kImportNameList, kImportCreditsList, kImportGradeList})
    SetDropListItems(id, columns);
  columns.insert(columns.begin(), std::string(kImportNoColumn));
  SetDropListItems(kImportCategoryList, columns);
  SetDropListItems(kImportPointsList, columns);
  if (m_header.termPart != courses::kNoColumn) {
    columns.push_back(columns[m_header.term + 1] + " + " + columns[m_header.termPart + 1]);
    m_termEntry = static_cast<int>(columns.size()) - 1;
  }
  SetDropListItems(kImportTermList, columns);
  SetDropListItems(kImportRetakeList,
                   {std::string(kImportRetakeHighest), std::string(kImportRetakeLatest),
                    std::string(kImportRetakeAll)});
  Dialog::OnInitDialog();
  m_list.InsertColumn(0, kImportRowTitle, kRowColumnWidth);
  m_list.InsertColumn(1, gpa::kCourseNameTitle, kNameColumnWidth);
  m_list.InsertColumn(2, gpa::kCreditsTitle, kNumberColumnWidth);
  m_list.InsertColumn(3, gpa::kScoreTitle, kNumberColumnWidth);
  m_list.InsertColumn(4, kTermTitle, kTermColumnWidth);
  m_list.InsertColumn(5, kCategoryTitle, kCategoryColumnWidth);
  m_list.InsertColumn(6, gpa::kTranscriptPointsTitle, kPointsColumnWidth);
  m_list.InsertColumn(7, kImportResultTitle, kResultColumnWidth);
  // What becomes of each row takes the room left, and more as the dialog grows.
  m_list.View()->header()->setStretchLastSection(true);
  OnSettingsChange();
  return true;
}

void CImportDlg::OnOK() {
  if (m_gradeMapReads) EndDialog(platform::kIdOk);
}

void CImportDlg::OnSettingsChange() {
  UpdateData(true);
  const auto column = [](int index) { return static_cast<std::size_t>(std::max(index, 0)); };
  m_settings.columns.name = column(m_nameColumn);
  m_settings.columns.credits = column(m_creditsColumn);
  m_settings.columns.grade = column(m_gradeColumn);
  const auto chosen = [](int entry) {
    return entry > 0 ? static_cast<std::size_t>(entry - 1) : courses::kNoColumn;
  };
  // Past the columns, the term entry is the joined pair the header gave.
  const bool joined = m_termEntry > static_cast<int>(m_width);
  m_settings.columns.term = joined ? m_header.term : chosen(m_termEntry);
  m_settings.columns.termPart = joined ? m_header.termPart : courses::kNoColumn;
  m_settings.columns.category = chosen(m_categoryEntry);
  m_settings.columns.points = chosen(m_pointsEntry);
  m_settings.retake = kRetakeEntries[std::clamp(m_retake, 0, 2)];
  std::optional<courses::GradeMap> map = courses::ParseGradeMap(m_gradeMapText);
  m_gradeMapReads = map.has_value();
  EnableItem(kImportOkButton, m_gradeMapReads);
  if (!m_gradeMapReads) {
    m_summaryText = kImportBadGradeMap;
    UpdateData(false);
    return;
  }
  m_settings.gradeMap = std::move(*map);
  platform::WaitCursor wait;
  m_import = courses::ImportTranscript(m_records, m_settings);
  std::vector<std::vector<std::string>> rows;
  rows.reserve(m_import.rows.size());
  for (const courses::TranscriptRow& row : m_import.rows) {
    rows.push_back({std::to_string(row.record), row.course.name, row.course.credits,
                    row.course.score, row.course.term, row.course.category, row.course.points,
                    courses::DescribeRow(row)});
  }
  m_list.DeleteItems(0, m_list.GetItemCount());
  m_list.InsertItems(0, std::move(rows));
  m_summaryText = courses::DescribeImport(m_import);
  UpdateData(false);
}

std::optional<ImportedRows> ImportTranscriptRows(const std::string& path, QWidget* owner) {
  platform::TranscriptFile file;
  {
    platform::WaitCursor wait;
    file = platform::ReadTranscriptFile(path);
  }
  if (file.error) {
    platform::AfxMessageBox(platform::TranscriptFileMessage(*file.error), owner);
    return std::nullopt;
  }
  const auto rowsOf = [](const std::vector<courses::CourseRecord>& courses) {
    std::vector<std::vector<std::string>> rows;
    for (const courses::CourseRecord& course : courses) {
      rows.push_back(
          {course.name, course.credits, course.score, course.term, course.category, course.points});
    }
    return rows;
  };
  if (courses::IsCourseTable(file.records)) {
    courses::TranscriptImport table =
        courses::ImportTranscript(file.records, courses::CourseTableSettings());
    if (table.listed.size() == table.rows.size()) return ImportedRows{rowsOf(table.listed), true};
  }
  CImportDlg import(std::move(file.records), owner);
  if (import.DoModal() != platform::kIdOk) return std::nullopt;
  return ImportedRows{rowsOf(import.Courses()), false};
}

}  // namespace gradova::ui
