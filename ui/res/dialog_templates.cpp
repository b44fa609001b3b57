#include "ui/res/dialog_templates.h"

#include "gpa/report.h"
#include "ui/res/about_texts.h"
#include "ui/res/import_texts.h"
#include "ui/res/resource_ids.h"
#include "ui/res/rule_texts.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {
namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DluRect;

// The controls by kind, each in one line of a template. Every control that takes input is a tab
// stop; labels, group boxes and pictures are not. `layout` places the control in a resizable
// dialog.
using Layout = platform::DynamicLayout;
ControlTemplate Button(int id, std::string_view caption, DluRect rect, Layout layout = {}) {
  return {id, ControlKind::PushButton, std::string(caption), rect, true, layout};
}
ControlTemplate Edit(int id, DluRect rect, Layout layout = {}) {
  return {id, ControlKind::Edit, "", rect, true, layout};
}
ControlTemplate List(int id, DluRect rect, Layout layout = {}) {
  return {id, ControlKind::ListView, "", rect, true, layout};
}
ControlTemplate Drop(int id, DluRect rect, Layout layout = {}) {
  return {id, ControlKind::DropList, "", rect, true, layout};
}
ControlTemplate CheckMenu(int id, std::string_view caption, DluRect rect, Layout layout = {}) {
  return {id, ControlKind::CheckMenu, std::string(caption), rect, true, layout};
}
ControlTemplate Check(int id, std::string_view caption, DluRect rect) {
  return {id, ControlKind::CheckBox, std::string(caption), rect, true, {}};
}
ControlTemplate Label(std::string_view text, DluRect rect, int id = -1, Layout layout = {}) {
  return {id, ControlKind::Label, std::string(text), rect, false, layout};
}
ControlTemplate Picture(int id, std::string path, DluRect rect) {
  return {id, ControlKind::Picture, std::move(path), rect, false, {}};
}

// The dynamic layouts the resizable dialogs use: a control that grows with the dialog both ways
// or across, or that keeps its place at the right, at the bottom, at the bottom right, or the
// bottom and grows across.
constexpr Layout kGrow{0, 0, 100, 100};
constexpr Layout kGrowAcross{0, 0, 100, 0};
constexpr Layout kRight{100, 0, 0, 0};
constexpr Layout kBottom{0, 100, 0, 0};
constexpr Layout kBottomRight{100, 100, 0, 0};
constexpr Layout kBottomAcross{0, 100, 100, 0};

platform::DialogTemplate Dialog(int id, std::string_view caption, int width, int height,
                                std::vector<ControlTemplate> controls, bool resizable = false) {
  return {id,
          std::string(caption),
          std::string(kDialogFont),
          9,
          width,
          height,
          std::move(controls),
          resizable};
}

}  // namespace

platform::DialogTemplate MakeAboutDialogTemplate() {
  return Dialog(kAboutDialogId, kAboutCaption, 255, 188,
                {
                    Picture(-1, ":/res/gradova-32.png", {11, 152, 20, 20}),
                    Label(kAboutVersion, {40, 152, 119, 8}),
                    Label(kAboutRights, {40, 162, 119, 8}),
                    Button(kAboutOkButton, kOkCaption, {198, 151, 50, 14}),
                    Label(gpa::kHomePageUrl, {40, 172, 88, 8}, kAboutHomeLink),
                    {kHelpTextBox, ControlKind::TextBox, "", {7, 6, 241, 141}, true, {}},
                });
}

platform::DialogTemplate MakeMainDialogTemplate() {
  return Dialog(kMainDialogId, kMainCaption, 440, 240,
                {
                    List(kCourseList, {7, 7, 360, 180}),
                    {-1, ControlKind::GroupBox, "", {7, 186, 361, 44}, false, {}},
                    // Tab goes as the eye reads: the fields left to right, the buttons beside
                    // them, then the column on the right from the top.
                    Edit(kNameEdit, {10, 208, 80, 16}),
                    Label(kNameLabel, {21, 196, 64, 10}),
                    Edit(kCreditsEdit, {94, 208, 20, 16}),
                    Label(kCreditsLabel, {96, 196, 16, 10}),
                    Edit(kScoreEdit, {117, 208, 20, 16}),
                    Label(kScoreLabel, {119, 196, 16, 10}),
                    Edit(kTermEdit, {141, 208, 56, 16}),
                    Label(kTermLabel, {145, 196, 52, 10}),
                    Edit(kCategoryEdit, {201, 208, 56, 16}),
                    Label(kCategoryLabel, {205, 196, 52, 10}),
                    Button(kAddModifyButton, kAddCaption, {261, 208, 32, 16}),
                    Button(kDeleteButton, kDeleteCaption, {295, 208, 32, 16}),
                    Button(kResetButton, kResetCaption, {329, 208, 32, 16}),
                    Button(kFromFileButton, kFromFileCaption, {375, 12, 50, 14}),
                    Button(kSaveCurrentButton, kSaveCurrentCaption, {375, 30, 50, 14}),
                    Button(kClearCurrentButton, kClearCurrentCaption, {375, 48, 50, 14}),
                    Button(kInstructionsButton, kInstructionsCaption, {375, 66, 50, 14}),
                    Button(kExitButton, kExitCaption, {375, 84, 50, 14}),
                    Button(kViewGpaButton, kViewGpaCaption, {375, 210, 50, 14}),
                    Picture(kHomeLinkPicture, ":/res/home_link.png", {374, 106, 53, 96}),
                });
}

