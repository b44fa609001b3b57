#include "platform/qt/list_panes.h"

#include <QAbstractProxyModel>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>

#include "platform/qt/list_control.h"

namespace gradova::platform {
namespace {

// The last `count` rows of a flat model. The pane that shows them lays out only these, where a
// second view of the whole list would lay out every one of a million rows again; being few, they
// start over at every change of the list.
class TailModel : public QAbstractProxyModel {
 public:
  TailModel(QAbstractItemModel* source, int count, QObject* parent)
      : QAbstractProxyModel(parent), m_count(count) {
    setSourceModel(source);
    const auto restart = [this] {
      beginResetModel();
      endResetModel();
    };
    connect(source, &QAbstractItemModel::modelReset, this, restart);
    connect(source, &QAbstractItemModel::layoutChanged, this, restart);
    connect(source, &QAbstractItemModel::dataChanged, this, restart);
    connect(source, &QAbstractItemModel::rowsInserted, this, restart);
    connect(source, &QAbstractItemModel::rowsRemoved, this, restart);
    connect(source, &QAbstractItemModel::columnsInserted, this, restart);
    connect(source, &QAbstractItemModel::columnsRemoved, this, restart);
  }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override {
    return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
  }
  QModelIndex parent(const QModelIndex&) const override { return {}; }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : std::min(m_count, sourceModel()->rowCount());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : sourceModel()->columnCount();
  }
  QModelIndex mapToSource(const QModelIndex& index) const override {
    return index.isValid() ? sourceModel()->index(First() + index.row(), index.column())
                           : QModelIndex();
  }
  QModelIndex mapFromSource(const QModelIndex& source) const override {
    return source.isValid() ? index(source.row() - First(), source.column()) : QModelIndex();
  }

 private:
  int First() const { return sourceModel()->rowCount() - rowCount(); }

  int m_count;
};

// A pane that only shows: the view under it keeps the focus, and scrolls only as that view does.
void MakeStill(QTreeView* pane) {
  pane->setFocusPolicy(Qt::NoFocus);
  pane->setFrameShape(QFrame::NoFrame);
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// Keeps the columns of `pane` as wide as those of `view`, and only the first one shown when
// `firstOnly`; also after the pane's model starts over, which makes its columns anew.
void FollowColumns(QTreeView* view, QTreeView* pane, bool firstOnly) {
  const auto follow = [view, pane, firstOnly] {
    for (int column = 0; column < pane->model()->columnCount(); ++column) {
      pane->setColumnHidden(column, firstOnly && column > 0);
      pane->header()->resizeSection(column, view->header()->sectionSize(column));
    }
  };
  follow();
  QObject::connect(view->header(), &QHeaderView::sectionResized, pane, follow);
  QObject::connect(pane->model(), &QAbstractItemModel::modelReset, pane, follow);
  QObject::connect(pane->model(), &QAbstractItemModel::columnsInserted, pane, follow);
}

// The first column of a view drawn over it while it is scrolled sideways. The pane's header is
// the one the user sees for that column, so a width dragged there is the view's. The pane is made
// at the first scroll sideways: a second view of a list lays out every one of its rows again.
class FrozenColumn : public QObject {
 public:
  explicit FrozenColumn(QTreeView* view) : QObject(view), m_view(view), m_rows(view->viewport()) {
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &FrozenColumn::Place);
    connect(view->header(), &QHeaderView::sectionResized, this, &FrozenColumn::Place);
    m_rows->installEventFilter(this);
  }

 protected:
  // By the event first: the view is gone by the time its rows see their last events.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize && watched == m_rows) Place();
    if (event->type() == QEvent::MouseButtonPress && watched != m_rows &&
        m_view->focusPolicy() != Qt::NoFocus) {
      m_view->setFocus(Qt::MouseFocusReason);
    }
    return false;
  }

 private:
  void MakePane() {
    m_pane = MakeListPane(m_view);
    MakeStill(m_pane);
    m_pane->setHeaderHidden(m_view->isHeaderHidden());
    m_pane->setVerticalScrollMode(m_view->verticalScrollMode());
    FollowColumns(m_view, m_pane, true);
    connect(m_pane->header(), &QHeaderView::sectionResized, m_view,
            [view = m_view](int column, int, int size) {
              if (column == 0) view->header()->resizeSection(0, size);
            });
    // Both show the same rows: the wheel may turn over either.
    QScrollBar* rows = m_view->verticalScrollBar();
    QScrollBar* paneRows = m_pane->verticalScrollBar();
    paneRows->setValue(rows->value());
    connect(rows, &QScrollBar::valueChanged, paneRows, &QScrollBar::setValue);
    connect(paneRows, &QScrollBar::valueChanged, rows, &QScrollBar::setValue);
    connect(paneRows, &QScrollBar::rangeChanged, rows,
            [rows, paneRows] { paneRows->setValue(rows->value()); });
    m_pane->viewport()->installEventFilter(this);
  }

