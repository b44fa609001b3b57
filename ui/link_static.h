#pragma once
// The hyperlink: a label of a dialog template that opens a web address when it is clicked, shows
// a tool tip over itself and the pointing hand while the pointer is over it. It draws nothing of
// its own; the label paints its text or picture the same in every state.
//
// Order expected of an owner: hold the control as a member, bind it with DataExchange::Control
// (the first data exchange), then, after that, call SetTarget and then SetHintText.
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <string>

class QEvent;
class QHelpEvent;

namespace gradova::ui {

class CLinkStatic : public QObject {
 public:
  // Binds to the template's label, once: the label gets mouse moves without a button held and
  // its clicks come here, it shows the pointing hand, and the tool tip is registered over its
  // client area as it is now, with the hint text, or the target if the hint text is empty. A
  // null widget, one that is not a QLabel, or a second call leaves the binding as it was.
  void Attach(QWidget* widget);

  // Sets the address (GBK) that a click opens. Once bound it also fits the label to its client
  // area and, while the hint text is empty, makes the address the hint text. Before binding only
  // the address changes.
  void SetTarget(std::string addressGbk);
  // Sets the tool-tip text (GBK). Once bound it also fits the label to its client area.
  void SetHintText(std::string textGbk);

  const std::string& HintText() const { return m_hintText; }
  // True after a click that opened the address, false after one that failed.
  bool Opened() const { return m_opened; }
  // The pointer is over the label's client area (not its border).
  bool PointerInside() const { return m_pointerInside; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnStaticClicked();
  // Enters or leaves the hover state, redrawing the label on a change.
  void OnHover(bool inside);
  void OnToolTip(QHelpEvent& event);
  // Sets the bound label's size to that of its client area; which edges stay put follows the
  // alignment: a centred label shrinks on both sides, a right-aligned one keeps its right edge.
  void FitToClient();
  // A code above 32 when the address went to a browser, else the error code for the message.
  int OpenTarget(const std::string& addressGbk);

  bool m_pointerInside = false;
  bool m_opened = false;
  std::string m_target;
  std::string m_hintText;
  QPointer<QLabel> m_label;
  // Where the tool tip shows, in the label's coordinates: its client area at binding, not moved
  // by later fits.
  QRect m_toolRect;
  bool m_pressed = false;
};

}  // namespace gradova::ui