platform::DialogTemplate MakeResultDialogTemplate() {
  return Dialog(kResultDialogId, kMainCaption, 480, 360,
                {
                    List(kResultList, {7, 7, 466, 312}, kGrow),
                    List(kTermList, {7, 7, 466, 312}, kGrow),
                    {kChartView, ControlKind::ChartView, "", {7, 7, 380, 312}, false, kGrow},
                    Drop(kChartRuleList, {393, 7, 80, 14}, kRight),
                    Button(kExportChartButton, kExportChartCaption, {393, 25, 80, 14}, kRight),
                    Label(kResultViewLabel, {7, 324, 20, 8}, -1, kBottom),
                    Drop(kResultViewList, {29, 322, 90, 14}, kBottom),
                    CheckMenu(kCategoryMenu, kCategoryMenuCaption, {125, 322, 60, 14}, kBottom),
                    Label(kTermRangeLabel, {191, 324, 18, 8}, -1, kBottom),
                    Drop(kFromTermList, {211, 322, 90, 14}, kBottom),
                    Label(kTermRangeTo, {305, 324, 10, 8}, -1, kBottom),
                    Drop(kToTermList, {317, 322, 90, 14}, kBottom),
                    Label("", {413, 324, 60, 8}, kEarnedCreditsLabel, kBottomAcross),
                    Button(kResultOkButton, kOkCaption, {7, 339, 50, 14}, kBottom),
                    Button(kCustomRulesButton, kCustomRulesCaption, {59, 339, 50, 14}, kBottom),
                    Button(kWriteReportButton, kWriteReportCaption, {111, 339, 50, 14}, kBottom),
                    Button(kTargetPlanButton, kTargetPlanCaption, {163, 339, 50, 14}, kBottom),
                    Button(kExportPdfButton, kExportPdfCaption, {215, 339, 50, 14}, kBottom),
                    Label(kMyRuleLabel, {271, 341, 32, 8}, -1, kBottom),
                    Drop(kMyRuleList, {305, 339, 90, 14}, kBottom),
                },
                true);
}

platform::DialogTemplate MakeRuleListDialogTemplate() {
  return Dialog(kRuleListDialogId, kRuleListCaption, 116, 184,
                {
                    List(kRuleList, {7, 7, 102, 137}),
                    Button(kRulesOkButton, kRuleOkCaption, {7, 163, 50, 14}),
                    Button(kAddDeleteRuleButton, kAddRuleCaption, {7, 148, 50, 14}),
                    Button(kRulesCancelButton, kRuleCancelCaption, {59, 163, 50, 14}),
                    Button(kViewDetailsButton, kViewDetailsCaption, {59, 148, 50, 14}),
                });
}

platform::DialogTemplate MakeRuleEditDialogTemplate() {
  return Dialog(kRuleEditDialogId, kRuleEditCaption, 254, 200,
                {
                    List(kBandList, {7, 7, 240, 144}),
                    Button(kAddBandButton, kAddBandCaption, {143, 152, 50, 14}),
                    Button(kUndoBandButton, kUndoBandCaption, {197, 152, 50, 14}),
                    Edit(kBandLowerEdit, {68, 152, 20, 14}),
                    Edit(kBandPointsEdit, {122, 152, 20, 14}),
                    Label(kBandTop, {9, 154, 13, 8}, kBandUpperLabel),
                    Label(kBandFirstLowerLabel, {26, 154, 40, 8}, kBandRelationLabel),
                    Label(kBandPointsLabel, {94, 154, 25, 8}),
                    Button(kEditorOkButton, kRuleOkCaption, {143, 179, 50, 14}),
                    Button(kEditorCancelButton, kRuleCancelCaption, {197, 179, 50, 14}),
                    Edit(kRuleNameEdit, {7, 179, 136, 14}),
                    Label(kRuleNameHint, {8, 168, 161, 8}, kRuleNameHintLabel),
                });
}

