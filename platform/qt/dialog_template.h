#pragma once
// A dialog described as data: its caption, font and size, and its controls in template order
// (which is also the tab order), every rectangle in dialog units.
#include <string>
#include <vector>

namespace gradova::platform {

// TextBox is a read-only, multi-line edit that wraps its lines and scrolls vertically; DropList a
// list to choose one entry from, shown as a button that drops it down.
// CheckMenu: a button whose menu ticks any number of entries (platform/qt/check_menu.h).
// ChartView: a line chart that only shows (platform/qt/chart_view.h).
enum class ControlKind {
  ListView,
  GroupBox,
  Edit,
  TextBox,
  Label,
  PushButton,
  Picture,
  DropList,
  CheckMenu,
  ChartView,
  CheckBox
};

struct DluRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// How a control follows a resizable dialog that is made larger than its template: of what the
// dialog gains in width and height, in percent, the control moves right by `moveX` and down by
// `moveY`, and grows wider by `sizeX` and taller by `sizeY` (as a dynamic layout has it). All 0
// keeps the control where the template puts it; a control that moves or grows by 100 keeps its
// distance to the right or bottom edge.
struct DynamicLayout {
  int moveX = 0;
  int moveY = 0;
  int sizeX = 0;
  int sizeY = 0;
};

struct ControlTemplate {
  int id = -1;  // -1 for controls that nothing refers to
  ControlKind kind = ControlKind::Label;
  std::string text;  // GBK; for a picture, the path of its image resource (":/...")
  DluRect rect;
  bool tabStop = false;
  DynamicLayout layout;
};

struct DialogTemplate {
  int id = 0;
  std::string caption;   // GBK
  std::string fontFace;  // GBK
  int fontPointSize = 9;
  int width = 0;  // dialog units
  int height = 0;
  std::vector<ControlTemplate> controls;
  // A sizing border and a maximise box, the template's size the least the dialog can have; it
  // opens at the size it was last left at in this run of the program.
  bool resizable = false;
};

}  // namespace gradova::platform
