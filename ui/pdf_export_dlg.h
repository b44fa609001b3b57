#pragma once
// 导出PDF's questions: who the summary is for (remembered for the next time), which rules it
// shows, and whether its courses go term by term.
#include <string>
#include <vector>

#include "platform/qt/dialog.h"

namespace gradova::ui {

class CPdfExportDlg : public platform::Dialog {
 public:
  // `ruleNames` (GBK) in the order the results show them. With `myRuleFirst` only the first, the
  // user's rule, is ticked at first, else all are. Grouping by term is offered, and ticked, only
  // `withTerms`.
  CPdfExportDlg(std::vector<std::string> ruleNames, bool myRuleFirst, bool withTerms,
                QWidget* owner = nullptr);

  // 姓名, 学号, 学校, 专业 as entered (GBK).
  const std::vector<std::string>& StudentFields() const { return m_fields; }
  // Whether each rule, in order, is to be shown.
  const std::vector<bool>& ShownRules() const { return m_shown; }
  bool ByTerm() const { return m_byTerm; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  // The fields as last entered, the rules ticked, grouping by term as offered.
  bool OnInitDialog() override;
  // Ends with kIdOk and remembers the fields; with no rule ticked says "请至少选择一种算法。" and
  // stays.
  void OnOK() override;

 private:
  std::vector<std::string> m_ruleNames;
  bool m_myRuleFirst;
  bool m_withTerms;
  std::vector<std::string> m_fields;
  std::vector<bool> m_shown;
  bool m_byTerm = false;
};

}  // namespace gradova::ui
