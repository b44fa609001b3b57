#pragma once
#include <QIcon>

namespace gradova::ui {

// Icon 128: the program's icon in every size it is drawn at.
QIcon ApplicationIcon();

}  // namespace gradova::ui
