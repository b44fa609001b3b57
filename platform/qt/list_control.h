#pragma once
// The list control in report view: rows of GBK cell texts held in a model, shown by the view the
// dialog template created. Row operations cost constant time at either end of the list, so
// emptying it by deleting row 0 over and over is linear.
#include <QAbstractTableModel>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QTreeView;

namespace gradova::platform {

class ListModel;

// The view of a list control in a dialog, single rows selected, not editable. It calls `onClick`
// for a click, and for a move of its current row by the keyboard, so that a keyboard user reaches
// every row a mouse user does. A click on blank space leaves no row current. A cell whose text is
// cut short shows it whole in a tool tip.
QTreeView* MakeListView(QWidget* parent, std::function<void()> onClick);
// A view made as `view` was, over its model and selection and reporting its clicks as it does,
// for drawing over a part of it; the caller places it.
QTreeView* MakeListPane(QTreeView* view);

class ListControl {
 public:
  ListControl();
  ~ListControl();
  ListControl(const ListControl&) = delete;
  ListControl& operator=(const ListControl&) = delete;

  // Binds to the list view widget of the dialog template.
  void Attach(QWidget* widget);
  QTreeView* View() const { return m_view; }

  void InsertColumn(int column, std::string_view titleGbk, int widthPixels);
  void SetColumnTitle(int column, std::string_view titleGbk);
  // Draws the title and cells of `column` in bold; -1 draws none so.
  void SetBoldColumn(int column);
  int ColumnCount() const;
  int ColumnWidth(int column) const;

  // Inserts a row whose first cell is `textGbk` and the others empty; returns its index.
  int InsertItem(int index, std::string_view textGbk);
  // Appends many rows at once, before `index`; each row's cells in column order.
  void InsertItems(int index, std::vector<std::vector<std::string>> rows);
  void SetItemText(int row, int column, std::string_view textGbk);
  std::string GetItemText(int row, int column) const;
  bool DeleteItem(int row);
  // Deletes `count` rows from `first` on, at once; the selection mark as for DeleteItem.
  void DeleteItems(int first, int count);
  int GetItemCount() const;

  // Shows `rowCount` rows whose cells `cellText` gives (GBK) whenever they are drawn or read, in
  // place of rows of the list's own: a table of millions of rows is not copied. The source must
  // outlive the list or the next call; the rows are then not changed one by one.
  using CellSource = std::function<std::string_view(int row, int column)>;
  void SetOwnerData(int rowCount, CellSource cellText);

  // The row most recently selected, or -1 (also after a click on blank space). It stays at its
  // index when rows are deleted, and falls back to -1 only when that index no longer exists.
  int GetSelectionMark() const { return m_selectionMark; }
  // Selects `row` as a click would (for keyboard-free tests and callers).
  void SelectRow(int row);

 private:
  ListModel* m_model;
  QTreeView* m_view = nullptr;
  // The view outlives this wrapper inside a dialog; the connection must not.
  QMetaObject::Connection m_selectionConnection;
  int m_selectionMark = -1;
};

}  // namespace gradova::platform