  // Over the view's header and rows, at their left; the header, if shown, is above the rows.
  void Place() {
    const bool shown = m_view->horizontalScrollBar()->value() > 0;
    if (!m_pane && !shown) return;
    if (!m_pane) MakePane();
    const QRect rows = m_rows->geometry();
    const int top = m_view->frameWidth();
    m_pane->setGeometry(rows.left(), top, std::min(m_view->columnWidth(0), rows.width()),
                        rows.bottom() + 1 - top);
    m_pane->setVisible(shown);
  }

  QTreeView* m_view;
  QWidget* m_rows;  // the view's viewport
  QTreeView* m_pane = nullptr;
};

// The last rows of a view drawn at its bottom while any of them is out of view; with the view
// scrolled to its end they are in view in their own place, and the pane gives way.
class FrozenRows : public QObject {
 public:
  FrozenRows(QTreeView* view, int count)
      : QObject(view), m_view(view), m_count(count), m_pane(MakeListView(view, [] {})) {
    m_pane->setModel(new TailModel(view->model(), count, m_pane));
    MakeStill(m_pane);
    m_pane->setHeaderHidden(true);
    m_pane->setSelectionMode(QAbstractItemView::NoSelection);
    FollowColumns(view, m_pane, false);
    QScrollBar* across = view->horizontalScrollBar();
    QScrollBar* paneAcross = m_pane->horizontalScrollBar();
    connect(across, &QScrollBar::valueChanged, paneAcross, &QScrollBar::setValue);
    connect(paneAcross, &QScrollBar::rangeChanged, across,
            [across, paneAcross] { paneAcross->setValue(across->value()); });
    connect(across, &QScrollBar::valueChanged, this, &FrozenRows::Place);
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, &FrozenRows::Place);
    connect(view->verticalScrollBar(), &QScrollBar::rangeChanged, this, &FrozenRows::Place);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrozenRows::UncoverCurrent);
    view->viewport()->installEventFilter(this);
    new FrozenColumn(m_pane);
    Place();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) Place();
    return false;
  }

 private:
  // The rows' top and bottom in the view's rows, as the view now lays them out.
  std::pair<int, int> Span() const {
    const QAbstractItemModel* model = m_view->model();
    const int rows = model->rowCount();
    return {m_view->visualRect(model->index(rows - m_count, 0)).top(),
            m_view->visualRect(model->index(rows - 1, 0)).bottom()};
  }

  void Place() {
    if (m_view->model()->rowCount() < m_count) {
      m_pane->hide();
      return;
    }
    const QRect rows = m_view->viewport()->geometry();
    const auto [top, bottom] = Span();
    const int height = bottom + 1 - top;
    m_pane->setGeometry(rows.left(), rows.bottom() + 1 - height, rows.width(), height);
    m_pane->setVisible(top < 0 || bottom >= rows.height());
    m_pane->raise();  // over the first column's pane, made at a scroll sideways; it has its own
  }

  // After the view has scrolled a row made current into view, perhaps under the pane.
  void UncoverCurrent(const QModelIndex& current) {
    if (!m_pane->isVisible() || !current.isValid()) return;
    const QRect row = m_view->visualRect(current);
    const int covered = row.bottom() + 1 - (m_view->viewport()->height() - m_pane->height());
    if (covered <= 0 || row.height() <= 0) return;
    const bool byRow = m_view->verticalScrollMode() == QAbstractItemView::ScrollPerItem;
    QScrollBar* rows = m_view->verticalScrollBar();
    rows->setValue(rows->value() + (byRow ? (covered + row.height() - 1) / row.height() : covered));
  }

  QTreeView* m_view;
  int m_count;
  QTreeView* m_pane;
};

}  // namespace

void FreezePanes(QTreeView* view, int lastRows) {
  new FrozenColumn(view);
  if (lastRows > 0) new FrozenRows(view, lastRows);
}

}  // namespace gradova::platform
