#pragma once
// The cells of a list view that show their text cut short, with an ellipsis, show it whole in a
// tool tip; a cell that shows all of its text has none. Whether a cell is cut is measured only
// when the tool tip is asked for, so a list of millions of rows costs nothing more to draw.
#include <QStyledItemDelegate>

namespace gradova::platform {

class CutTextTips : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;
};

}  // namespace gradova::platform
