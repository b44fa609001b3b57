#include "platform/qt/list_frame_style.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionFrame>
#include <cmath>

namespace gradova::platform {

ListFrameStyle* ListFrameStyle::ForListViews() {
  // Over the desktop's style, as the application's own style is; the application deletes it.
  static ListFrameStyle* const style = [] {
    auto* made = new ListFrameStyle;
    made->setParent(QCoreApplication::instance());
    return made;
  }();
  return style;
}

void ListFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
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

}  // namespace gradova::platform
