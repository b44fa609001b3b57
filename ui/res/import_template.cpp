#include "ui/res/import_template.h"

#include "ui/res/import_texts.h"
#include "ui/res/resource_ids.h"
#include "ui/res/ui_texts.h"

namespace gradova::ui {

using platform::ControlKind;
using platform::ControlTemplate;

platform::DialogTemplate MakeImportDialogTemplate() {
  constexpr bool kTab = true;
  const auto label = [](std::string_view text, platform::DluRect rect) {
    return ControlTemplate{-1, ControlKind::Label, std::string(text), rect, false};
  };
  const auto drop = [](int id, platform::DluRect rect) {
    return ControlTemplate{id, ControlKind::DropList, "", rect, true};
  };
  return {
      kImportDialogId,
      std::string(kImportCaption),
      std::string(kDialogFont),
      9,
      360,
      250,
      {
          label(kImportNameLabel, {7, 9, 42, 8}),
          drop(kImportNameList, {50, 7, 70, 14}),
          label(kImportCreditsLabel, {128, 9, 28, 8}),
          drop(kImportCreditsList, {158, 7, 70, 14}),
          label(kImportGradeLabel, {236, 9, 28, 8}),
          drop(kImportGradeList, {266, 7, 87, 14}),
          label(kImportRetakeLabel, {7, 27, 42, 8}),
          drop(kImportRetakeList, {50, 25, 70, 14}),
          label(kImportGradeMapLabel, {128, 27, 36, 8}),
          ControlTemplate{kImportGradeMapEdit, ControlKind::Edit, "", {166, 25, 187, 14}, kTab},
          ControlTemplate{kImportPreviewList, ControlKind::ListView, "", {7, 45, 346, 176}, kTab},
          ControlTemplate{kImportSummaryLabel, ControlKind::Label, "", {7, 231, 236, 8}, false},
          ControlTemplate{kImportOkButton,
                          ControlKind::PushButton,
                          std::string(kImportOkCaption),
                          {248, 228, 50, 14},
                          kTab},
          ControlTemplate{kImportCancelButton,
                          ControlKind::PushButton,
                          std::string(kImportCancelCaption),
                          {303, 228, 50, 14},
                          kTab},
      },
  };
}

}  // namespace gradova::ui
