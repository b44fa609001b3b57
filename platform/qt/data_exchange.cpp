#include "platform/qt/data_exchange.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/qt/dialog.h"
#include "platform/qt/gbk_text.h"

namespace gradova::platform {
namespace {

// Writes a control's text only when it changes, as the framework's text exchange does, so that
// an exchange in the middle of typing leaves the caret and selection where they are.
template <typename Widget, typename Get, typename Set>
void ExchangeText(Widget& widget, std::string& member, bool save, Get get, Set set) {
  if (save) {
    member = ToGbk(get(widget));
    return;
  }
  const QString text = FromGbk(member);
  if (get(widget) != text) set(widget, text);
}

}  // namespace

void DataExchange::Text(int id, std::string& member) {
  QWidget* widget = m_dialog.Item(id);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    ExchangeText(
        *edit, member, m_save, [](QLineEdit& w) { return w.text(); },
        [](QLineEdit& w, const QString& text) { w.setText(text); });
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
    // The text box shows lines; members keep the CR LF line ends.
    ExchangeText(
        *box, member, m_save,
        [](QPlainTextEdit& w) {
          return w.toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        },
        [](QPlainTextEdit& w, const QString& text) {
          w.setPlainText(QString(text).remove(QLatin1Char('\r')));
        });
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    ExchangeText(
        *button, member, m_save, [](QPushButton& w) { return w.text(); },
        [](QPushButton& w, const QString& text) { w.setText(text); });
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    ExchangeText(
        *label, member, m_save, [](QLabel& w) { return w.text(); },
        [](QLabel& w, const QString& text) { w.setText(text); });
  }
}

void DataExchange::Index(int id, int& member) {
  if (auto* list = qobject_cast<QComboBox*>(m_dialog.Item(id))) {
    if (m_save) {
      member = list->currentIndex();
    } else if (list->currentIndex() != member) {
      const QSignalBlocker quiet(list);
      list->setCurrentIndex(member);
    }
  }
}

QWidget* DataExchange::FirstBinding(int id) {
  bool& bound = m_dialog.m_boundControls[id];
  if (bound) return nullptr;
  bound = true;
  return m_dialog.Item(id);
}

}  // namespace gradova::platform
