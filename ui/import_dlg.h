#pragma once
// The transcript import: the records of a .csv, .tsv, .xlsx or .xls shown row by row with what
// becomes of each, the columns of name, credits, grade, term, category and grade points, the retake
// choice and the grade map to change, and on 确定 the courses to put in the main list.
#include <optional>
#include <string>
#include <vector>

#include "courses/transcript.h"
#include "platform/qt/dialog.h"
#include "platform/qt/list_control.h"

namespace gradova::ui {

class CImportDlg : public platform::Dialog {
 public:
  // `records` in GBK; the columns start as the header gives them, with the default grade map and
  // the highest attempt of a retaken course counting.
  explicit CImportDlg(courses::TextRecords records, QWidget* owner = nullptr);

  // The list's courses as the preview last showed them, in file order; after 1 those the user
  // accepted.
  const std::vector<courses::CourseRecord>& Courses() const { return m_import.listed; }

  // For tests.
  platform::ListControl& List() { return m_list; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  bool OnInitDialog() override;
  // Enter and 确定 end with 1 only while the grade map reads; the preview then is what is taken.
  void OnOK() override;

 private:
  // Imports again with the controls' settings and shows the rows and the counts.
  void OnSettingsChange();

  courses::TextRecords m_records;
  std::size_t m_width = 0;              // columns of the widest record
  courses::TranscriptColumns m_header;  // as the header gave them
  courses::TranscriptSettings m_settings;
  courses::TranscriptImport m_import;
  platform::ListControl m_list;
  int m_nameColumn = 0;
  int m_creditsColumn = 1;
  int m_gradeColumn = 2;
  // Entries of the term, category and grade points lists: 0 for none, then each column; the term
  // list ends with the year and semester columns joined when the header has them.
  int m_termEntry = 0;
  int m_categoryEntry = 0;
  int m_pointsEntry = 0;
  int m_retake = 0;  // the entry of kImportRetakeList: highest, latest, all
  std::string m_gradeMapText;
  std::string m_summaryText;
  bool m_gradeMapReads = true;
};

struct ImportedRows {
  std::vector<std::vector<std::string>> rows;  // name, credits, score, term, category, points
  bool courseTable = false;                    // the program's own, taken without the dialog
};

// "从文件" with a transcript: reads the file at `path` (a failure is told in a message box owned
// by `owner`) and runs the import dialog, unless the file is a course table
// (courses::IsCourseTable) whose every row is a course. The list rows of the courses after 确定 or
// of the table; nothing after a failure or 取消.
std::optional<ImportedRows> ImportTranscriptRows(const std::string& path, QWidget* owner);

}  // namespace gradova::ui
