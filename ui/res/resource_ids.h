#pragma once
// Ids of the dialog templates and their controls.

namespace gradova::ui {

enum DialogId : int {
  kAboutDialogId = 100,
  kMainDialogId = 102,
  kResultDialogId = 129,
  kRuleListDialogId = 131,
  kRuleEditDialogId = 133,
  kImportDialogId = 135,
  kTargetPlanDialogId = 137,
  kPdfExportDialogId = 139,
};

enum MainControlId : int {
  kCourseList = 1000,
  kNameEdit = 1001,
  kCreditsEdit = 1002,
  kScoreEdit = 1003,
  kAddModifyButton = 1004,
  kFromFileButton = 1005,
  kResetButton = 1006,
  kDeleteButton = 1007,
  kSaveCurrentButton = 1008,
  kViewGpaButton = 1009,
  kClearCurrentButton = 1010,
  kInstructionsButton = 1011,
  kExitButton = 1012,
  kTermEdit = 1013,
  kCategoryEdit = 1014,
  kHomeLinkPicture = 1031,
};

enum AboutControlId : int {
  kAboutOkButton = 1,
  kHelpTextBox = 1017,
  kAboutHomeLink = 1032,
};

enum ResultControlId : int {
  kResultList = 1006,
  kResultOkButton = 1018,
  kCustomRulesButton = 1019,
  kWriteReportButton = 1020,
  kTargetPlanButton = 1021,
  kExportPdfButton = 1022,
  kTermList = 1070,
  kResultViewList = 1071,
  kCategoryMenu = 1072,
  kFromTermList = 1073,
  kToTermList = 1074,
  kEarnedCreditsLabel = 1075,
  kMyRuleList = 1076,
  kChartView = 1077,
  kChartRuleList = 1078,
  kExportChartButton = 1079,
};

enum TargetPlanControlId : int {
  kTargetGpaEdit = 1040,
  kRemainingCreditsEdit = 1041,
  kPlanButton = 1042,
  kPlanList = 1043,
  kPlanCloseButton = 1044,
};

enum PdfExportControlId : int {
  kPdfOkButton = 1,
  kPdfCancelButton = 2,
  kStudentNameEdit = 1090,
  kStudentNumberEdit = 1091,
  kSchoolEdit = 1092,
  kMajorEdit = 1093,
  kPdfRuleMenu = 1094,
  kPdfByTermCheck = 1095,
};

enum RuleListControlId : int {
  kRulesOkButton = 1018,
  kRuleList = 1020,
  kAddDeleteRuleButton = 1023,
  kRulesCancelButton = 1024,
  kViewDetailsButton = 1025,
};

enum RuleEditControlId : int {
  kEditorCancelButton = 2,
  kBandLowerEdit = 1003,
  kBandList = 1023,
  kAddBandButton = 1024,
  kUndoBandButton = 1025,
  kBandPointsEdit = 1026,
  kBandUpperLabel = 1027,
  kEditorOkButton = 1028,
  kRuleNameEdit = 1029,
  kBandRelationLabel = 1030,
  kRuleNameHintLabel = 1031,
};

enum ImportControlId : int {
  kImportOkButton = 1,
  kImportCancelButton = 2,
  kImportNameList = 1040,
  kImportCreditsList = 1041,
  kImportGradeList = 1042,
  kImportRetakeList = 1043,
  kImportGradeMapEdit = 1044,
  kImportPreviewList = 1045,
  kImportSummaryLabel = 1046,
  kImportTermList = 1047,
  kImportCategoryList = 1048,
  kImportPointsList = 1049,
};

// The system menu's About entry; every command from 16 to 31 reaches the About dialog.
inline constexpr int kAboutCommand = 16;

}  // namespace gradova::ui
