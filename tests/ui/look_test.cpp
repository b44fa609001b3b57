#include "ui/result_dlg.h"
#include "ui/rule_list_dlg.h"
#include "ui_fixture.h"

namespace gradova::ui {
namespace {

// What a user cannot read whole at the scale the test runs at: a window too large for 1366 x 768
// less a title bar and a panel, a label, button or field that cuts its text, a drop list too
// narrow for an entry, a list cell cut in view that does not tip its text, list column titles
// not at the left, a list frame that misses a side (crossed at its middle within 3 device pixels).
std::string Unreadable(platform::Dialog& dialog) {
  std::string found = dialog.width() > 1366 || dialog.height() > 768 - 100 ? "large " : "";
  const QImage image = dialog.grab().toImage();
  const qreal ratio = image.devicePixelRatio();
  const auto dark = [&](QPoint p, QPoint in) {
    return std::min({qGray(image.pixel(p)), qGray(image.pixel(p + in)),
                     qGray(image.pixel(p + 2 * in))}) < qGray(image.pixel(1, 1)) - 25;
  };
  for (QWidget* widget : dialog.findChildren<QWidget*>()) {
    const QString text = widget->property("text").toString().remove('&');
    const bool button = qobject_cast<QPushButton*>(widget);
    const bool field = qobject_cast<QLineEdit*>(widget);
    const int frame = button ? 10 : field ? 8 : 0;  // around the text
    const QSize needed = widget->fontMetrics().size(0, text) + QSize(frame, 0);
    auto* drop = qobject_cast<QComboBox*>(widget);
    if (((button || field || qobject_cast<QLabel*>(widget)) &&
         !widget->rect().contains(QRect({}, needed))) ||
        (drop && drop->sizeHint().width() > drop->width()))
      found += "cut:" + (drop ? drop->currentText() : text).toStdString() + " ";
    auto* view = qobject_cast<QTreeView*>(widget);
    if (!view || view->parentWidget() != &dialog) continue;  // a list, not a pane over one
    if (!(view->header()->defaultAlignment() & Qt::AlignLeft)) found += "centred ";
    for (int cell = 0; cell < view->model()->rowCount() * view->model()->columnCount(); ++cell) {
      const QModelIndex index = view->model()->index(cell / view->model()->columnCount(),
                                                     cell % view->model()->columnCount());
      const QRect shown = view->visualRect(index) & view->viewport()->rect();
      if (shown.isEmpty() || view->sizeHintForIndex(index).width() <= shown.width()) continue;
      QHelpEvent tip(QEvent::ToolTip, shown.center(),
                     view->viewport()->mapToGlobal(shown.center()));
      QApplication::sendEvent(view->viewport(), &tip);
      if (QToolTip::text() != index.data())
        found += "untipped:" + index.data().toString().toStdString() + " ";
    }
    const QRect area =
        QTransform::fromScale(ratio, ratio).mapRect(QRectF(view->geometry())).toAlignedRect();
    const QPoint mid = area.center();
    if (!dark({mid.x(), area.top()}, {0, 1}) || !dark({area.right(), mid.y()}, {-1, 0}) ||
        !dark({mid.x(), area.bottom()}, {0, -1}) || !dark({area.left(), mid.y()}, {1, 0})) {
      found += "frame ";
    }
  }
  return found;
}

// Every dialog, at scale 1 and, run once more, at 1.5, the import over a row whose reason is long
// also made larger; and the toolkit's own texts in Chinese.
TEST_F(UiTest, LookEveryTextAndFrameIsWhole) {
  std::string unreadable;
  const auto look = [&](platform::Dialog& dialog) { unreadable += Unreadable(dialog) + "|"; };
  m_inModal = {look,
               [&](auto& results) {
                 look(results), Click(results, kTargetPlanButton);
                 Click(results, kCustomRulesButton);
               },
               look,
               [&](auto& rules) {
                 look(rules), ClickRow(static_cast<CRuleListDlg&>(rules).List(), 0);
                 Click(rules, kViewDetailsButton);
               },
               look,
               [&](platform::Dialog& import) {  // made larger too, its list with it
                 const QSize list = import.Item(kImportPreviewList)->size() + QSize(200, 100);
                 look(import), import.resize(import.size() + QSize(200, 100)), look(import);
                 if (import.Item(kImportPreviewList)->size() != list) unreadable += "fixed ";
                 import.resize(import.minimumSize());
               }};
  Write("t.csv", "课程名称,学分,成绩\r\n大学物理,0,90\r\n");
  Run("+高等数学,5,100;about;gpa;no;>t.csv;load");
  const auto box = platform::MakeMessageBox({platform::MessageBoxKind::Question, "", ""});
  for (auto* button : box->buttons()) unreadable += button->text().toStdString();
  EXPECT_EQ(unreadable + Unreadable(Main()), "|||||||取消是(&Y)否(&N)");
}

// A cell cut short, in a list or the result table, shows its whole text as a plain tool tip.
TEST_F(UiTest, LookCutCellsShowTheirTextAsTip) {
  std::string tips;
  m_inModal.push_back([&](platform::Dialog& results) {
    QTreeView* view = static_cast<CResultDlg&>(results).List().View();
    for (int cell : {2, 1, 0, 10}) {  // row and column
      const QPoint at = view->visualRect(view->model()->index(cell / 10, cell % 10)).center();
      QHelpEvent event(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
      QApplication::sendEvent(view->viewport(), &event);
      tips += QToolTip::text().toStdString() + "|";
      for (QWidget* shown : QApplication::topLevelWidgets()) delete qobject_cast<QLabel*>(shown);
    }
  });
  Run("+马克思主义哲学与<b>中国特色社会主义理论体系概论</b>,2,90.0000000000000000;gpa");
  EXPECT_EQ(tips,
            "90.0000000000000000||<p>马克思主义哲学与&lt;b&gt;中国特色社会主义理论体系概论&lt;/"
            "b&gt;</p>||");
}

}  // namespace
}  // namespace gradova::ui
