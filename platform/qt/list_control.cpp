#include "platform/qt/list_control.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

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

}  // namespace

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
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return ShownText(Cell(index.row(), index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(m_titles.size())) {
      return {};
    }
    return FromGbk(m_titles[static_cast<std::size_t>(section)]);
  }

  void InsertColumn(int column, std::string title) {
    column = std::clamp(column, 0, static_cast<int>(m_titles.size()));
    beginInsertColumns({}, column, column);
    m_titles.insert(m_titles.begin() + column, std::move(title));
    for (Row& row : m_rows) {
      if (static_cast<int>(row.size()) > column) row.insert(row.begin() + column, std::string());
    }
    endInsertColumns();
  }
  const std::string& Title(int column) const {
    return m_titles.at(static_cast<std::size_t>(column));
  }

  void InsertRows(int index, std::vector<Row> rows) {
    if (rows.empty()) return;
    index = std::clamp(index, 0, rowCount());
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
  std::vector<std::string> m_titles;
  std::deque<Row> m_rows;
  ListControl::CellSource m_source;
  int m_sourceRows = 0;
};

ListControl::ListControl() : m_model(new ListModel) {}

ListControl::~ListControl() {
  QObject::disconnect(m_selectionConnection);
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
  m_model->InsertColumn(column, std::string(titleGbk));
  if (m_view) m_view->header()->resizeSection(column, widthPixels);
}

int ListControl::ColumnCount() const { return m_model->columnCount(); }
std::string ListControl::ColumnTitle(int column) const { return m_model->Title(column); }
int ListControl::ColumnWidth(int column) const {
  return m_view ? m_view->header()->sectionSize(column) : 0;
}

int ListControl::InsertItem(int index, std::string_view textGbk) {
  index = std::clamp(index, 0, GetItemCount());
  m_model->InsertRows(index, {{std::string(textGbk)}});
  if (m_selectionMark >= index) ++m_selectionMark;
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

int ListControl::GetSelectionMark() const { return m_selectionMark; }

void ListControl::SetSelectionMark(int row) { m_selectionMark = row; }

void ListControl::SelectRow(int row) {
  if (!m_view || row < 0 || row >= GetItemCount()) return;
  m_view->selectionModel()->setCurrentIndex(
      m_model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_selectionMark = row;
}

}  // namespace gradova::platform
