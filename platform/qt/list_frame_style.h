#pragma once
// The style of a list view's frame at a fractional scale. A frame line one pixel wide then lies
// across device pixels, and the view's header and rows, whose edges round the other way, paint
// over it: at 150 % the list lost three of its four sides. Drawn at one device pixel per pixel
// and scaled up without smoothing, each side keeps at least one whole device pixel outside them.
#include <QProxyStyle>

namespace gradova::platform {

class ListFrameStyle : public QProxyStyle {
 public:
  // The one instance for the list views of every dialog; it lives as long as the application.
  static ListFrameStyle* ForListViews();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace gradova::platform
