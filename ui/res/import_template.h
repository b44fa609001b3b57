#pragma once
#include "platform/qt/dialog_template.h"

namespace gradova::ui {

// Template 135: the transcript import.
platform::DialogTemplate MakeImportDialogTemplate();

}  // namespace gradova::ui
