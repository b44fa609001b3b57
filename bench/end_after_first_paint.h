#pragma once
// Ends a start-up measurement the same way for every program measured: one idle moment after
// the first window has been painted, that is, once the user could see it. Windows paint in one
// pass, parent before children, so the timer set by the window's own paint event runs after the
// whole window is drawn. It calls exit rather than quit, which ends a dialog's modal loop too.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

class EndAfterFirstPaint : public QObject {
 public:
  explicit EndAfterFirstPaint(QApplication& application) { application.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
      qApp->removeEventFilter(this);
      QTimer::singleShot(0, [] { QApplication::exit(0); });
    }
    return false;
  }
};
