#pragma once
// A button whose menu holds a check box per entry: a choice of any number of entries, all of
// them by default, in the room of one button.
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace gradova::platform {

// The button, captioned `captionGbk`; `onChange` runs whenever an entry is ticked or cleared.
QWidget* MakeCheckMenu(QWidget* parent, const std::string& captionGbk,
                       std::function<void()> onChange);
// Replaces the entries of the check menu `menu`, every one ticked; sends no change.
void SetCheckMenuItems(QWidget* menu, const std::vector<std::string>& itemsGbk);
// Ticks the entries of `checked`, in order, and clears the others; sends no change.
void SetCheckedItems(QWidget* menu, const std::vector<bool>& checked);
// Whether each entry, in order, is ticked.
std::vector<bool> CheckedItems(const QWidget* menu);

}  // namespace gradova::platform
