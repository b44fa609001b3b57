#include "ui/rule_edit_dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "courses/number_text.h"
#include "platform/qt/gbk_text.h"
#include "platform/qt/message_box.h"
#include "ui/res/dialog_templates.h"
#include "ui/res/icon.h"
#include "ui/res/resource_ids.h"
#include "ui/res/rule_texts.h"

namespace gradova::ui {

using courses::FormatFixed;
using courses::LeadingDecimal;
using courses::LeadingInteger;
using platform::Notification;

namespace {

constexpr int kRangeColumnWidth = 178;
constexpr int kPointsColumnWidth = 96;
// The file keeps one byte of the points, and 255 marks an empty slot.
constexpr double kPointsLimitTenths = 255.0;

bool IsPointsText(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

// How many digits follow the first point, up to the last one that is not 0: 4.00 has none.
std::size_t DecimalCount(const std::string& text) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return 0;
  const std::size_t end = std::min(text.find_first_not_of("0123456789", point + 1), text.size());
  return text.substr(point, end - point).find_last_not_of('0');
}

}  // namespace

std::string UnstorableCharacter(const std::string& nameGbk) {
  for (std::size_t at = 0; at < nameGbk.size();) {
    const auto first = static_cast<unsigned char>(nameGbk[at]);
    // A GBK lead byte, 0x81 to 0xFE, begins a character of two bytes.
    const std::size_t length = first >= 0x81 && first != 0xFF && at + 1 < nameGbk.size() ? 2 : 1;
    const std::string character = nameGbk.substr(at, length);
    if (character.find('\x70') != std::string::npos || (at == 0 && first == 0x71)) {
      return character;
    }
    at += length;
  }
  return {};
}

CRuleEditDlg::CRuleEditDlg(RuleNameBuffer* nameOut, RuleTables* tables, int newIndex,
                           QWidget* owner)
    : CRuleEditDlg(std::string(kRuleEditCaption), nullptr, owner) {
  m_addMode = true;
  m_newIndex = newIndex;
  m_callerTables = tables;
  m_nameOut = nameOut;
}

CRuleEditDlg::CRuleEditDlg(std::string nameGbk, const grading::BandTable* bands, QWidget* owner)
    : Dialog(MakeRuleEditDialogTemplate(), owner),
      m_upperText(kBandTop),
      m_relationText(kBandFirstLowerLabel),
      m_title(std::move(nameGbk)),
      m_viewTable(bands) {
  Bind(kAddBandButton, Notification::Clicked, [this] { OnAddBand(); });
  Bind(kUndoBandButton, Notification::Clicked, [this] { OnUndoBand(); });
  Bind(kEditorOkButton, Notification::Clicked, [this] { OnEditorOK(); });
  Bind(kRuleNameEdit, Notification::EditChange, [this] { OnNameChange(); });
}

void CRuleEditDlg::DoDataExchange(platform::DataExchange& dx) {
  dx.Control(kBandList, m_list);
  dx.Text(kBandPointsEdit, m_pointsText);
  dx.Text(kBandUpperLabel, m_upperText);
  dx.Text(kRuleNameEdit, m_nameText);
  dx.Text(kBandLowerEdit, m_lowerText);
  dx.Text(kBandRelationLabel, m_relationText);
}

bool CRuleEditDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  setWindowTitle(platform::FromGbk(m_title));
  setWindowIcon(ApplicationIcon());
  // The lower bound takes digits only, as a number edit does.
  if (auto* lower = ItemAs<QLineEdit>(kBandLowerEdit)) {
    lower->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), lower));
  }
  EnableItem(kEditorOkButton, !m_addMode);
  EnableItem(kUndoBandButton, false);
  m_list.InsertColumn(0, kBandRangeTitle, kRangeColumnWidth);
  m_list.InsertColumn(1, kBandPointsTitle, kPointsColumnWidth);
  if (m_addMode) {
    if (m_callerTables && m_newIndex >= 0 &&
        m_newIndex < static_cast<int>(m_callerTables->size())) {
      (*m_callerTables)[static_cast<std::size_t>(m_newIndex)] =
          std::make_unique<grading::BandTable>(grading::MakeEmptyBandTable());
    } else {
      // No slot to fill: the editor can show nothing but its cancel.
      m_callerTables = nullptr;
      EnableItem(kAddBandButton, false);
    }
    return true;
  }
  for (int id : {kBandLowerEdit, kBandPointsEdit, kRuleNameEdit, kBandUpperLabel, kAddBandButton})
    EnableItem(id, false);
  // The rule has its name, in the caption.
  Item(kRuleNameEdit)->hide();
  Item(kRuleNameHintLabel)->hide();
  if (!m_viewTable) return true;
  std::string upper = m_upperText;
  for (std::size_t slot = 0; slot < grading::BandCount(*m_viewTable); ++slot) {
    const grading::RuleBand& band = (*m_viewTable)[slot];
    const int row = static_cast<int>(slot);
    m_list.InsertItem(row, upper + std::string(kBandDash) + std::to_string(band.lowerBound));
    const float points = static_cast<float>(band.points) * 0.1f;
    m_list.SetItemText(row, 1, FormatFixed(static_cast<double>(points), 1));
    upper = std::to_string(static_cast<int>(band.lowerBound) - 1);
  }
  return true;
}

