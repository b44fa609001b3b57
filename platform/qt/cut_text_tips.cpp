#include "platform/qt/cut_text_tips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

namespace gradova::platform {

bool CutTextTips::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                            const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event->type() != QEvent::ToolTip || !index.isValid()) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  // The room the style needs for the whole text, margins included, against the cell's width.
  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty() || sizeHint(option, index).width() <= option.rect.width()) {
    QToolTip::hideText();
    return true;
  }
  // A course name may look like markup; the tip shows it as typed.
  QToolTip::showText(event->globalPos(),
                     Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text,
                     view->viewport(), option.rect);
  return true;
}

}  // namespace gradova::platform
