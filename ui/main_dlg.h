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

  // For tests.
  platform::ListControl& List() { return m_list; }
  bool Modified() const { return m_modified; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  bool OnInitDialog() override;
  // Enter never ends the main window: in an entry field it adds or modifies, elsewhere nothing.
  void OnOK() override;
  // Escape and the close box end the program as 退出 does, asking first about unsaved changes.
  void OnCancel() override;
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

  // The save command; true when it wrote the file. A course file (.txt) holds the GPA courses'
  // names, credits and scores only: before it drops anything else it asks.
  bool SaveCurrent();
  // Asks for a file and puts its courses in the list; true when they replaced the list.
  bool LoadChosenFile();
  // Deletes every row but the trailing empty one, under the wait cursor.
  void EmptyList();
  // The course rows are every row but the trailing empty one.
  int CourseCount() const;
  std::vector<courses::CourseRecord> CourseRows() const;
  bool IsCourseRow(int row) const;
  // "保存当前" and "清空当前" on or off; matched, on exactly when the list holds courses.
  void EnableListButtons(bool enabled);
  void MatchListButtons();
  // The fields from the cells of `row`, empty for no row.
  void SetFields(int row);

  bool m_modified = false;
  std::string m_creditsText;
  std::string m_scoreText;
  std::string m_termText;
  std::string m_categoryText;
  platform::ListControl m_list;
  std::string m_nameText;
  std::string m_toggleText;
  std::string m_filePath;
  // The encoding 保存当前 writes to a course file: that of the loaded file; GBK for typed courses.
  courses::TextEncoding m_fileEncoding = courses::TextEncoding::Gbk;
  std::string m_startDir;
  CLinkStatic m_homeLink;
};

}  // namespace gradova::ui
