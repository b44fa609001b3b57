#include "platform/qt/list_control.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QToolTip>
#include <QTreeView>
#include <cmath>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "platform/qt/gbk_text.h"

namespace gradova::platform {

namespace {

// Laying out a cell's text takes time in its whole length at every paint, and a course file may
// hold a name of megabytes, which froze the window for seconds at each repaint. No column is wide
// enough for more than a few hundred characters, so the view is given the first kShownChars of a
// cell and an ellipsis; the cell itself keeps its whole text.
constexpr qsizetype kShownChars = 259;
// A GBK character takes at most two bytes, so a longer cell gives more than kShownChars from this
// prefix.
constexpr std::size_t kShownPrefixBytes = 2 * kShownChars + 2;

QString ShownText(std::string_view cellGbk) {
  QString shown = FromGbk(cellGbk.substr(0, kShownPrefixBytes));
  if (shown.size() > kShownChars) {
    shown.truncate(kShownChars);
    shown += QChar(0x2026);
  }
  return shown;
}

class ListView : public QTreeView {
 public:
  ListView(QWidget* parent, std::function<void()> onClick)
      : QTreeView(parent), m_onClick(std::move(onClick)) {}
  const std::function<void()>& OnClick() const { return m_onClick; }
  // Rows are chosen whole, so a row is brought into view by scrolling up or down only: a list
  // scrolled sideways stays where the user put it as the keyboard moves through the rows.
  void scrollTo(const QModelIndex& index, ScrollHint hint) override {
    const int across = horizontalScrollBar()->value();
    QTreeView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(across);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
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
  void mousePressEvent(QMouseEvent* event) override {
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid()) {
      setCurrentIndex(QModelIndex());
    }
  }
  // Reports the click once the press has updated the selection.
  void mouseReleaseEvent(QMouseEvent* event) override {
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) m_onClick();
  }

 private:
  std::function<void()> m_onClick;
};

// Titles at the left, and sections sized by the header's own font, as a list view's header is.
// The toolkit's header sizes its sections with a bold copy of the font, so that a highlighted
// section never needs more room; that loads a second face, which for a CJK font is a large part
// of showing the first window, for a highlight these lists never use.
class ListHeader : public QHeaderView {
 public:
  explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }

 protected:
  QSize sectionSizeFromContents(int logicalIndex) const override {
    if (!model() || isSectionHidden(logicalIndex)) return {};
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = logicalIndex;
    option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    option.fontMetrics = fontMetrics();
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
  }
};

// The frame at a fractional scale. A frame line one pixel wide then lies across device pixels,
// and the view's header and rows, whose edges round the other way, paint over it: at 150 % the
// list lost three of its four sides. Drawn at one device pixel per pixel and scaled up without
// smoothing, each side keeps at least one whole device pixel outside them.
class ListFrameStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    const qreal ratio = painter->device()->devicePixelRatio();
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_Frame || !frame || ratio == std::floor(ratio) || option->rect.isEmpty()) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    QPixmap unscaled(option->rect.size());
    unscaled.fill(Qt::transparent);
    QStyleOptionFrame moved = *frame;
    moved.rect.moveTo(0, 0);
    {
      QPainter onPixmap(&unscaled);
      QProxyStyle::drawPrimitive(element, &moved, &onPixmap, widget);
    }
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawPixmap(option->rect, unscaled);
    painter->restore();
  }
};

// A cell shown cut short gets its whole text as a tool tip, and a cell shown whole none. Whether
// a cell is cut is measured only when the tip is asked for, so a list of millions of rows costs
// nothing more to draw.
class CutTextTips : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip || !index.isValid()) {
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    }
    // The room the style needs for the whole text, margins included, against the width of the
    // cell that is in view: a cell the list's edge cuts is cut as well.
    const QString text = index.data(Qt::DisplayRole).toString();
    const int shown = option.rect.intersected(view->viewport()->rect()).width();
    if (text.isEmpty() || sizeHint(option, index).width() <= shown) {
      QToolTip::hideText();
      return true;
    }
    // A course name may look like markup; the tip shows it as typed.
    QToolTip::showText(event->globalPos(),
                       Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text,
                       view->viewport(), option.rect);
    return true;
  }
};

}  // namespace

QTreeView* MakeListView(QWidget* parent, std::function<void()> onClick) {
  // One style for the list views of every dialog, over the desktop's style as the application's
  // own is; the application deletes it.
  static ListFrameStyle* const frameStyle = [] {
    auto* made = new ListFrameStyle;
    made->setParent(QCoreApplication::instance());
    return made;
  }();
  auto* view = new ListView(parent, std::move(onClick));
  view->setHeader(new ListHeader(view));
  view->setStyle(frameStyle);
  view->setItemDelegate(new CutTextTips(view));
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setItemsExpandable(false);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return view;
}

QTreeView* MakeListPane(QTreeView* view) {
  const auto* list = dynamic_cast<const ListView*>(view);
  QTreeView* pane = MakeListView(view, list ? list->OnClick() : std::function<void()>([] {}));
  pane->setModel(view->model());
  pane->setSelectionModel(view->selectionModel());
  return pane;
}

class ListModel : public QAbstractTableModel {
 public:
  using Row = std::vector<std::string>;

