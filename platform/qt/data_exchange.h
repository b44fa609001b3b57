#pragma once
// The text exchange between a dialog's controls and its members, as DoDataExchange lists them.
#include <string>

class QWidget;

namespace gradova::platform {

class Dialog;

// One direction of a text exchange, as UpdateData(TRUE) or UpdateData(FALSE) runs it.
class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool save) : m_dialog(dialog), m_save(save) {}
  bool Saving() const { return m_save; }
  // The text of an edit, label or button caption and a GBK member.
  void Text(int id, std::string& member);
  // The chosen entry of a drop list (0-based; -1 for none) and an int member; setting it sends no
  // notification.
  void Index(int id, int& member);
  // Binds a control wrapper (the list control, the hyperlink) to its widget, once.
  template <typename Wrapper>
  void Control(int id, Wrapper& wrapper) {
    if (QWidget* widget = FirstBinding(id)) wrapper.Attach(widget);
  }

 private:
  // The control `id` the first time it is bound; null every later time.
  QWidget* FirstBinding(int id);

  Dialog& m_dialog;
  bool m_save;
};

}  // namespace gradova::platform
