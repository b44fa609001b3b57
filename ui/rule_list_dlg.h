#pragma once
// The rule manager: the names of all grading rules, with commands to add (through the rule
// editor), delete (once the user confirms) and view them. The `rules` file is read when it opens
// and replaced, whole, only by its "确定".
#include <cstdint>
#include <memory>

#include "platform/qt/dialog.h"
#include "platform/qt/list_control.h"
#include "ui/rule_edit_dlg.h"

namespace gradova::ui {

class CRuleListDlg : public platform::Dialog {
 public:
  explicit CRuleListDlg(QWidget* owner = nullptr);

  // For tests.
  platform::ListControl& List() { return m_list; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  bool OnInitDialog() override;
  // Enter does nothing: ending with 1 without writing would make the results window close as
  // after a save, and every add and delete would be lost.
  void OnOK() override;

 private:
  void OnListClick();
  void OnAddOrDelete();
  void OnViewDetails();
  void OnSaveRules();
  bool IsRuleRow(int row) const { return row >= 0 && row < m_ruleCount; }
  void AddRule();
  void DeleteRule(int row);

  platform::ListControl m_list;
  std::string m_toggleText;
  std::unique_ptr<RuleTables> m_tables;  // null while there is no rule set
  std::int16_t m_ruleCount = 0;
};

}  // namespace gradova::ui
