#pragma once
// A dialog described as data: its caption, font and size, and its controls in template order
// (which is also the tab order), every rectangle in dialog units.
#include <string>
#include <vector>

namespace gradova::platform {

// TextBox is a read-only, multi-line edit that wraps its lines and scrolls vertically; DropList a
// list to choose one entry from, shown as a button that drops it down.
enum class ControlKind { ListView, GroupBox, Edit, TextBox, Label, PushButton, Picture, DropList };

struct DluRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ControlTemplate {
  int id = -1;  // -1 for controls that nothing refers to
  ControlKind kind = ControlKind::Label;
  std::string text;  // GBK; for a picture, the path of its image resource (":/...")
  DluRect rect;
  bool tabStop = false;
};

struct DialogTemplate {
  int id = 0;
  std::string caption;   // GBK
  std::string fontFace;  // GBK
  int fontPointSize = 9;
  int width = 0;  // dialog units
  int height = 0;
  std::vector<ControlTemplate> controls;
};

}  // namespace gradova::platform
