#pragma once
#include "platform/qt/dialog_template.h"

namespace gradova::ui {

// Template 100: the About and instructions dialog.
platform::DialogTemplate MakeAboutDialogTemplate();

// Template 102: the main window.
platform::DialogTemplate MakeMainDialogTemplate();

// Template 129: the results window.
platform::DialogTemplate MakeResultDialogTemplate();

// Template 131: the rule manager.
platform::DialogTemplate MakeRuleListDialogTemplate();

// Template 133: the rule editor.
platform::DialogTemplate MakeRuleEditDialogTemplate();

// The target planner, opened from the results window.
platform::DialogTemplate MakeTargetPlanDialogTemplate();

// 导出PDF's questions, asked before the PDF is written.
platform::DialogTemplate MakePdfExportDialogTemplate();

// Template 135: the transcript import.
platform::DialogTemplate MakeImportDialogTemplate();

}  // namespace gradova::ui
