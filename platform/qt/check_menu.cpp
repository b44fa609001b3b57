#include "platform/qt/check_menu.h"

#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>

#include "platform/qt/gbk_text.h"

namespace gradova::platform {

QWidget* MakeCheckMenu(QWidget* parent, const std::string& captionGbk,
                       std::function<void()> onChange) {
  auto* button = new QToolButton(parent);
  button->setText(FromGbk(captionGbk));
  button->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(button);
  QObject::connect(menu, &QMenu::triggered, button,
                   [onChange = std::move(onChange)] { onChange(); });
  button->setMenu(menu);
  return button;
}

void SetCheckMenuItems(QWidget* menu, const std::vector<std::string>& itemsGbk) {
  QMenu* entries = static_cast<QToolButton*>(menu)->menu();
  const QSignalBlocker quiet(entries);
  entries->clear();
  for (const std::string& item : itemsGbk) {
    QAction* action = entries->addAction(FromGbk(item));
    action->setCheckable(true);
    action->setChecked(true);
  }
}

void SetCheckedItems(QWidget* menu, const std::vector<bool>& checked) {
  QMenu* entries = static_cast<QToolButton*>(menu)->menu();
  const QSignalBlocker quiet(entries);
  const QList<QAction*> actions = entries->actions();
  for (qsizetype i = 0; i < actions.size(); ++i)
    actions[i]->setChecked(static_cast<std::size_t>(i) < checked.size() && checked[i]);
}

std::vector<bool> CheckedItems(const QWidget* menu) {
  std::vector<bool> checked;
  for (const QAction* action : static_cast<const QToolButton*>(menu)->menu()->actions()) {
    checked.push_back(action->isChecked());
  }
  return checked;
}

}  // namespace gradova::platform
