#include "ui/base/plot_style.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QToolTip>
#include <QXYSeries>

#include <algorithm>
#include <cmath>

namespace orvalt {

void StylePlainChart(QChart& chart, Qt::Alignment legend, QMargins margins) {
    chart.setBackgroundRoundness(0.0);
    chart.setDropShadowEnabled(false);
    chart.setMargins(margins);
    chart.legend()->setFont(PlotFont(kLabelPixels));
    chart.legend()->setAlignment(legend);
}

void SetNiceRange(QValueAxis* axis, double min, double max) {
    if (!(max >= min)) {
        min = 0.0;
        max = 1.0;
    }
    if (!(max > min)) {
        const double pad = std::max(1.0, std::fabs(min) * 0.1);
        min -= pad;
        max += pad;
    }
    axis->setRange(min, max);
    axis->applyNiceNumbers();
}

QPointF UnitsPerPixel(const QChart& chart, const QValueAxis& xAxis, const QValueAxis& yAxis) {
    const QRectF area = chart.plotArea();
    const double xSpan = xAxis.max() - xAxis.min();
    const double ySpan = yAxis.max() - yAxis.min();
    return {area.width() > 0.0 && xSpan > 0.0 ? xSpan / area.width() : 1.0,
            area.height() > 0.0 && ySpan > 0.0 ? ySpan / area.height() : 1.0};
}

void ShowPointTip(QChartView& view, QXYSeries* series, QPointF value, const QString& text) {
    QChart* chart = view.chart();
    const QPointF inChart = chart->mapToPosition(value, series);
    const QPoint inViewport = view.mapFromScene(chart->mapToScene(inChart));
    QToolTip::showText(view.viewport()->mapToGlobal(inViewport), text, &view);
}

} // namespace orvalt
