// How the plots look and answer the mouse, in one place: the face of their
// text, sized in pixels so that a printed or saved plot keeps the proportions
// of the window's; their value axes and ranges; the curves' pen; the tip at a
// point of a curve.
#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QPen>
#include <QPointF>
#include <QString>
#include <QValueAxis>

#include "ui/base/fonts.h"

class QChart;
class QChartView;
class QXYSeries;

namespace orvalt {

inline constexpr int kLabelPixels = 12; // tick labels, legend
inline constexpr int kTitlePixels = 13; // axis titles
inline constexpr double kCurvePenWidth = 1.6;

inline QFont PlotFont(int pixels) {
    QFont font = EntryFont(9.0);
    font.setPixelSize(pixels);
    return font;
}

// A value axis titled `title` (with its unit), plain number labels and a
// light grid; its owner sets the range.
inline QValueAxis* NewPlotAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(PlotFont(kTitlePixels));
    axis->setLabelsFont(PlotFont(kLabelPixels));
    axis->setLabelFormat(QStringLiteral("%g"));
    QPen grid(QColor(0xd4, 0xd4, 0xd4));
    grid.setWidthF(0.8);
    axis->setGridLinePen(grid);
    return axis;
}

// A flat chart: square corners, no shadow, small margins, the legend in the
// plot face at `legend`.
void StylePlainChart(QChart& chart, Qt::Alignment legend, QMargins margins = {6, 4, 10, 4});

// `axis` over min .. max widened to round tick values; an empty or a
// single-valued range is opened up around its value.
void SetNiceRange(QValueAxis* axis, double min, double max);

// Units of the axes per pixel of the chart's plot area; before the first
// layout one unit counts as one pixel.
QPointF UnitsPerPixel(const QChart& chart, const QValueAxis& xAxis, const QValueAxis& yAxis);

// Shows `text` as the tip at the point `value` of `series` in `view`.
void ShowPointTip(QChartView& view, QXYSeries* series, QPointF value, const QString& text);

} // namespace orvalt