platform::DialogTemplate MakeTargetPlanDialogTemplate() {
  return Dialog(kTargetPlanDialogId, kTargetPlanCaption, 280, 180,
                {
                    Label(kTargetGpaLabel, {7, 9, 36, 10}),
                    Edit(kTargetGpaEdit, {45, 7, 40, 14}),
                    Label(kRemainingCreditsLabel, {95, 9, 36, 10}),
                    Edit(kRemainingCreditsEdit, {133, 7, 40, 14}),
                    Button(kPlanButton, kPlanCaption, {183, 7, 40, 14}),
                    List(kPlanList, {7, 27, 266, 128}),
                    Button(kPlanCloseButton, kCloseCaption, {223, 159, 50, 14}),
                });
}

platform::DialogTemplate MakePdfExportDialogTemplate() {
  return Dialog(kPdfExportDialogId, kExportPdfCaption, 230, 86,
                {
                    Label(kStudentNameLabel, {7, 9, 22, 8}),
                    Edit(kStudentNameEdit, {30, 7, 80, 14}),
                    Label(kStudentNumberLabel, {118, 9, 22, 8}),
                    Edit(kStudentNumberEdit, {141, 7, 82, 14}),
                    Label(kSchoolLabel, {7, 27, 22, 8}),
                    Edit(kSchoolEdit, {30, 25, 80, 14}),
                    Label(kMajorLabel, {118, 27, 22, 8}),
                    Edit(kMajorEdit, {141, 25, 82, 14}),
                    Label(kPdfRulesLabel, {7, 45, 22, 8}),
                    CheckMenu(kPdfRuleMenu, kPdfRuleMenuCaption, {30, 43, 80, 14}),
                    Check(kPdfByTermCheck, kPdfByTermCaption, {118, 45, 105, 10}),
                    Button(kPdfOkButton, kImportOkCaption, {118, 65, 50, 14}),
                    Button(kPdfCancelButton, kImportCancelCaption, {173, 65, 50, 14}),
                });
}

platform::DialogTemplate MakeImportDialogTemplate() {
  // The choices in each row of three share what the dialog gains across.
  constexpr Layout kFirstThird{0, 0, 33, 0};
  constexpr Layout kSecondThird{33, 0, 33, 0};
  constexpr Layout kLastThird{66, 0, 34, 0};
  return Dialog(
      kImportDialogId, kImportCaption, 440, 260,
      {
          Label(kImportNameLabel, {7, 9, 42, 8}),
          Drop(kImportNameList, {50, 7, 100, 14}, kFirstThird),
          Label(kImportCreditsLabel, {158, 9, 28, 8}, -1, {33, 0, 0, 0}),
          Drop(kImportCreditsList, {188, 7, 100, 14}, kSecondThird),
          Label(kImportGradeLabel, {296, 9, 28, 8}, -1, {66, 0, 0, 0}),
          Drop(kImportGradeList, {326, 7, 107, 14}, kLastThird),
          Label(kImportTermLabel, {7, 27, 42, 8}),
          Drop(kImportTermList, {50, 25, 100, 14}, kFirstThird),
          Label(kImportCategoryLabel, {158, 27, 28, 8}, -1, {33, 0, 0, 0}),
          Drop(kImportCategoryList, {188, 25, 100, 14}, kSecondThird),
          Label(kImportRetakeLabel, {296, 27, 36, 8}, -1, {66, 0, 0, 0}),
          Drop(kImportRetakeList, {334, 25, 99, 14}, kLastThird),
          Label(kImportPointsLabel, {7, 45, 42, 8}),
          Drop(kImportPointsList, {50, 43, 100, 14}, kFirstThird),
          Label(kImportGradeMapLabel, {7, 63, 42, 8}),
          Edit(kImportGradeMapEdit, {50, 61, 383, 14}, kGrowAcross),
          List(kImportPreviewList, {7, 81, 426, 150}, kGrow),
          Label("", {7, 241, 316, 8}, kImportSummaryLabel, kBottomAcross),
          Button(kImportOkButton, kImportOkCaption, {328, 238, 50, 14}, kBottomRight),
          Button(kImportCancelButton, kImportCancelCaption, {383, 238, 50, 14}, kBottomRight),
      },
      true);
}

}  // namespace gradova::ui