  int rowCount(const QModelIndex& parent = {}) const override {
    if (parent.isValid()) return 0;
    return m_source ? m_sourceRows : static_cast<int>(m_rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(m_titles.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::FontRole) return BoldIn(index.column());
    if (role != Qt::DisplayRole) return {};
    return ShownText(Cell(index.row(), index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::FontRole) return BoldIn(section);
    if (role != Qt::DisplayRole) return {};
    return m_titles.value(section);
  }
  void SetTitle(int column, const QString& title) {
    m_titles[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
  }
  void SetBoldColumn(int column) {
    beginResetModel();  // every row's font may change
    m_boldColumn = column;
    endResetModel();
  }

  void InsertColumn(int column, const QString& title) {
    column = std::clamp(column, 0, columnCount());
    beginInsertColumns({}, column, column);
    m_titles.insert(column, title);
    for (Row& row : m_rows) {
      if (static_cast<int>(row.size()) > column) row.insert(row.begin() + column, std::string());
    }
    endInsertColumns();
  }
  void InsertRows(int index, std::vector<Row> rows) {
    if (rows.empty()) return;
    beginInsertRows({}, index, index + static_cast<int>(rows.size()) - 1);
    m_rows.insert(m_rows.begin() + index, std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    endInsertRows();
  }
  void RemoveRows(int first, int count) {
    beginRemoveRows({}, first, first + count - 1);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    endRemoveRows();
  }
  void SetSource(int rowCount, ListControl::CellSource source) {
    beginResetModel();
    m_rows.clear();
    m_sourceRows = rowCount;
    m_source = std::move(source);
    endResetModel();
  }
  void SetCell(int row, int column, std::string text) {
    Row& cells = m_rows[static_cast<std::size_t>(row)];
    if (static_cast<int>(cells.size()) <= column)
      cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = std::move(text);
    const QModelIndex changed = this->index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
  }
  std::string_view Cell(int row, int column) const {
    if (m_source) return m_source(row, column);
    const Row& cells = m_rows[static_cast<std::size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)]
                                                   : std::string_view();
  }

 private:
  // Unset but in the bold column, so that the view's own font holds everywhere else.
  QVariant BoldIn(int column) const {
    if (column != m_boldColumn) return {};
    QFont bold;
    bold.setBold(true);
    return bold;
  }

  QStringList m_titles;
  int m_boldColumn = -1;
  std::deque<Row> m_rows;
  ListControl::CellSource m_source;
  int m_sourceRows = 0;
};

ListControl::ListControl() : m_model(new ListModel) {}

ListControl::~ListControl() {
  QObject::disconnect(m_selectionConnection);
  // The cells' owner goes before the view, which may still draw while its window closes.
  if (m_view) m_model->SetSource(0, [](int, int) { return std::string_view(); });
  if (!m_view) delete m_model;
}

void ListControl::Attach(QWidget* widget) {
  m_view = qobject_cast<QTreeView*>(widget);
  if (!m_view) return;
  m_model->setParent(m_view);
  m_view->setModel(m_model);
  m_selectionConnection =
      QObject::connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, m_view,
                       [this](const QModelIndex& current) { m_selectionMark = current.row(); });
}

void ListControl::InsertColumn(int column, std::string_view titleGbk, int widthPixels) {
  m_model->InsertColumn(column, FromGbk(titleGbk));
  if (m_view) m_view->header()->resizeSection(column, widthPixels);
}

void ListControl::SetColumnTitle(int column, std::string_view titleGbk) {
  m_model->SetTitle(column, FromGbk(titleGbk));
}

void ListControl::SetBoldColumn(int column) { m_model->SetBoldColumn(column); }

int ListControl::ColumnCount() const { return m_model->columnCount(); }

int ListControl::ColumnWidth(int column) const {
  return m_view ? m_view->header()->sectionSize(column) : 0;
}

int ListControl::InsertItem(int index, std::string_view textGbk) {
  index = std::clamp(index, 0, GetItemCount());
  InsertItems(index, {{std::string(textGbk)}});
  return index;
}

void ListControl::InsertItems(int index, std::vector<std::vector<std::string>> rows) {
  index = std::clamp(index, 0, GetItemCount());
  const int count = static_cast<int>(rows.size());
  m_model->InsertRows(index, std::move(rows));
  if (m_selectionMark >= index) m_selectionMark += count;
}

void ListControl::SetItemText(int row, int column, std::string_view textGbk) {
  if (row < 0 || row >= GetItemCount() || column < 0) return;
  m_model->SetCell(row, column, std::string(textGbk));
}

std::string ListControl::GetItemText(int row, int column) const {
  if (row < 0 || row >= GetItemCount() || column < 0) return {};
  return std::string(m_model->Cell(row, column));
}

bool ListControl::DeleteItem(int row) {
  if (row < 0 || row >= GetItemCount()) return false;
  DeleteItems(row, 1);
  return true;
}

// The view moves its current row with the rows; the mark stays at its index.
void ListControl::DeleteItems(int first, int count) {
  first = std::clamp(first, 0, GetItemCount());
  count = std::clamp(count, 0, GetItemCount() - first);
  if (count == 0) return;
  const int mark = m_selectionMark;
  m_model->RemoveRows(first, count);
  m_selectionMark = mark < GetItemCount() ? mark : -1;
#if defined(__GLIBC__)
  // The rows of a large list are many small blocks, which the allocator keeps for itself once
  // freed; emptying such a list gives their memory back to the system.
  constexpr int kManyRows = 4096;
  if (count >= kManyRows) ::malloc_trim(0);
#endif
}

void ListControl::SetOwnerData(int rowCount, CellSource cellText) {
  m_model->SetSource(rowCount, std::move(cellText));
  m_selectionMark = -1;
}

int ListControl::GetItemCount() const { return m_model->rowCount(); }

void ListControl::SelectRow(int row) {
  if (!m_view || row < 0 || row >= GetItemCount()) return;
  m_view->selectionModel()->setCurrentIndex(
      m_model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_selectionMark = row;
}

}  // namespace gradova::platform
