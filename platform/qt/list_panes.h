#pragma once
// Frozen panes of a list view: parts of it drawn again over it, so that they stay in view while
// the rest scrolls, as a spreadsheet freezes its row titles and totals.

class QTreeView;

namespace gradova::platform {

// Keeps the first column of `view` in view while the list is scrolled sideways, and its last
// `lastRows` rows at its bottom while any of them is scrolled out of view below. Rows under them
// are reached by scrolling on, and a row made current by the keyboard is scrolled out from under
// them. For a flat list whose model `view` keeps; the panes follow its columns, rows and scrolling.
void FreezePanes(QTreeView* view, int lastRows);

}  // namespace gradova::platform
