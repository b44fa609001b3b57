#pragma once
// The view of a list control in a dialog. It tells the dialog of a click, and of a move of its
// current row by the keyboard, through the one notification a click sends, so that a keyboard
// user reaches every row a mouse user does. A click on blank space leaves no row current.
#include <QTreeView>
#include <functional>

namespace gradova::platform {

class ListView : public QTreeView {
 public:
  ListView(QWidget* parent, std::function<void()> onClick);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // Reports the click once the press has updated the selection.
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> m_onClick;
};

}  // namespace gradova::platform
