#pragma once
// The header of a report-view list: its titles at the left, as the columns ask, and sized by its
// own font, as a list view's header is. The toolkit's header sizes its sections with a bold copy
// of the font, so that a highlighted section never needs more room; that loads a second face,
// which for a CJK font is a large part of showing the first window, for a highlight these lists
// never use.
#include <QHeaderView>

namespace gradova::platform {

class ListHeader : public QHeaderView {
 public:
  explicit ListHeader(QWidget* parent);

 protected:
  QSize sectionSizeFromContents(int logicalIndex) const override;
};

}  // namespace gradova::platform
