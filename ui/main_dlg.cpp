#include "ui/main_dlg.h"

#include <QTreeView>
#include <QWidget>
#include <algorithm>
#include <new>
#include <optional>

#include "courses/course_line.h"
#include "courses/courses_texts.h"
#include "gpa/course_snapshot.h"
#include "gpa/gpa_texts.h"
#include "gpa/report.h"
#include "platform/current_directory.h"
#include "platform/program_files.h"
#include "platform/qt/file_dialog.h"
#include "platform/qt/message_box.h"
#include "platform/qt/wait_cursor.h"
#include "platform/transcript_file.h"
#include "ui/about_dlg.h"
#include "ui/import_dlg.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/icon.h"
#include "ui/res/import_texts.h"
#include "ui/res/resource_ids.h"
#include "ui/res/ui_texts.h"
#include "ui/result_dlg.h"

namespace gradova::ui {

using platform::Notification;

namespace {

constexpr int kNameColumnWidth = 236;
constexpr int kNumberColumnWidth = 60;
constexpr int kTermColumnWidth = 90;
constexpr int kCategoryColumnWidth = 86;
constexpr int kPointsColumn = 5;

using Rows = std::vector<std::vector<std::string>>;

// The courses of the file at `path` as list rows, and the file's check (with no rows on error).
Rows ReadCourseRows(const std::string& path, courses::CourseFileCheck& check) {
  const courses::CourseList list = platform::ReadCourseFile(path, check);
  Rows rows;
  rows.reserve(list.Size());
  for (std::size_t i = 0; i < list.Size(); ++i) {
    const courses::CourseFields course = list[i];
    rows.push_back(
        {std::string(course.name), std::string(course.credits), std::string(course.score)});
  }
  return rows;
}

// What a course file cannot hold: a term, a category, transcript grade points or a course that
// counts only as credits.
bool HoldsMoreThanACourseFile(const std::vector<courses::CourseRecord>& courses) {
  return std::any_of(courses.begin(), courses.end(), [](const courses::CourseRecord& course) {
    return !course.term.empty() || !course.category.empty() || !course.points.empty() ||
           courses::IsPassGrade(course.score);
  });
}

bool EndsWith(const std::string& path, std::string_view suffix) {
  return path.size() >= suffix.size() &&
         path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

CMainDlg::CMainDlg() : Dialog(MakeMainDialogTemplate(), nullptr), m_toggleText(kAddCaption) {
  Bind(kResetButton, Notification::Clicked, [this] { OnReset(); });
  Bind(kAddModifyButton, Notification::Clicked, [this] { OnAddModify(); });
  Bind(kCourseList, Notification::ListClick, [this] { OnListClick(); });
  Bind(kDeleteButton, Notification::Clicked, [this] { OnDelete(); });
  Bind(kFromFileButton, Notification::Clicked, [this] { OnFromFile(); });
  Bind(kSaveCurrentButton, Notification::Clicked, [this] { OnSaveCurrent(); });
  Bind(kClearCurrentButton, Notification::Clicked, [this] { OnClearCurrent(); });
  Bind(kViewGpaButton, Notification::Clicked, [this] { OnViewGpa(); });
  Bind(kInstructionsButton, Notification::Clicked, [this] { OnInstructions(); });
  Bind(kExitButton, Notification::Clicked, [this] { OnExit(); });
}

void CMainDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Control(kCourseList, m_list);
  dx.Control(kHomeLinkPicture, m_homeLink);
  dx.Text(kNameEdit, m_nameText);
  dx.Text(kAddModifyButton, m_toggleText);
  dx.Text(kCreditsEdit, m_creditsText);
  dx.Text(kScoreEdit, m_scoreText);
  dx.Text(kTermEdit, m_termText);
  dx.Text(kCategoryEdit, m_categoryText);
}

bool CMainDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  if (!kAboutMenuEntry.empty()) {
    AppendSystemMenuSeparator();
    AppendSystemMenuItem(kAboutCommand, kAboutMenuEntry);
  }
  setWindowIcon(ApplicationIcon());
  m_homeLink.SetTarget(gpa::kHomePageHost);
  m_homeLink.SetHintText(std::string(kHomeLinkHint));
  if (platform::EnsureRulesFile() == platform::EnsureRulesStatus::CannotCreate) {
    platform::AfxMessageBox(kRulesCannotCreate, this);
  }
  m_startDir = platform::GetCurrentDirectory();
  m_list.InsertItem(0, "");
  EnableItem(kDeleteButton, false);
  MatchListButtons();
  m_list.InsertColumn(0, gpa::kCourseNameTitle, kNameColumnWidth);
  m_list.InsertColumn(1, gpa::kCreditsTitle, kNumberColumnWidth);
  m_list.InsertColumn(2, gpa::kScoreTitle, kNumberColumnWidth);
  m_list.InsertColumn(3, kTermTitle, kTermColumnWidth);
  m_list.InsertColumn(4, kCategoryTitle, kCategoryColumnWidth);
  // A transcript's own grade points ride along unseen: they cannot be typed, and a course keeps
  // them through changes of its other fields, to the results and into a saved table.
  m_list.InsertColumn(kPointsColumn, gpa::kTranscriptPointsTitle, kNumberColumnWidth);
  m_list.View()->setColumnHidden(kPointsColumn, true);
  // The focus starts where a course is typed, not on the list before it in the tab order.
  Item(kNameEdit)->setFocus();
  return false;
}

void CMainDlg::OnOK() {
  const QWidget* focus = focusWidget();
  for (int id : {kNameEdit, kCreditsEdit, kScoreEdit, kTermEdit, kCategoryEdit}) {
    if (focus && focus == Item(id)) OnAddModify();
  }
}

std::vector<courses::CourseRecord> CMainDlg::CourseRows() const {
  std::vector<courses::CourseRecord> rows;
  rows.reserve(static_cast<std::size_t>(CourseCount()));
  for (int row = 0; row < CourseCount(); ++row) {
    rows.push_back({m_list.GetItemText(row, 0), m_list.GetItemText(row, 1),
                    m_list.GetItemText(row, 2), m_list.GetItemText(row, 3),
                    m_list.GetItemText(row, 4), m_list.GetItemText(row, kPointsColumn)});
  }
  return rows;
}

int CMainDlg::CourseCount() const { return m_list.GetItemCount() - 1; }

bool CMainDlg::IsCourseRow(int row) const { return row >= 0 && row < CourseCount(); }

void CMainDlg::SetFields(int row) {
  m_nameText = m_list.GetItemText(row, 0);
  m_creditsText = m_list.GetItemText(row, 1);
  m_scoreText = m_list.GetItemText(row, 2);
  m_termText = m_list.GetItemText(row, 3);
  m_categoryText = m_list.GetItemText(row, 4);
}

void CMainDlg::EmptyList() {
  platform::WaitCursor wait;
  m_list.DeleteItems(0, CourseCount());
}

void CMainDlg::EnableListButtons(bool enabled) {
  EnableItem(kSaveCurrentButton, enabled);
  EnableItem(kClearCurrentButton, enabled);
}

void CMainDlg::MatchListButtons() { EnableListButtons(CourseCount() > 0); }

void CMainDlg::OnAddModify() {
  UpdateData(true);
  const auto credits = courses::CreditsValue(m_creditsText);
  const auto score = courses::ScoreValue(m_scoreText);
  const auto* creditsError = std::get_if<courses::CourseLineError>(&credits);
  // A passed pass/fail grade is no score, yet a course that counts only as credits.
  const auto* scoreError =
      courses::IsPassGrade(m_scoreText) ? nullptr : std::get_if<courses::CourseLineError>(&score);
  if (creditsError || scoreError) {
    const std::string_view why =
        courses::DescribeValueError(creditsError ? *creditsError : *scoreError);
    platform::AfxMessageBox(std::string(kBadInput) + '\n' + std::string(why), this);
    return;
  }
  if (m_nameText.empty()) m_nameText = courses::kUnnamedCourse;
  const int selected = m_list.GetSelectionMark();
  // Modify mode with the trailing empty row or no row selected adds: the trailing row is never
  // written into.
  const int row = m_toggleText != kAddCaption && IsCourseRow(selected)
                      ? selected
                      : m_list.InsertItem(m_list.GetItemCount() - 1, "");
  m_list.SetItemText(row, 0, m_nameText);
  m_list.SetItemText(row, 1, m_creditsText);
  m_list.SetItemText(row, 2, m_scoreText);
  m_list.SetItemText(row, 3, m_termText);
  m_list.SetItemText(row, 4, m_categoryText);
  if (m_nameText == courses::kUnnamedCourse) m_nameText.clear();
  UpdateData(false);
  MatchListButtons();
  m_modified = true;
}

void CMainDlg::OnListClick() {
  UpdateData(true);
  const int selected = m_list.GetSelectionMark();
  const bool courseRow = IsCourseRow(selected);
  m_toggleText = courseRow ? kModifyCaption : kAddCaption;
  EnableItem(kDeleteButton, courseRow);
  SetFields(selected);
  UpdateData(false);
}

void CMainDlg::OnDelete() {
  UpdateData(true);
  const int selected = m_list.GetSelectionMark();
  if (!IsCourseRow(selected)) {
    // Nothing to delete: the trailing empty row stays.
    EnableItem(kDeleteButton, false);
    return;
  }
  m_list.DeleteItem(selected);
  const int next = m_list.GetSelectionMark();
  if (!IsCourseRow(next)) {
    EnableItem(kDeleteButton, false);
    m_toggleText = kAddCaption;
  }
  SetFields(next);
  UpdateData(false);
  MatchListButtons();
  m_modified = true;
}

void CMainDlg::OnReset() {
  UpdateData(true);
  SetFields(-1);
  UpdateData(false);
}

bool CMainDlg::PromptSaveChanges() {
  if (!m_modified) return true;
  const int answer = platform::AskYesNoCancel(this, kUnsavedQuestion, kPromptCaption);
  return answer == platform::kIdYes ? SaveCurrent() : answer == platform::kIdNo;
}

void CMainDlg::OnFromFile() {
  EnableItem(kSaveCurrentButton, false);
  // A loaded file turns both on even when it holds no course.
  const bool loaded = PromptSaveChanges() && LoadChosenFile();
  EnableListButtons(loaded || CourseCount() > 0);
}

bool CMainDlg::LoadChosenFile() {
  const std::optional<std::string> path = platform::ShowOpenFileDialog(
      this, std::string(kCourseFileFilter) + ";;" + std::string(kTranscriptFilter));
  if (!path) return false;
  // A transcript goes through the import dialog, the program's own course table straight in; what
  // they give loads as a course file's rows. Memory may run out while reading either: the list
  // stays and the file is not opened.
  const bool transcript = platform::IsTranscriptPath(*path);
  bool courseTable = false;
  std::optional<Rows> rows;
  courses::CourseFileCheck check;
  try {
    if (transcript) {
      std::optional<ImportedRows> imported = ImportTranscriptRows(*path, this);
      if (!imported) return false;
      rows = std::move(imported->rows);
      courseTable = imported->courseTable;
    } else {
      platform::WaitCursor wait;
      rows = ReadCourseRows(*path, check);
    }
  } catch (const std::bad_alloc&) {
    check = {courses::CourseFileError::CannotOpen, 0};
  }
  m_filePath = transcript && !courseTable ? path->substr(0, path->rfind('.')) + ".txt" : *path;
  m_fileEncoding = check.error ? courses::TextEncoding::Gbk : check.encoding;
  if (check.error == courses::CourseFileError::CannotOpen) {
    platform::AfxMessageBox(kFileOpenFailed, this);
    return false;
  }
  EmptyList();
  m_modified = false;
  if (check.error) {
    const std::string_view message =
        check.error == courses::CourseFileError::BadFormat ? kFileFormatError : kFileDataError;
    platform::AfxMessageBox(std::string(message) + '\n' + courses::DescribeBadLine(check), this);
    OnReset();
    return false;
  }
  // Memory may run out while the rows go in: the list is then emptied, the file not opened.
  try {
    platform::WaitCursor wait;
    m_list.InsertItems(m_list.GetItemCount() - 1, std::move(*rows));
  } catch (const std::bad_alloc&) {
    EmptyList();
    m_fileEncoding = courses::TextEncoding::Gbk;
    platform::AfxMessageBox(kFileOpenFailed, this);
    return false;
  }
  if (check.replacedCharacters > 0) {
    platform::AfxMessageBox(std::string(kReplacedPrefix) +
                                std::to_string(check.replacedCharacters) +
                                std::string(kReplacedSuffix),
                            this);
  }
  return true;
}

void CMainDlg::OnSaveCurrent() { SaveCurrent(); }

bool CMainDlg::SaveCurrent() {
  const std::optional<std::string> path = platform::ShowSaveFileDialog(
      this, m_filePath, std::string(kCourseFileFilter) + ";;" + std::string(kCourseTableFilter));
  if (!path) {
    m_filePath.clear();
    return false;
  }
  m_filePath = *path;
  const bool table = EndsWith(m_filePath, ".csv");
  if (!table && !EndsWith(m_filePath, ".txt")) m_filePath += ".txt";
  std::vector<courses::CourseRecord> courses = CourseRows();
  if (!table && HoldsMoreThanACourseFile(courses)) {
    if (platform::AskYesNoCancel(this, kDropQuestion, kPromptCaption) != platform::kIdYes) {
      return false;
    }
    courses.erase(std::remove_if(courses.begin(), courses.end(),
                                 [](const courses::CourseRecord& course) {
                                   return courses::IsPassGrade(course.score);
                                 }),
                  courses.end());
  }
  platform::ReplaceStatus saved;
  {
    platform::WaitCursor wait;
    saved = table ? platform::WriteCourseTable(m_filePath, courses)
                  : platform::WriteCourseFile(m_filePath, courses, m_fileEncoding);
  }
  if (saved != platform::ReplaceStatus::Replaced) {
    platform::AfxMessageBox(kFileCreateFailed, this);
    return false;
  }
  m_modified = false;
  return true;
}

void CMainDlg::OnClearCurrent() {
  if (!PromptSaveChanges()) return;
  EmptyList();
  EnableItem(kDeleteButton, false);
  MatchListButtons();
  OnReset();
  m_toggleText = kAddCaption;
  UpdateData(false);
  m_modified = false;
  m_fileEncoding = courses::TextEncoding::Gbk;
}

void CMainDlg::OnSysCommand(int command) {
  if ((command & 0xFFF0) == kAboutCommand) OnInstructions();
}

void CMainDlg::OnInstructions() { CAboutDlg(this).DoModal(); }

void CMainDlg::OnViewGpa() {
  if (CourseCount() == 0) {
    platform::AfxMessageBox(kNoData, this);
    return;
  }
  // The snapshot and the evaluation copy the whole list: memory may run out, the list stays.
  try {
    gpa::CourseSnapshot snapshot;
    {
      platform::WaitCursor wait;
      for (int row = 0; row < CourseCount(); ++row) {
        gpa::AppendCourse(snapshot, m_list.GetItemText(row, 0), m_list.GetItemText(row, 1),
                          m_list.GetItemText(row, 2), m_list.GetItemText(row, 3),
                          m_list.GetItemText(row, 4), m_list.GetItemText(row, kPointsColumn));
      }
    }
    platform::SetCurrentDirectory(m_startDir);
    CResultDlg results(CourseCount(), std::move(snapshot), this);
    results.DoModal();
  } catch (const std::bad_alloc&) {
    platform::AfxMessageBox(kOutOfMemory, this);
  }
}

void CMainDlg::OnExit() {
  if (PromptSaveChanges()) EndDialog(0);
}

void CMainDlg::OnCancel() { OnExit(); }

}  // namespace gradova::ui
