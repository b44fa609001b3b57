#pragma once
// A line chart over named steps: a few series of values, one per step, on a value axis from 0 to
// a top, and at most one level drawn across as a dashed line. It only shows; it takes no input.
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

class QPainter;
class QRectF;
class QWidget;

namespace gradova::platform {

struct ChartLine {
  std::string nameGbk;
  std::vector<std::optional<double>> values;  // one per step; a step may have none
};

struct ChartData {
  std::vector<std::string> stepsGbk;  // the labels along the bottom, in order
  std::vector<ChartLine> lines;
  double top = 1.0;                // the value axis runs from 0 to here
  std::optional<ChartLine> level;  // its first value, drawn across every step
};

QWidget* MakeChartView(QWidget* parent);
// Shows `data` in the chart view `chart`, in place of what it showed.
void SetChartData(QWidget* chart, const ChartData& data);
// Draws `data` as a chart filling `box`, for a document: the lines, axes and legend as the view
// shows them.
void DrawChart(const ChartData& data, QPainter& painter, const QRectF& box);
// The points each line of `chart` shows, as (step, value) pairs, the level last: what is drawn.
std::vector<std::vector<std::pair<double, double>>> ChartPoints(const QWidget* chart);
// The top of the value axis of `chart`.
double ChartTop(const QWidget* chart);
// Writes the chart as it is shown, at its size on screen, as a PNG image or an SVG drawing.
bool WriteChartPng(QWidget* chart, const ByteSink& write);
bool WriteChartSvg(QWidget* chart, const ByteSink& write);

}  // namespace gradova::platform
