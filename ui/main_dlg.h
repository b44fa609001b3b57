#pragma once
// The main window: the course list with its trailing empty row, the entry fields and the
// commands that build, load, save and clear the list.
#include <string>
#include <vector>

#include "courses/course_record.h"
#include "courses/text_encoding.h"

#include "platform/qt/dialog.h"
#include "platform/qt/list_control.h"
#include "ui/link_static.h"

namespace gradova::ui {

class CMainDlg : public platform::Dialog {
 public:
  CMainDlg();

  // Whether the user may go on after the unsaved-changes question: without changes at once;
  // after Yes only when the list was written to a file; after No; never after Cancel.
  bool PromptSaveChanges();

  // For tests and the results window.
  platform::ListControl& List() { return m_list; }
  bool Modified() const { return m_modified; }
  const std::string& StartDir() const { return m_startDir; }
  const std::string& FilePath() const { return m_filePath; }
  const CLinkStatic& HomeLink() const { return m_homeLink; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  bool OnInitDialog() override;
  // Enter never ends the main window: in an entry field it adds or modifies, elsewhere nothing.
  void OnOK() override;
  // Commands 16 to 31 open the About dialog.
  void OnSysCommand(int command) override;

 private:
  void OnAddModify();
  void OnListClick();
  void OnDelete();
  void OnReset();
  void OnFromFile();
  void OnSaveCurrent();
  void OnClearCurrent();
  void OnInstructions();
  void OnViewGpa();
  void OnExit();

  // The save command; true when it wrote the file.
  bool SaveCurrent();
  // Puts the rows of a good file before the trailing empty row; when memory runs out, empties the
  // list and says the file could not be opened.
  bool InsertLoadedRows(std::vector<std::vector<std::string>> rows);
  // Deletes every row but the trailing empty one.
  void EmptyList();
  int CourseCount() const;
  // The course rows: every row but the trailing empty one.
  std::vector<courses::CourseRecord> CourseRows() const;
  // Whether `row` is a course row, not the trailing empty row or none.
  bool IsCourseRow(int row) const;
  // "保存当前" and "清空当前" on exactly when the list holds courses.
  void MatchListButtons();
  void SetFields(int row);

  bool m_modified = false;
  std::string m_creditsText;
  std::string m_scoreText;
  platform::ListControl m_list;
  std::string m_nameText;
  std::string m_toggleText;
  std::string m_filePath;
  // The encoding 保存当前 writes: that of the loaded file; GBK for typed courses.
  courses::TextEncoding m_fileEncoding = courses::TextEncoding::Gbk;
  std::string m_startDir;
  CLinkStatic m_homeLink;
};

}  // namespace gradova::ui
