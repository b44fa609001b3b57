#include "ui/res/dialog_templates.h"

#include "gpa/report.h"
#include "ui/res/about_texts.h"
#include "ui/res/resource_ids.h"
#include "ui/res/rule_texts.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {

using platform::ControlKind;
using platform::ControlTemplate;

platform::DialogTemplate MakeAboutDialogTemplate() {
  constexpr bool kTab = true;
  return {
      kAboutDialogId,
      std::string(kAboutCaption),
      std::string(kDialogFont),
      9,
      255,
      188,
      {
          ControlTemplate{
              -1, ControlKind::Picture, ":/res/gradova-32.png", {11, 152, 20, 20}, false},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kAboutVersion), {40, 152, 119, 8}, false},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kAboutRights), {40, 162, 119, 8}, false},
          ControlTemplate{kAboutOkButton,
                          ControlKind::PushButton,
                          std::string(kOkCaption),
                          {198, 151, 50, 14},
                          kTab},
          ControlTemplate{
              kAboutHomeLink, ControlKind::Label, gpa::kHomePageUrl, {40, 172, 88, 8}, false},
          ControlTemplate{kHelpTextBox, ControlKind::TextBox, "", {7, 6, 241, 141}, kTab},
      },
  };
}

platform::DialogTemplate MakeMainDialogTemplate() {
  constexpr bool kTab = true;
  return {
      kMainDialogId,
      std::string(kMainCaption),
      std::string(kDialogFont),
      9,
      320,
      240,
      {
          ControlTemplate{kCourseList, ControlKind::ListView, "", {7, 7, 240, 180}, kTab},
          ControlTemplate{-1, ControlKind::GroupBox, "", {7, 186, 241, 44}, false},
          ControlTemplate{kNameEdit, ControlKind::Edit, "", {10, 208, 80, 16}, kTab},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kNameLabel), {21, 196, 64, 10}, false},
          ControlTemplate{kScoreEdit, ControlKind::Edit, "", {117, 208, 20, 16}, kTab},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kCreditsLabel), {96, 196, 16, 10}, false},
          ControlTemplate{kCreditsEdit, ControlKind::Edit, "", {94, 208, 20, 16}, kTab},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kScoreLabel), {119, 196, 16, 10}, false},
          ControlTemplate{kAddModifyButton,
                          ControlKind::PushButton,
                          std::string(kAddCaption),
                          {141, 208, 32, 16},
                          kTab},
          ControlTemplate{kResetButton,
                          ControlKind::PushButton,
                          std::string(kResetCaption),
                          {209, 208, 32, 16},
                          kTab},
          ControlTemplate{kDeleteButton,
                          ControlKind::PushButton,
                          std::string(kDeleteCaption),
                          {175, 208, 32, 16},
                          kTab},
          ControlTemplate{kFromFileButton,
                          ControlKind::PushButton,
                          std::string(kFromFileCaption),
                          {255, 12, 50, 14},
                          kTab},
          ControlTemplate{kSaveCurrentButton,
                          ControlKind::PushButton,
                          std::string(kSaveCurrentCaption),
                          {255, 30, 50, 14},
                          kTab},
          ControlTemplate{kViewGpaButton,
                          ControlKind::PushButton,
                          std::string(kViewGpaCaption),
                          {255, 210, 50, 14},
                          kTab},
          ControlTemplate{kClearCurrentButton,
                          ControlKind::PushButton,
                          std::string(kClearCurrentCaption),
                          {255, 48, 50, 14},
                          kTab},
          ControlTemplate{kInstructionsButton,
                          ControlKind::PushButton,
                          std::string(kInstructionsCaption),
                          {255, 66, 50, 14},
                          kTab},
          ControlTemplate{kExitButton,
                          ControlKind::PushButton,
                          std::string(kExitCaption),
                          {255, 84, 50, 14},
                          kTab},
          ControlTemplate{kHomeLinkPicture,
                          ControlKind::Picture,
                          ":/res/home_link.png",
                          {254, 106, 53, 96},
                          false},
      },
  };
}

