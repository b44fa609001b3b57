#include "ui/about_dlg.h"

#include "gpa/report.h"
#include "ui/res/about_texts.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/icon.h"
#include "ui/res/resource_ids.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {
namespace {

template <typename... Pieces>
std::string Concatenate(const Pieces&... pieces) {
  std::string text;
  (text.append(pieces), ...);
  return text;
}

// The instruction text, lines ended by CR LF but the last; the commands that came after 1.01
// follow its closing block.
std::string MakeInstructionText() {
  return Concatenate(
      kHelpTitle, kHelpStepOne, kHelpManualHeading, kHelpManual, kHelpFileHeading, kHelpFile,
      kHelpFormatFirst, kHelpFormatSecond, kHelpDashLine, kHelpLineLayout, kHelpDashLine,
      kHelpExampleHeading, kHelpSampleName, kHelpDashLine, kHelpSample1, kHelpSample2, kHelpSample3,
      kHelpSample4, kHelpSample5, kHelpDashLineAndBlank, kHelpStepTwo, kHelpEmDashes,
      kHelpRulesHeading, kHelpRulesBuiltIn, kHelpRulesDetails, kHelpRulesArticle, kHelpRulesFile1,
      kHelpRulesFile2, kHelpRulesFile3, kHelpRulesFile4, kHelpRulesFile5, kHelpEqualsLine,
      kHelpStatementHeading, kHelpStatement1, kHelpStatement2, kHelpStatement3, kHelpGreeting,
      kHelpEqualsLine, kHelpReleaseHeading, kHelpRelease1, kHelpRelease2, kHelpEqualsLineAndBlank,
      kHelpClosingAddress, kHelpClosingAuthor, kHelpClosingRules, kHelpClosingAddressLast,
      kHelpMoreBreak, kHelpEmDashes, kHelpMoreHeading, kHelpTranscriptHeading, kHelpTranscript,
      kHelpTargetHeading, kHelpTarget, kHelpPdfHeading, kHelpPdf, kHelpRecordHeading, kHelpRecord);
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* owner)
    : Dialog(MakeAboutDialogTemplate(), owner), m_helpText(MakeInstructionText()) {}

void CAboutDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Text(kHelpTextBox, m_helpText);
  dx.Control(kAboutHomeLink, m_homeLink);
}

bool CAboutDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  setWindowIcon(ApplicationIcon());
  m_homeLink.SetTarget(gpa::kHomePageHost);
  m_homeLink.SetHintText(std::string(kHomeLinkHint));
  return true;
}

}  // namespace gradova::ui
