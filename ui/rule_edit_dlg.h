#pragma once
// The rule editor: a new rule entered band by band and named (add mode), or the bands of an
// existing rule shown (view mode). In add mode "撤销" takes back the last band, and "取消" or
// Escape ends without a rule. It never touches the `rules` file.
#include <array>
#include <memory>
#include <string>

#include "grading/rule_set.h"
#include "platform/qt/dialog.h"
#include "platform/qt/list_control.h"

namespace gradova::ui {

// The rule manager's tables: entry i belongs to its list row i.
using RuleTables = std::array<std::unique_ptr<grading::BandTable>, grading::kMaxRules>;
using RuleNameBuffer = std::array<char, grading::kMaxRuleNameBytes>;

class CRuleEditDlg : public platform::Dialog {
 public:
  // Add mode. The editor stores the new rule's table in (*tables)[newIndex] when it opens; the
  // caller owns that table whatever the result. After 1 the table holds 1 to 32 bands with
  // strictly descending lower bounds, the last at 0, and `nameOut` begins with the name's 1 to
  // 20 bytes (the rest as the caller left it). Any other result: the rule does not exist.
  CRuleEditDlg(RuleNameBuffer* nameOut, RuleTables* tables, int newIndex, QWidget* owner = nullptr);
  // View mode: shows `bands` under the caption `nameGbk`, asks for no name, and ends with 0.
  CRuleEditDlg(std::string nameGbk, const grading::BandTable* bands, QWidget* owner = nullptr);

  // For tests.
  platform::ListControl& List() { return m_list; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  bool OnInitDialog() override;
  // Enter in a band's field acts as "添加", elsewhere as "确定", each only while its button is
  // enabled: the caller never gets 1 without a name and a closed band list, and a band being
  // typed is never dropped.
  void OnOK() override;

 private:
  void OnAddBand();
  void OnUndoBand();
  void OnEditorOK();
  void OnNameChange();
  grading::BandTable& NewTable() {
    return *(*m_callerTables)[static_cast<std::size_t>(m_newIndex)];
  }
  // The lower bound of the last band entered, or -1 before the first.
  int LastLowerBound();
  // The entry line for the band after the last one: its upper end, which the first band includes
  // and every later one stays below, or "*" once a band reached 0; 添加 and 撤销 on or off.
  void ShowNextBand();

  platform::ListControl m_list;
  std::string m_pointsText;
  std::string m_upperText;
  std::string m_nameText;
  std::string m_lowerText;
  std::string m_relationText;
  std::string m_title;
  bool m_addMode = false;
  const grading::BandTable* m_viewTable = nullptr;
  int m_newIndex = 0;
  RuleTables* m_callerTables = nullptr;
  RuleNameBuffer* m_nameOut = nullptr;
};

// The first character of `nameGbk` that the `rules` file cannot read back as written, or "" when
// it reads the whole name back: its name shift turns a byte 0x70 ("p", or the second byte of a
// character such as 雙) into the end-of-name marker and a leading 0x71 into the end-of-file
// marker.
std::string UnstorableCharacter(const std::string& nameGbk);

}  // namespace gradova::ui
