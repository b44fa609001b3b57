#include "platform/qt/list_view.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace gradova::platform {

ListView::ListView(QWidget* parent, std::function<void()> onClick)
    : QTreeView(parent), m_onClick(std::move(onClick)) {}

void ListView::keyPressEvent(QKeyEvent* event) {
  // With no row selected, the first Down takes the first row, as Windows' list does; Qt would
  // start from whatever row it last made current, which the user cannot see.
  if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier &&
      selectionModel()->selectedRows().isEmpty() && model()->rowCount() > 0) {
    setCurrentIndex(model()->index(0, 0));
    m_onClick();
    return;
  }
  const int before = currentIndex().row();
  QTreeView::keyPressEvent(event);
  if (currentIndex().row() != before) m_onClick();
}

void ListView::mousePressEvent(QMouseEvent* event) {
  QTreeView::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid()) {
    setCurrentIndex(QModelIndex());
  }
}

void ListView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) m_onClick();
}

}  // namespace gradova::platform
