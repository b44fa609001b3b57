#include "ui/import_dlg.h"

#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

#include "gpa/gpa_texts.h"
#include "platform/qt/message_box.h"
#include "platform/qt/wait_cursor.h"
#include "platform/transcript_file.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/icon.h"
#include "ui/res/import_texts.h"
#include "ui/res/resource_ids.h"

namespace gradova::ui {

using platform::Notification;

namespace {

constexpr int kRowColumnWidth = 40;
constexpr int kNameColumnWidth = 200;
constexpr int kNumberColumnWidth = 50;
constexpr int kResultColumnWidth = 120;  // at least; it takes the room left

constexpr courses::RetakePolicy kRetakeEntries[] = {
    courses::RetakePolicy::Highest, courses::RetakePolicy::Latest, courses::RetakePolicy::All};

}  // namespace

CImportDlg::CImportDlg(courses::TextRecords records, QWidget* owner)
    : Dialog(MakeImportDialogTemplate(), owner), m_records(std::move(records)) {
  m_settings.columns = courses::FindTranscriptColumns(m_records);
  m_nameColumn = static_cast<int>(m_settings.columns.name);
  m_creditsColumn = static_cast<int>(m_settings.columns.credits);
  m_gradeColumn = static_cast<int>(m_settings.columns.grade);
  m_gradeMapText = courses::FormatGradeMap(m_settings.gradeMap);
  for (int id : {kImportNameList, kImportCreditsList, kImportGradeList, kImportRetakeList})
    Bind(id, Notification::SelectionChange, [this] { OnSettingsChange(); });
  Bind(kImportGradeMapEdit, Notification::EditChange, [this] { OnSettingsChange(); });
}

void CImportDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Control(kImportPreviewList, m_list);
  dx.Index(kImportNameList, m_nameColumn);
  dx.Index(kImportCreditsList, m_creditsColumn);
  dx.Index(kImportGradeList, m_gradeColumn);
  dx.Index(kImportRetakeList, m_retake);
  dx.Text(kImportGradeMapEdit, m_gradeMapText);
  dx.Text(kImportSummaryLabel, m_summaryText);
}

bool CImportDlg::OnInitDialog() {
  setWindowIcon(ApplicationIcon());
  // Each column by its number and, below a header, its heading.
  std::size_t width = 0;
  for (const auto& record : m_records) width = std::max(width, record.size());
  const std::size_t header = m_settings.columns.firstRecord;
  std::vector<std::string> columns;
  for (std::size_t column = 0; column < width; ++column) {
    std::string entry = std::string(kImportColumnBefore) + std::to_string(column + 1) +
                        std::string(kImportColumnAfter);
    if (header > 0 && column < m_records[header - 1].size()) {
      entry += ' ' + m_records[header - 1][column];
    }
    columns.push_back(std::move(entry));
  }
  for (int id : {kImportNameList, kImportCreditsList, kImportGradeList})
    SetDropListItems(id, columns);
  SetDropListItems(kImportRetakeList,
                   {std::string(kImportRetakeHighest), std::string(kImportRetakeLatest),
                    std::string(kImportRetakeAll)});
  Dialog::OnInitDialog();
  m_list.InsertColumn(0, kImportRowTitle, kRowColumnWidth);
  m_list.InsertColumn(1, gpa::kCourseNameTitle, kNameColumnWidth);
  m_list.InsertColumn(2, gpa::kCreditsTitle, kNumberColumnWidth);
  m_list.InsertColumn(3, gpa::kScoreTitle, kNumberColumnWidth);
  m_list.InsertColumn(4, kImportResultTitle, kResultColumnWidth);
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
                    row.course.score, courses::DescribeRow(row)});
  }
  m_list.DeleteItems(0, m_list.GetItemCount());
  m_list.InsertItems(0, std::move(rows));
  m_summaryText = courses::DescribeImport(m_import);
  UpdateData(false);
}

std::optional<std::vector<std::vector<std::string>>> ImportTranscriptRows(const std::string& path,
                                                                          QWidget* owner) {
  platform::TranscriptFile file;
  {
    platform::WaitCursor wait;
    file = platform::ReadTranscriptFile(path);
  }
  if (file.error) {
    platform::AfxMessageBox(platform::TranscriptFileMessage(*file.error), owner);
    return std::nullopt;
  }
  CImportDlg import(std::move(file.records), owner);
  if (import.DoModal() != platform::kIdOk) return std::nullopt;
  std::vector<std::vector<std::string>> rows;
  for (const courses::CourseRecord& course : import.Courses()) {
    rows.push_back({course.name, course.credits, course.score});
  }
  return rows;
}

}  // namespace gradova::ui