platform::DialogTemplate MakeResultDialogTemplate() {
  constexpr bool kTab = true;
  return {
      kResultDialogId,
      std::string(kMainCaption),
      std::string(kDialogFont),
      9,
      480,
      360,
      {
          ControlTemplate{kResultList, ControlKind::ListView, "", {7, 7, 466, 330}, kTab},
          ControlTemplate{kResultOkButton,
                          ControlKind::PushButton,
                          std::string(kOkCaption),
                          {7, 339, 50, 14},
                          kTab},
          ControlTemplate{kCustomRulesButton,
                          ControlKind::PushButton,
                          std::string(kCustomRulesCaption),
                          {59, 339, 50, 14},
                          kTab},
          ControlTemplate{kWriteReportButton,
                          ControlKind::PushButton,
                          std::string(kWriteReportCaption),
                          {111, 339, 50, 14},
                          kTab},
          ControlTemplate{kTargetPlanButton,
                          ControlKind::PushButton,
                          std::string(kTargetPlanCaption),
                          {163, 339, 50, 14},
                          kTab},
          ControlTemplate{kExportPdfButton,
                          ControlKind::PushButton,
                          std::string(kExportPdfCaption),
                          {215, 339, 50, 14},
                          kTab},
      },
  };
}

platform::DialogTemplate MakeRuleListDialogTemplate() {
  constexpr bool kTab = true;
  return {
      kRuleListDialogId,
      std::string(kRuleListCaption),
      std::string(kDialogFont),
      9,
      116,
      184,
      {
          ControlTemplate{kRuleList, ControlKind::ListView, "", {7, 7, 102, 137}, kTab},
          ControlTemplate{kRulesOkButton,
                          ControlKind::PushButton,
                          std::string(kRuleOkCaption),
                          {7, 163, 50, 14},
                          kTab},
          ControlTemplate{kAddDeleteRuleButton,
                          ControlKind::PushButton,
                          std::string(kAddRuleCaption),
                          {7, 148, 50, 14},
                          kTab},
          ControlTemplate{kRulesCancelButton,
                          ControlKind::PushButton,
                          std::string(kRuleCancelCaption),
                          {59, 163, 50, 14},
                          kTab},
          ControlTemplate{kViewDetailsButton,
                          ControlKind::PushButton,
                          std::string(kViewDetailsCaption),
                          {59, 148, 50, 14},
                          kTab},
      },
  };
}

platform::DialogTemplate MakeRuleEditDialogTemplate() {
  constexpr bool kTab = true;
  return {
      kRuleEditDialogId,
      std::string(kRuleEditCaption),
      std::string(kDialogFont),
      9,
      200,
      200,
      {
          ControlTemplate{kBandList, ControlKind::ListView, "", {7, 7, 186, 144}, kTab},
          ControlTemplate{kAddBandButton,
                          ControlKind::PushButton,
                          std::string(kAddBandCaption),
                          {143, 152, 50, 14},
                          kTab},
          ControlTemplate{kBandLowerEdit, ControlKind::Edit, "", {68, 152, 20, 14}, kTab},
          ControlTemplate{kBandPointsEdit, ControlKind::Edit, "", {122, 152, 20, 14}, kTab},
          ControlTemplate{
              kBandUpperLabel, ControlKind::Label, std::string(kBandTop), {9, 154, 13, 8}, false},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kBandLowerLabel), {26, 154, 37, 8}, false},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kBandPointsLabel), {94, 154, 25, 8}, false},
          ControlTemplate{kEditorOkButton,
                          ControlKind::PushButton,
                          std::string(kRuleOkCaption),
                          {143, 179, 50, 14},
                          kTab},
          ControlTemplate{kRuleNameEdit, ControlKind::Edit, "", {7, 179, 136, 14}, kTab},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kRuleNameHint), {8, 168, 161, 8}, false},
      },
  };
}

platform::DialogTemplate MakeTargetPlanDialogTemplate() {
  constexpr bool kTab = true;
  return {
      kTargetPlanDialogId,
      std::string(kTargetPlanCaption),
      std::string(kDialogFont),
      9,
      280,
      180,
      {
          ControlTemplate{
              -1, ControlKind::Label, std::string(kTargetGpaLabel), {7, 9, 36, 10}, false},
          ControlTemplate{kTargetGpaEdit, ControlKind::Edit, "", {45, 7, 40, 14}, kTab},
          ControlTemplate{
              -1, ControlKind::Label, std::string(kRemainingCreditsLabel), {95, 9, 36, 10}, false},
          ControlTemplate{kRemainingCreditsEdit, ControlKind::Edit, "", {133, 7, 40, 14}, kTab},
          ControlTemplate{kPlanButton,
                          ControlKind::PushButton,
                          std::string(kPlanCaption),
                          {183, 7, 40, 14},
                          kTab},
          ControlTemplate{kPlanList, ControlKind::ListView, "", {7, 27, 266, 128}, kTab},
          ControlTemplate{kPlanCloseButton,
                          ControlKind::PushButton,
                          std::string(kCloseCaption),
                          {223, 159, 50, 14},
                          kTab},
      },
  };
}

}  // namespace gradova::ui
