#include "platform/qt/list_header.h"

#include <QStyle>
#include <QStyleOptionHeader>

namespace gradova::platform {

ListHeader::ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setHighlightSections(false);
  setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QSize ListHeader::sectionSizeFromContents(int logicalIndex) const {
  if (!model() || isSectionHidden(logicalIndex)) return {};
  QStyleOptionHeader option;
  initStyleOption(&option);
  option.section = logicalIndex;
  option.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
  option.fontMetrics = fontMetrics();
  return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}

}  // namespace gradova::platform
