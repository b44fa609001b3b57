#pragma once
// A dialog built from a template, with the framework services the dialog classes rely on:
// controls by id, text exchange with GBK members, handlers bound by id and notification, and
// modal runs that end with a result.
#include <QDialog>
#include <QHash>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/qt/dialog_template.h"

class QMenu;

namespace gradova::platform {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// SelectionChange: another entry of a drop list chosen, by the user or a program, but not by the
// text exchange.
enum class Notification { Clicked, ListClick, EditChange, SelectionChange };

class Dialog;

// One direction of the text exchange between a dialog's controls and its members, as
// UpdateData(TRUE) or UpdateData(FALSE) runs DoDataExchange.
class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool save) : m_dialog(dialog), m_save(save) {}
  // The text of an edit, text box, label or button caption and a GBK member. A control's text is
  // written only when it changes, so that an exchange in the middle of typing leaves the caret
  // and selection where they are.
  void Text(int id, std::string& member);
  // The chosen entry of a drop list (0-based; -1 for none) and an int member; setting it sends no
  // notification.
  void Index(int id, int& member);
  // Whether a check box is ticked and a bool member.
  void Check(int id, bool& member);
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

class Dialog : public QDialog {
 public:
  // Test seam: when set, DoModal initialises the dialog, shows it and hands it to this function
  // instead of running an event loop; the function answers it (clicks, EndDialog) and DoModal
  // returns the result the dialog ended with, or 0 if it did not end.
  using ModalRunner = std::function<void(Dialog&)>;
  static void SetModalRunnerForTesting(ModalRunner runner);

  Dialog(const DialogTemplate& dialogTemplate, QWidget* parent);

  // Initialises the dialog (OnInitDialog) and runs it modally; returns the EndDialog result.
  int DoModal();
  // Initialises and shows the dialog without a loop of its own (for tests and embedding).
  void Create();
  void EndDialog(int result);
  bool Ended() const { return m_ended; }
  int Result() const { return m_result; }

  QWidget* Item(int id) const { return m_items.value(id); }
  // The entries appended to the system menu (for tests).
  QMenu* SystemMenu() const { return m_systemMenu; }
  template <typename Widget>
  Widget* ItemAs(int id) const {
    return qobject_cast<Widget*>(Item(id));
  }
  void EnableItem(int id, bool enabled);
  // Replaces the entries of the drop list `id`; none is chosen after it, and no notification is
  // sent.
  void SetDropListItems(int id, const std::vector<std::string>& itemsGbk);
  // Runs DoDataExchange: controls to members when `save`, members to controls otherwise.
  void UpdateData(bool save);
  const DialogTemplate& Template() const { return m_template; }

 protected:
  virtual void DoDataExchange(DataExchange&) {}
  // Runs the first UpdateData(FALSE). Return true to let the first tab stop take the focus.
  virtual bool OnInitDialog();
  // Enter while no push button has the focus (Enter on one presses it): reads the controls and
  // ends with 1. Dialogs that must not end on Enter override it.
  virtual void OnOK();
  // Escape or the close box: ends with 0.
  virtual void OnCancel();

  // The message map: the handler of a notification from the control `id`.
  void Bind(int id, Notification notification, std::function<void()> handler);
  // What a control sends: a button click, a list click (also a move of the list's current row by
  // the keyboard), an edit change. Clicks on buttons 1 and 2 without a handler of their own reach
  // OnOK and OnCancel.
  void Notify(int id, Notification notification);

  // The system menu. Linux window managers keep the title bar's menu to themselves, so the
  // program's own entries appear in the context menu of the dialog's background.
  void AppendSystemMenuSeparator();
  void AppendSystemMenuItem(int command, std::string_view textGbk);
  // A command from the system menu.
  virtual void OnSysCommand(int /*command*/) {}

  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // A resizable dialog lays its controls out anew, and remembers its size when it closes.
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // Escape and the close box reach OnCancel through it.
  void reject() override;

 private:
  friend class DataExchange;
  struct Placement {
    QWidget* widget;
    QRect rect;  // at the template's size
    DynamicLayout layout;
  };

  void BuildControls();
  // Places every control by its dynamic layout for what the dialog has grown past its template.
  void LayOut();
  void Initialise();
  // Dialog units to pixels, as Windows converts them for the template's font: a horizontal unit
  // is a quarter of the average character width, a vertical one an eighth of the character
  // height, both taken from the font's em as 宋体 has them (for 9 points at 96 dpi, 1.5 pixels
  // each way).
  QRect DluToPixels(const DluRect& rect) const;

  DialogTemplate m_template;
  QHash<int, QWidget*> m_items;
  std::map<std::pair<int, Notification>, std::function<void()>> m_handlers;
  std::set<int> m_boundControls;
  std::vector<Placement> m_placements;
  QMenu* m_systemMenu = nullptr;
  bool m_ended = false;
  int m_result = 0;
};

}  // namespace gradova::platform
