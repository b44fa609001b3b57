#pragma once
// The target planner: for a target GPA and the credits still to be taken, what the remaining
// courses need under every rule of the results window.
#include <optional>
#include <string>
#include <vector>

#include "gpa/target_plan.h"
#include "platform/qt/dialog.h"
#include "platform/qt/list_control.h"

namespace gradova::ui {

class CTargetPlanDlg : public platform::Dialog {
 public:
  // `ruleNames` (GBK) name the rules of `basis`, in order; the row of rule `selected` is
  // selected when the planner opens (none for -1).
  CTargetPlanDlg(gpa::TargetBasis basis, std::vector<std::string> ruleNames, int selected = -1,
                 QWidget* owner = nullptr);

  platform::ListControl& List() { return m_list; }
  // The target of the last plan made, if any was.
  std::optional<double> PlannedTarget() const { return m_planned; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  // One row per rule with its current GPA.
  bool OnInitDialog() override;
  // Enter plans, as "计算" does, and leaves the window open.
  void OnOK() override;

 private:
  // Reads both fields; anything but a plain decimal, or a target of 0, is refused with
  // "输入有误！" and the rows stay as they were.
  void OnPlan();
  void ShowRows(const std::vector<gpa::TargetPlanRow>& rows, bool planned);

  platform::ListControl m_list;
  std::string m_targetText;
  std::string m_remainingText;
  int m_selected;
  std::optional<double> m_planned;
  gpa::TargetBasis m_basis;
  std::vector<std::string> m_ruleNames;
};

}  // namespace gradova::ui
