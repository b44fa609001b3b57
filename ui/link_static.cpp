#include "ui/link_static.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <optional>
#include <utility>

#include "platform/browser_command.h"
#include "platform/gbk.h"
#include "platform/qt/gbk_text.h"
#include "platform/qt/message_box.h"
#include "platform/qt/url_opener.h"

namespace gradova::ui {

void CLinkStatic::Attach(QWidget* widget) {
  auto* label = qobject_cast<QLabel*>(widget);
  if (!label || m_label) return;
  m_label = label;
  // The hover state needs the moves made with no button held.
  m_label->setMouseTracking(true);
  m_label->installEventFilter(this);
  m_label->setCursor(Qt::PointingHandCursor);
  if (m_hintText.empty()) m_hintText = m_target;
  m_toolRect = m_label->contentsRect();
}

void CLinkStatic::SetTarget(std::string addressGbk) {
  m_target = std::move(addressGbk);
  if (!m_label) return;
  FitToClient();
  if (m_hintText.empty()) m_hintText = m_target;
}

void CLinkStatic::SetHintText(std::string textGbk) {
  m_hintText = std::move(textGbk);
  if (m_label) FitToClient();
}

void CLinkStatic::FitToClient() {
  QRect fitted = m_label->geometry();
  const QSize client = m_label->contentsRect().size().expandedTo(QSize(0, 0));
  const Qt::Alignment alignment = m_label->alignment();
  if (alignment & Qt::AlignVCenter) {
    const int d = (fitted.height() - client.height()) / 2;
    fitted.adjust(0, d, 0, -d);
  } else {
    fitted.setHeight(client.height());
  }
  if (alignment & Qt::AlignHCenter) {
    const int d = (fitted.width() - client.width()) / 2;
    fitted.adjust(d, 0, -d, 0);
  } else if (alignment & Qt::AlignRight) {
    fitted.setLeft(fitted.left() + fitted.width() - client.width());
  } else {
    fitted.setWidth(client.width());
  }
  m_label->setGeometry(fitted);
}

bool CLinkStatic::eventFilter(QObject* watched, QEvent* event) {
  // While the label is being destroyed it is no longer a QLabel, and its last events must not
  // reach the handlers.
  if (!qobject_cast<QLabel*>(watched)) return false;
  switch (event->type()) {
    // The hover state follows the client area, so moves over the border count as outside.
    case QEvent::MouseMove: {
      const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
      OnHover(m_label->contentsRect().contains(point));
      break;
    }
    case QEvent::Leave:
      OnHover(false);
      break;
    // The second press of a double click comes as MouseButtonDblClick, no press: like the
    // static's double-click notification it opens nothing, so a double click opens once.
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) m_pressed = true;
      break;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && std::exchange(m_pressed, false) &&
          m_label->rect().contains(mouse->position().toPoint())) {
        OnStaticClicked();
      }
      break;
    }
    case QEvent::ToolTip:
      OnToolTip(*static_cast<QHelpEvent*>(event));
      break;
    default:
      break;
  }
  // The label keeps its own handling of the mouse; only the tool tip is this control's alone.
  return event->type() == QEvent::ToolTip;
}

void CLinkStatic::OnHover(bool inside) {
  if (inside == m_pointerInside) return;
  m_pointerInside = inside;
  m_label->repaint();
}

void CLinkStatic::OnToolTip(QHelpEvent& event) {
  if (m_hintText.empty() || !m_toolRect.contains(event.pos())) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(event.globalPos(), platform::FromGbk(m_hintText), m_label, m_toolRect);
}

void CLinkStatic::OnStaticClicked() {
  const int code = OpenTarget(m_target);
  m_opened = code > 32;
  if (m_opened) return;
  // The modal box takes the pointer away from the label without a move that says so.
  m_pointerInside = false;
  QApplication::beep();
  // The texts are ASCII, the same bytes in GBK.
  platform::AfxMessageBox(platform::OpenErrorMessage(code), m_label->window());
}

int CLinkStatic::OpenTarget(const std::string& addressGbk) {
  const std::string address = platform::GbkToUtf8(addressGbk);
  const int code = platform::OpenWithDefaultHandler(address);
  if (code > 32) return code;
  // Without a browser's command line, the default handler's failure is the one to report.
  const std::optional<std::string> commandLine = platform::BrowserCommandLine();
  return commandLine ? platform::StartCommandLine(platform::CutAtPlaceholder(*commandLine), address)
                     : code;
}

}  // namespace gradova::ui
