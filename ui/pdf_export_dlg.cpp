#include "ui/pdf_export_dlg.h"

#include <algorithm>

#include "platform/qt/check_menu.h"
#include "platform/qt/message_box.h"
#include "platform/qt/settings.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/resource_ids.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {
namespace {

constexpr int kFieldEdits[] = {kStudentNameEdit, kStudentNumberEdit, kSchoolEdit, kMajorEdit};

}  // namespace

CPdfExportDlg::CPdfExportDlg(std::vector<std::string> ruleNames, bool myRuleFirst, bool withTerms,
                             QWidget* owner)
    : Dialog(MakePdfExportDialogTemplate(), owner),
      m_ruleNames(std::move(ruleNames)),
      m_myRuleFirst(myRuleFirst),
      m_withTerms(withTerms),
      m_fields(std::size(kFieldEdits)) {}

void CPdfExportDlg::DoDataExchange(platform::DataExchange& dx) {
  for (std::size_t i = 0; i < m_fields.size(); ++i) dx.Text(kFieldEdits[i], m_fields[i]);
  dx.Check(kPdfByTermCheck, m_byTerm);
}

bool CPdfExportDlg::OnInitDialog() {
  m_fields = platform::ReadStudentFields();
  m_fields.resize(std::size(kFieldEdits));
  m_byTerm = m_withTerms;
  Dialog::OnInitDialog();
  platform::SetCheckMenuItems(Item(kPdfRuleMenu), m_ruleNames);
  if (m_myRuleFirst) platform::SetCheckedItems(Item(kPdfRuleMenu), {true});
  EnableItem(kPdfByTermCheck, m_withTerms);
  return true;
}

void CPdfExportDlg::OnOK() {
  UpdateData(true);
  m_shown = platform::CheckedItems(Item(kPdfRuleMenu));
  if (std::find(m_shown.begin(), m_shown.end(), true) == m_shown.end()) {
    platform::AfxMessageBox(kPdfNoRule, this);
    return;
  }
  platform::WriteStudentFields(m_fields);
  EndDialog(platform::kIdOk);
}

}  // namespace gradova::ui
