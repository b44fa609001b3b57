#include "platform/qt/chart_view.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <QtCharts>

#include "platform/qt/fonts.h"
#include "platform/qt/gbk_text.h"

namespace gradova::platform {
namespace {

constexpr double kDocumentPointSize = 8.0;

QChart* ChartOf(const QWidget* chart) {
  const auto* view = qobject_cast<const QChartView*>(chart);
  return view ? view->chart() : nullptr;
}

// A step without a value has no point; the line joins the points on either side of it.
void AddLine(QChart& chart, const ChartLine& line, QAbstractAxis& x, QAbstractAxis& y,
             bool dashed) {
  auto* series = new QLineSeries(&chart);
  series->setName(FromGbk(line.nameGbk));
  series->setPointsVisible(true);
  if (dashed) series->setPen(QPen(Qt::darkRed, 1.5, Qt::DashLine));
  for (std::size_t step = 0; step < line.values.size(); ++step)
    if (line.values[step]) series->append(static_cast<qreal>(step), *line.values[step]);
  chart.addSeries(series);
  series->attachAxis(&x);
  series->attachAxis(&y);
}

bool WriteBuffer(const QByteArray& bytes, const ByteSink& write) {
  return write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// Shows `data` in `shown`, in place of what it showed.
void Fill(QChart* shown, const ChartData& data) {
  shown->removeAllSeries();
  for (QAbstractAxis* axis : shown->axes()) {
    shown->removeAxis(axis);
    delete axis;
  }
  // The steps are labels, not numbers: a category axis puts each under its point.
  auto* x = new QCategoryAxis;
  x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (std::size_t step = 0; step < data.stepsGbk.size(); ++step)
    x->append(FromGbk(data.stepsGbk[step]), static_cast<qreal>(step));
  x->setRange(-0.5, std::max(0.5, static_cast<qreal>(data.stepsGbk.size()) - 0.5));
  // Side by side, more than a few labels would be cut short; slanted, each shows whole.
  if (data.stepsGbk.size() > 4) x->setLabelsAngle(-45);
  auto* y = new QValueAxis;
  y->setRange(0, data.top);
  y->setLabelFormat(QStringLiteral("%.1f"));
  shown->addAxis(x, Qt::AlignBottom);
  shown->addAxis(y, Qt::AlignLeft);
  for (const ChartLine& line : data.lines) AddLine(*shown, line, *x, *y, false);
  if (data.level && !data.level->values.empty() && !data.stepsGbk.empty()) {
    ChartLine across{data.level->nameGbk, {}};
    across.values.assign(data.stepsGbk.size(), data.level->values.front());
    AddLine(*shown, across, *x, *y, true);
  }
}

}  // namespace

QWidget* MakeChartView(QWidget* parent) {
  auto* view = new QChartView(new QChart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->chart()->legend()->setAlignment(Qt::AlignBottom);
  return view;
}

void SetChartData(QWidget* chart, const ChartData& data) {
  if (QChart* shown = ChartOf(chart)) Fill(shown, data);
}

void DrawChart(const ChartData& data, QPainter& painter, const QRectF& box) {
  QGraphicsScene scene;
  auto* chart = new QChart;
  scene.addItem(chart);
  chart->legend()->setAlignment(Qt::AlignBottom);
  Fill(chart, data);
  // The document's own type, a little smaller than its text.
  QFont font(ProgramFamily());
  font.setPointSizeF(kDocumentPointSize);
  chart->legend()->setFont(font);
  for (QAbstractAxis* axis : chart->axes()) axis->setLabelsFont(font);
  chart->setGeometry(QRectF(QPointF(), box.size()));
  scene.render(&painter, box, chart->geometry());
}

std::vector<std::vector<std::pair<double, double>>> ChartPoints(const QWidget* chart) {
  std::vector<std::vector<std::pair<double, double>>> lines;
  const QChart* shown = ChartOf(chart);
  for (QAbstractSeries* series : shown ? shown->series() : QList<QAbstractSeries*>()) {
    std::vector<std::pair<double, double>> points;
    for (const QPointF& point : static_cast<QLineSeries*>(series)->points())
      points.emplace_back(point.x(), point.y());
    lines.push_back(std::move(points));
  }
  return lines;
}

double ChartTop(const QWidget* chart) {
  const QChart* shown = ChartOf(chart);
  const auto axes = shown ? shown->axes(Qt::Vertical) : QList<QAbstractAxis*>();
  return axes.empty() ? 0.0 : static_cast<QValueAxis*>(axes.front())->max();
}

bool WriteChartPng(QWidget* chart, const ByteSink& write) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  return chart->grab().save(&buffer, "PNG") && WriteBuffer(bytes, write);
}

bool WriteChartSvg(QWidget* chart, const ByteSink& write) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(chart->size());
  svg.setViewBox(QRect(QPoint(), chart->size()));
  {
    QPainter painter(&svg);
    chart->render(&painter);
  }
  return WriteBuffer(bytes, write);
}

}  // namespace gradova::platform
