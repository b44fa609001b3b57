#include "platform/qt/pdf_document.h"

#include <QFont>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <numeric>

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

QFont DocumentFont(double pointSize, bool bold = false) {
  QFont font(ProgramFamily());
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

PdfRowStyle StyleOf(const PdfDocument& document, std::size_t row) {
  return document.style ? document.style(row) : PdfRowStyle::Plain;
}

// The widest text of each column at kPointSize, padding included; a heading spans them all.
std::vector<double> ColumnWidths(const PdfDocument& document) {
  const QFontMetricsF plain(DocumentFont(kPointSize));
  const QFontMetricsF bold(DocumentFont(kPointSize, true));
  std::vector<double> widths;
  for (const QString& title : document.header) widths.push_back(bold.horizontalAdvance(title));
  for (std::size_t row = 0; row < document.rowCount; ++row) {
    const PdfRowStyle style = StyleOf(document, row);
    if (style == PdfRowStyle::Heading) continue;
    const QFontMetricsF& metrics = style == PdfRowStyle::Bold ? bold : plain;
    for (std::size_t column = 0; column < widths.size(); ++column) {
      const double width = metrics.horizontalAdvance(document.cell(row, column));
      widths[column] = std::max(widths[column], width);
    }
  }
  for (double& width : widths) width += 2 * kPadding;
  return widths;
}

// Draws from the top of the first page down, starting a page where the next piece does not fit.
class PageFlow {
 public:
  PageFlow(QPdfWriter& pdf, QPainter& painter)
      : m_pdf(pdf), m_painter(painter), m_bottom(painter.viewport().height()) {}
  double Top() const { return m_top; }
  // Makes room for `height` points, on a new page when they do not fit on this one (unless it is
  // still empty); true when a page was started.
  bool Reserve(double height) {
    if (m_top == 0 || m_top + height <= m_bottom) return false;
    m_pdf.newPage();
    m_top = 0;
    return true;
  }
  void Advance(double height) { m_top += height; }
  // A text on the next lines, wrapped to `width` after a full-width comma where it can be, so
  // that the items of a list stay whole; an item wider than a line wraps where the toolkit breaks.
  void Text(const QString& text, const QFont& font, double width) {
    m_painter.setFont(font);
    const QFontMetricsF metrics(font);
    QString line;
    for (qsizetype start = 0; start < text.size();) {
      const qsizetype comma = text.indexOf(QChar(0xFF0C), start);
      const qsizetype end = comma < 0 ? text.size() : comma + 1;
      const QString item = text.mid(start, end - start);
      if (!line.isEmpty() && metrics.horizontalAdvance(line + item) > width) {
        Line(line, width);
        line.clear();
      }
      line += item;
      start = end;
    }
    Line(line, width);
  }

 private:
  void Line(const QString& text, double width) {
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF box = m_painter.boundingRect(QRectF(0, 0, width, m_bottom), flags, text);
    Reserve(box.height());
    m_painter.drawText(QRectF(0, m_top, width, box.height()), flags, text);
    m_top += box.height();
  }

  QPdfWriter& m_pdf;
  QPainter& m_painter;
  double m_bottom;
  double m_top = 0;
};

}  // namespace

bool WritePdfDocument(const PdfDocument& document, const ByteSink& write) {
  SinkDevice device(write);
  QPdfWriter pdf(&device);
  pdf.setResolution(72);  // one unit a point
  pdf.setTitle(document.title);
  pdf.setCreator(QStringLiteral("Gradova"));
  std::vector<double> widths = ColumnWidths(document);
  const double needed = std::accumulate(widths.begin(), widths.end(), 0.0);
  const QMarginsF margins(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
  QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                     QPageLayout::Millimeter);
  if (needed > layout.paintRectPoints().width()) layout.setOrientation(QPageLayout::Landscape);
  pdf.setPageLayout(layout);
  const double pageWidth = layout.paintRectPoints().width();
  const double scale =
      needed > pageWidth ? std::max(pageWidth / needed, kSmallestPointSize / kPointSize) : 1.0;
  for (double& width : widths) width *= scale;
  const double tableWidth = std::accumulate(widths.begin(), widths.end(), 0.0);

  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  painter.setPen(QPen(Qt::black, 0.5));
  const QFont font = DocumentFont(kPointSize * scale);
  const QFont bold = DocumentFont(kPointSize * scale, true);
  const double rowHeight = QFontMetricsF(font).height() + kPadding;
  PageFlow flow(pdf, painter);
  const auto drawRow = [&](const QStringList& cells, const QFont& rowFont) {
    painter.setFont(rowFont);
    double left = 0;
    for (int column = 0; column < cells.size(); ++column) {
      const double width =
          cells.size() == 1 ? tableWidth : widths[static_cast<std::size_t>(column)];
      const QRectF box(left, flow.Top(), width, rowHeight);
      painter.drawRect(box);
      painter.drawText(box.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       cells[column]);
      left = box.right();
    }
    flow.Advance(rowHeight);
  };

  flow.Text(document.title, DocumentFont(kTitlePointSize, true), pageWidth);
  for (const QString& line : document.opening) flow.Text(line, font, pageWidth);
  flow.Advance(rowHeight);
  drawRow(document.header, bold);
  QStringList cells;
  for (std::size_t row = 0; row < document.rowCount && !device.Failed(); ++row) {
    const PdfRowStyle style = StyleOf(document, row);
    cells.clear();
    const int columns =
        style == PdfRowStyle::Heading ? 1 : static_cast<int>(document.header.size());
    for (int column = 0; column < columns; ++column)
      cells.push_back(document.cell(row, static_cast<std::size_t>(column)));
    // A heading starts a page rather than end one alone.
    const int rowsNeeded = style == PdfRowStyle::Heading ? 2 : 1;
    if (flow.Reserve(rowsNeeded * rowHeight)) drawRow(document.header, bold);
    drawRow(cells, style == PdfRowStyle::Plain ? font : bold);
  }
  flow.Advance(rowHeight);
  for (const PdfBlock& block : document.closing) {
    if (!block.draw) {
      flow.Text(block.text, font, pageWidth);
      continue;
    }
    flow.Reserve(block.height);
    block.draw(painter, QRectF(0, flow.Top(), pageWidth, block.height));
    flow.Advance(block.height);
    painter.setPen(QPen(Qt::black, 0.5));
  }
  painter.end();
  return !device.Failed();
}

}  // namespace gradova::platform
