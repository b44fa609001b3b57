#include "ui/rule_list_dlg.h"

#include <QTreeView>
#include <algorithm>

#include "platform/program_files.h"
#include "platform/qt/message_box.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/icon.h"
#include "ui/res/resource_ids.h"
#include "ui/res/rule_texts.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {

using platform::Notification;

namespace {

constexpr int kNameColumnWidth = 150;

}  // namespace

CRuleListDlg::CRuleListDlg(QWidget* owner)
    : Dialog(MakeRuleListDialogTemplate(), owner), m_toggleText(kAddRuleCaption) {
  Bind(kRulesOkButton, Notification::Clicked, [this] { OnSaveRules(); });
  Bind(kRuleList, Notification::ListClick, [this] { OnListClick(); });
  Bind(kAddDeleteRuleButton, Notification::Clicked, [this] { OnAddOrDelete(); });
  Bind(kRulesCancelButton, Notification::Clicked, [this] { OnCancel(); });
  Bind(kViewDetailsButton, Notification::Clicked, [this] { OnViewDetails(); });
}

void CRuleListDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Control(kRuleList, m_list);
  dx.Text(kAddDeleteRuleButton, m_toggleText);
}

bool CRuleListDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  setWindowIcon(ApplicationIcon());
  EnableItem(kViewDetailsButton, false);
  // A plain list of names: one column and no header.
  m_list.InsertColumn(0, "", kNameColumnWidth);
  if (QTreeView* view = m_list.View()) {
    view->setHeaderHidden(true);
    // The view would make its first row current when it takes the focus, which the selection
    // mark would follow: an add before any click would then delete the first rule.
    view->setCurrentIndex(QModelIndex());
  }

  grading::RulesFileContents contents = platform::ReadRulesFile();
  if (contents.status == grading::RulesFileStatus::Missing) {
    platform::AfxMessageBox(kRuleFileMissing, this);
    // Without a rule set only "取消" has anything to do.
    EnableItem(kAddDeleteRuleButton, false);
    EnableItem(kRulesOkButton, false);
    return true;
  }
  m_tables = std::make_unique<RuleTables>();
  for (grading::Rule& rule : contents.ruleSet.rules) {
    if (m_ruleCount >= static_cast<int>(grading::kMaxRules)) break;
    m_list.InsertItem(m_ruleCount, rule.name);
    (*m_tables)[static_cast<std::size_t>(m_ruleCount)] =
        std::make_unique<grading::BandTable>(rule.bands);
    ++m_ruleCount;
  }
  m_list.InsertItem(m_ruleCount, "");
  if (contents.status == grading::RulesFileStatus::Damaged) {
    platform::AfxMessageBox(kRulesDamaged, this);
  }
  return true;
}

void CRuleListDlg::OnOK() {}

void CRuleListDlg::OnListClick() {
  UpdateData(true);
  const bool ruleRow = m_tables && IsRuleRow(m_list.GetSelectionMark());
  m_toggleText = ruleRow ? kDeleteRuleCaption : kAddRuleCaption;
  EnableItem(kViewDetailsButton, ruleRow);
  UpdateData(false);
}

void CRuleListDlg::OnAddOrDelete() {
  if (!m_tables) return;
  const int selected = m_list.GetSelectionMark();
  if (!IsRuleRow(selected)) {
    AddRule();
  } else if (platform::AskYesNoCancel(this,
                                      std::string(kDeleteRuleQuestionPrefix) +
                                          m_list.GetItemText(selected, 0) +
                                          std::string(kDeleteRuleQuestionSuffix),
                                      kPromptCaption) == platform::kIdYes) {
    DeleteRule(selected);
  }
  // A delete leaves the selection mark on the row that followed, perhaps the empty one: the
  // caption and 查看详细 follow it, as after a click.
  OnListClick();
}

void CRuleListDlg::AddRule() {
  if (m_ruleCount >= static_cast<int>(grading::kMaxRules)) {
    platform::AfxMessageBox(kTooManyRules, this);
    return;
  }
  RuleNameBuffer name{};
  CRuleEditDlg editor(&name, m_tables.get(), m_ruleCount, this);
  const auto slot = static_cast<std::size_t>(m_ruleCount);
  if (editor.DoModal() != 1 || !(*m_tables)[slot]) {
    (*m_tables)[slot].reset();
    return;
  }
  const auto end = std::find(name.begin(), name.end(), '\0');
  m_list.InsertItem(m_ruleCount, std::string(name.begin(), end));
  ++m_ruleCount;
}

void CRuleListDlg::DeleteRule(int row) {
  m_list.DeleteItem(row);
  // The tables below move up a slot, so that table i stays that of row i.
  std::move(m_tables->begin() + row + 1, m_tables->begin() + m_ruleCount, m_tables->begin() + row);
  (*m_tables)[static_cast<std::size_t>(--m_ruleCount)].reset();
}

void CRuleListDlg::OnViewDetails() {
  const int selected = m_list.GetSelectionMark();
  if (!m_tables || !IsRuleRow(selected)) return;
  CRuleEditDlg viewer(m_list.GetItemText(selected, 0),
                      (*m_tables)[static_cast<std::size_t>(selected)].get(), this);
  viewer.DoModal();
}

void CRuleListDlg::OnSaveRules() {
  if (!m_tables) return;
  if (m_list.GetItemCount() == 1) {
    platform::AfxMessageBox(kNoRuleLeft, this);
    return;
  }
  grading::RuleSet ruleSet;
  for (int row = 0; row < m_ruleCount; ++row) {
    ruleSet.rules.push_back(
        {m_list.GetItemText(row, 0), *(*m_tables)[static_cast<std::size_t>(row)]});
  }
  if (platform::WriteRulesFile(ruleSet) != platform::ReplaceStatus::Replaced) {
    // Ending with 1 here would close the results window as if the rules had been saved.
    platform::AfxMessageBox(kRulesWriteFailed, this);
    return;
  }
  m_tables.reset();
  m_ruleCount = 0;
  EndDialog(1);
}

}  // namespace gradova::ui
