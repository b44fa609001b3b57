#include "ui/target_plan_dlg.h"

#include "courses/number_text.h"
#include "gpa/gpa_texts.h"
#include "platform/qt/message_box.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/resource_ids.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {
namespace {

constexpr int kRuleWidth = 120;
constexpr int kNumberWidth = 90;

}  // namespace

CTargetPlanDlg::CTargetPlanDlg(gpa::TargetBasis basis, std::vector<std::string> ruleNames,
                               int selected, QWidget* owner)
    : Dialog(MakeTargetPlanDialogTemplate(), owner),
      m_selected(selected),
      m_basis(std::move(basis)),
      m_ruleNames(std::move(ruleNames)) {
  Bind(kPlanButton, platform::Notification::Clicked, [this] { OnPlan(); });
  Bind(kPlanCloseButton, platform::Notification::Clicked, [this] { EndDialog(0); });
}

void CTargetPlanDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Control(kPlanList, m_list);
  dx.Text(kTargetGpaEdit, m_targetText);
  dx.Text(kRemainingCreditsEdit, m_remainingText);
}

bool CTargetPlanDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  m_list.InsertColumn(0, gpa::kPlanRuleTitle, kRuleWidth);
  m_list.InsertColumn(1, gpa::kCurrentGpaTitle, kNumberWidth);
  m_list.InsertColumn(2, gpa::kNeededPointsTitle, kNumberWidth);
  m_list.InsertColumn(3, gpa::kLowestScoreTitle, kNumberWidth);
  ShowRows(gpa::PlanTarget(m_basis, 0.0, 0.0), false);
  if (m_selected >= 0) m_list.SelectRow(m_selected);
  return true;
}

void CTargetPlanDlg::OnOK() { OnPlan(); }

void CTargetPlanDlg::OnPlan() {
  UpdateData(true);
  const std::optional<double> target = courses::ParseDecimal(m_targetText);
  const std::optional<double> remaining = courses::ParseDecimal(m_remainingText);
  if (!target || !remaining || !gpa::IsPlannable(*target, *remaining)) {
    platform::AfxMessageBox(std::string(kBadInput) + '\n' + std::string(kPlanOutOfRange), this);
    return;
  }
  m_planned = target;
  ShowRows(gpa::PlanTarget(m_basis, *target, *remaining), true);
}

void CTargetPlanDlg::ShowRows(const std::vector<gpa::TargetPlanRow>& rows, bool planned) {
  std::vector<std::vector<std::string>> cells;
  for (std::size_t rule = 0; rule < rows.size(); ++rule) {
    const gpa::TargetPlanRow& row = rows[rule];
    cells.push_back({m_ruleNames.at(rule), row.currentGpa, planned ? row.neededPoints : "",
                     planned ? row.scoreText : ""});
  }
  m_list.DeleteItems(0, m_list.GetItemCount());
  m_list.InsertItems(0, std::move(cells));
}

}  // namespace gradova::ui
