#include "platform/qt/pdf_table.h"

#include <QFont>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/qt/fonts.h"

namespace gradova::platform {
namespace {

constexpr double kPointSize = 9.0;
constexpr double kSmallestPointSize = 4.0;
constexpr double kTitlePointSize = 14.0;
constexpr double kMarginMm = 15.0;
constexpr double kPadding = 3.0;  // points on either side of a cell's text

// A write-only device that hands what the PDF writer writes on to a sink, so that the document
// streams into the caller's file instead of growing in memory.
class SinkDevice : public QIODevice {
 public:
  explicit SinkDevice(const ByteSink& write) : m_write(write) { open(QIODevice::WriteOnly); }
  bool Failed() const { return m_failed; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (m_failed || !m_write(std::string_view(data, static_cast<std::size_t>(size)))) {
      m_failed = true;
      return -1;
    }
    return size;
  }

 private:
  const ByteSink& m_write;
  bool m_failed = false;
};

QFont TableFont(double pointSize, bool bold = false) {
  QFont font(ProgramFamily());
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

// The widest text of each column at kPointSize, padding included.
std::vector<double> ColumnWidths(const PdfTable& table) {
  const QFontMetricsF plain(TableFont(kPointSize));
  const QFontMetricsF bold(TableFont(kPointSize, true));
  std::vector<double> widths;
  for (const QString& title : table.header) widths.push_back(bold.horizontalAdvance(title));
  for (std::size_t row = 0; row < table.rowCount; ++row) {
    for (std::size_t column = 0; column < widths.size(); ++column) {
      const double width = plain.horizontalAdvance(table.cell(row, column));
      widths[column] = std::max(widths[column], width);
    }
  }
  for (double& width : widths) width += 2 * kPadding;
  return widths;
}

}  // namespace

bool WritePdfTable(const PdfTable& table, const ByteSink& write) {
  SinkDevice device(write);
  QPdfWriter pdf(&device);
  pdf.setResolution(72);  // one unit a point
  pdf.setTitle(table.title);
  pdf.setCreator(QStringLiteral("Gradova"));
  std::vector<double> widths = ColumnWidths(table);
  const double needed = std::accumulate(widths.begin(), widths.end(), 0.0);
  const QMarginsF margins(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
  QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                     QPageLayout::Millimeter);
  if (needed > layout.paintRectPoints().width()) layout.setOrientation(QPageLayout::Landscape);
  pdf.setPageLayout(layout);
  const double available = layout.paintRectPoints().width();
  const double scale =
      needed > available ? std::max(available / needed, kSmallestPointSize / kPointSize) : 1.0;
  for (double& width : widths) width *= scale;

  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  painter.setPen(QPen(Qt::black, 0.5));
  const QFont font = TableFont(kPointSize * scale);
  const QFont bold = TableFont(kPointSize * scale, true);
  const double rowHeight = QFontMetricsF(font).height() + kPadding;
  const double pageBottom = painter.viewport().height();
  double top = 0;
  const auto drawRow = [&](const QStringList& cells, const QFont& rowFont) {
    painter.setFont(rowFont);
    double left = 0;
    for (int column = 0; column < cells.size(); ++column) {
      const QRectF box(left, top, widths[static_cast<std::size_t>(column)], rowHeight);
      painter.drawRect(box);
      painter.drawText(box.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       cells[column]);
      left = box.right();
    }
    top += rowHeight;
  };

  const double width = std::accumulate(widths.begin(), widths.end(), 0.0);
  painter.setFont(TableFont(kTitlePointSize, true));
  const double titleHeight = QFontMetricsF(painter.font()).height();
  painter.drawText(QRectF(0, 0, width, titleHeight), Qt::AlignLeft | Qt::AlignVCenter, table.title);
  painter.setFont(font);
  painter.drawText(QRectF(0, titleHeight, width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   table.subtitle);
  top = titleHeight + 2 * rowHeight;
  drawRow(table.header, bold);
  QStringList cells;
  for (std::size_t row = 0; row < table.rowCount && !device.Failed(); ++row) {
    cells.clear();
    for (int column = 0; column < table.header.size(); ++column) {
      cells.push_back(table.cell(row, static_cast<std::size_t>(column)));
    }
    if (top + rowHeight > pageBottom) {
      pdf.newPage();
      top = 0;
      drawRow(table.header, bold);
    }
    drawRow(cells, font);
  }
  painter.end();
  return !device.Failed();
}

}  // namespace gradova::platform