void CRuleEditDlg::OnOK() {
  const QWidget* focus = focusWidget();
  const bool inBand = focus && (focus == Item(kBandLowerEdit) || focus == Item(kBandPointsEdit));
  // A disabled button ignores the click.
  if (auto* button = ItemAs<QPushButton>(inBand ? kAddBandButton : kEditorOkButton)) {
    button->click();
  }
}

int CRuleEditDlg::LastLowerBound() {
  const int n = m_list.GetItemCount();
  return n == 0 ? -1 : NewTable()[static_cast<std::size_t>(n - 1)].lowerBound;
}

void CRuleEditDlg::ShowNextBand() {
  const int last = LastLowerBound();
  m_upperText = last < 0    ? std::string(kBandTop)
                : last == 0 ? std::string(kBandClosed)
                            : std::to_string(last);
  m_relationText = last < 0 ? kBandFirstLowerLabel : kBandLowerLabel;
  EnableItem(kAddBandButton, last != 0);
  EnableItem(kUndoBandButton, last >= 0);
}

void CRuleEditDlg::OnAddBand() {
  if (!m_addMode || !m_callerTables) return;
  UpdateData(true);
  const int lower = LeadingInteger(m_lowerText);
  const double points = LeadingDecimal(m_pointsText);
  const int n = m_list.GetItemCount();
  // The highest lower bound the band may have, which its row shows as its upper end.
  const int last = LastLowerBound();
  const std::string upper = last < 0 ? std::string(kBandTop) : std::to_string(last - 1);
  const std::string pointsShown = std::isfinite(points) ? FormatFixed(points, 1) : std::string();
  const double tenths = std::trunc(LeadingDecimal(pointsShown) * 10.0);
  // The file keeps grade points in tenths: a second decimal would be lost without a word.
  if (IsPointsText(m_pointsText) && DecimalCount(m_pointsText) > 1) {
    platform::AfxMessageBox(std::string(kBandBadInput) + std::string(kPointsDecimalsReason), this);
    return;
  }
  if (IsPointsText(m_pointsText) && !m_pointsText.empty() && tenths >= kPointsLimitTenths) {
    platform::AfxMessageBox(std::string(kBandBadInput) + std::string(kPointsRangeReason), this);
    return;
  }
  if (!IsPointsText(m_pointsText) || lower > LeadingInteger(upper) || lower < 0 || points < 0.0 ||
      m_lowerText.empty() || m_pointsText.empty() || pointsShown.empty()) {
    platform::AfxMessageBox(kBandBadInput, this);
    return;
  }
  // The last slot is kept for a band at 0, which "确定" would otherwise add after it.
  const int slotCount = static_cast<int>(grading::kBandSlots);
  if (n >= slotCount || (n == slotCount - 1 && lower != 0)) {
    platform::AfxMessageBox(kTooManyBands, this);
    return;
  }
  m_list.InsertItem(n, upper + std::string(kBandDash) + m_lowerText);
  m_pointsText = pointsShown;
  m_list.SetItemText(n, 1, m_pointsText);
  grading::RuleBand& band = NewTable()[static_cast<std::size_t>(n)];
  band.lowerBound = static_cast<std::uint16_t>(lower);
  band.points = static_cast<std::uint16_t>(tenths);
  // The next band starts just below this one.
  m_lowerText = lower == 0 ? std::string() : std::to_string(lower - 1);
  ShowNextBand();
  UpdateData(false);
}

void CRuleEditDlg::OnUndoBand() {
  const int n = m_list.GetItemCount();
  if (!m_addMode || !m_callerTables || n == 0) return;
  UpdateData(true);
  // The band taken back goes back into the fields, to be corrected and added again.
  grading::RuleBand& band = NewTable()[static_cast<std::size_t>(n - 1)];
  m_lowerText = std::to_string(band.lowerBound);
  m_pointsText = m_list.GetItemText(n - 1, 1);
  band = {grading::kNoBand, grading::kNoBand};
  m_list.DeleteItem(n - 1);
  ShowNextBand();
  UpdateData(false);
}

void CRuleEditDlg::OnEditorOK() {
  const int n = m_list.GetItemCount();
  if (!m_addMode || n < 1 || !m_callerTables || !m_nameOut) {
    EndDialog(0);
    return;
  }
  UpdateData(true);
  if (m_nameText.empty() || m_nameText.size() > grading::kMaxRuleNameBytes) return;
  if (const std::string faulty = UnstorableCharacter(m_nameText); !faulty.empty()) {
    platform::AfxMessageBox(std::string(kRuleNameUnstorable) + std::string(kFaultyCharacterPrefix) +
                                faulty + std::string(kFaultyCharacterSuffix),
                            this);
    return;
  }
  grading::BandTable& table = NewTable();
  const auto last = static_cast<std::size_t>(n - 1);
  if (table[last].lowerBound != 0) {
    if (static_cast<std::size_t>(n) >= table.size()) return;  // OnAddBand keeps this slot free
    table[static_cast<std::size_t>(n)] = grading::RuleBand{0, 0};
  }
  std::memcpy(m_nameOut->data(), m_nameText.data(), m_nameText.size());
  EndDialog(1);
}

void CRuleEditDlg::OnNameChange() {
  UpdateData(true);
  EnableItem(kEditorOkButton,
             !m_nameText.empty() && m_nameText.size() <= grading::kMaxRuleNameBytes);
  UpdateData(false);
}

}  // namespace gradova::ui
