#include "platform/qt/pdf_table.h"

#include <QFont>
#include <QFontDatabase>
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

// The WenQuanYi faces first: in Noto CJK the ideographs share their glyphs with the Kangxi
// radicals, so the PDF's text layer would map 大 to ⼤ and text copied or searched in the document
// would not be the table's.
QString PdfFamily() {
  for (const char* face : {"WenQuanYi Zen Hei", "WenQuanYi Micro Hei"}) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(face))) return QString::fromLatin1(face);
  }
  return InstalledFamilyFor(QString::fromUtf8("宋体"));
}

QFont TableFont(double pointSize, bool bold = false) {
  static const QString family = PdfFamily();
  QFont font(family);
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

class PageWriter {
 public:
  PageWriter(QPdfWriter& pdf, QPainter& painter, std::vector<double> widths, double scale)
      : m_pdf(pdf),
        m_painter(painter),
        m_widths(std::move(widths)),
        m_font(TableFont(kPointSize * scale)),
        m_bold(TableFont(kPointSize * scale, true)),
        m_rowHeight(QFontMetricsF(m_font).height() + kPadding),
        m_pageBottom(painter.viewport().height()) {
    for (double& width : m_widths) width *= scale;
  }

  void Title(const QString& title, const QString& subtitle) {
    const QFont font = TableFont(kTitlePointSize, true);
    m_painter.setFont(font);
    const double height = QFontMetricsF(font).height();
    m_painter.drawText(QRectF(0, 0, Width(), height), Qt::AlignLeft | Qt::AlignVCenter, title);
    m_painter.setFont(m_font);
    m_painter.drawText(QRectF(0, height, Width(), m_rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       subtitle);
    m_top = height + 2 * m_rowHeight;
  }

  void Header(const QStringList& header) {
    m_header = header;
    Row(header, m_bold);
  }

  void Row(const QStringList& cells) {
    if (m_top + m_rowHeight > m_pageBottom) {
      m_pdf.newPage();
      m_top = 0;
      Row(m_header, m_bold);
    }
    Row(cells, m_font);
  }

 private:
  double Width() const { return std::accumulate(m_widths.begin(), m_widths.end(), 0.0); }

  void Row(const QStringList& cells, const QFont& font) {
    m_painter.setFont(font);
    double left = 0;
    for (int column = 0; column < cells.size(); ++column) {
      const QRectF box(left, m_top, m_widths[static_cast<std::size_t>(column)], m_rowHeight);
      m_painter.drawRect(box);
      m_painter.drawText(box.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         cells[column]);
      left = box.right();
    }
    m_top += m_rowHeight;
  }

  QPdfWriter& m_pdf;
  QPainter& m_painter;
  std::vector<double> m_widths;
  QFont m_font;
  QFont m_bold;
  double m_rowHeight;
  double m_pageBottom;
  double m_top = 0;
  QStringList m_header;
};

}  // namespace

bool WritePdfTable(const PdfTable& table, const ByteSink& write) {
  SinkDevice device(write);
  QPdfWriter pdf(&device);
  pdf.setResolution(72);  // one unit a point
  pdf.setTitle(table.title);
  pdf.setCreator(QStringLiteral("Gradova"));
  const std::vector<double> widths = ColumnWidths(table);
  const double needed = std::accumulate(widths.begin(), widths.end(), 0.0);
  const QMarginsF margins(kMarginMm, kMarginMm, kMarginMm, kMarginMm);
  QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                     QPageLayout::Millimeter);
  if (needed > layout.paintRectPoints().width()) layout.setOrientation(QPageLayout::Landscape);
  pdf.setPageLayout(layout);
  const double available = layout.paintRectPoints().width();
  const double scale =
      needed > available ? std::max(available / needed, kSmallestPointSize / kPointSize) : 1.0;

  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  painter.setPen(QPen(Qt::black, 0.5));
  PageWriter pages(pdf, painter, widths, scale);
  pages.Title(table.title, table.subtitle);
  pages.Header(table.header);
  QStringList cells;
  for (std::size_t row = 0; row < table.rowCount && !device.Failed(); ++row) {
    cells.clear();
    for (int column = 0; column < table.header.size(); ++column) {
      cells.push_back(table.cell(row, static_cast<std::size_t>(column)));
    }
    pages.Row(cells);
  }
  painter.end();
  return !device.Failed();
}

}  // namespace gradova::platform
