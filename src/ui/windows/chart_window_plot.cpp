#include "ui/windows/chart_window_plot.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>

#include "engine/number/number_text.h"
#include "engine/number/table_patterns.h"
#include "ui/base/fonts.h"
#include "ui/base/plot_style.h"
#include "ui/base/text.h"

namespace orvalt {

namespace {

// Ten colours that stay apart from each other, used in turn (the theme's
// own five would give the first and the sixth span the same colour).
const QColor kCurveColours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e),
                                QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
                                QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f),
                                QColor(0xbc, 0xbd, 0x22), QColor(0x17, 0xbe, 0xcf)};

} // namespace

// The chart is given to the view at once: a view made without one makes its
// own, and setChart would leave that one behind undeleted.
SagTemperaturePlot::SagTemperaturePlot(QWidget* parent) : QChartView(new QChart, parent) {
    setObjectName(QStringLiteral("chvSagTemperature"));
    setRenderHint(QPainter::Antialiasing);
    QChart* plot = chart();
    StylePlainChart(*plot, Qt::AlignRight);
    plot->setTitleFont(PlotFont(kTitlePixels));
    xAxis_ = NewPlotAxis(QStringLiteral("温度 [℃]"));
    yAxis_ = NewPlotAxis(QStringLiteral("弛度 [m]"));
    plot->addAxis(xAxis_, Qt::AlignBottom);
    plot->addAxis(yAxis_, Qt::AlignLeft);
    showCurves({});
}

SagTemperaturePlot::~SagTemperaturePlot() = default;

QLineSeries* SagTemperaturePlot::series(int index) const {
    return index >= 0 && index < static_cast<int>(series_.size())
               ? series_[static_cast<std::size_t>(index)]
               : nullptr;
}

void SagTemperaturePlot::showCurves(const TemperatureCurves& curves) {
    QToolTip::hideText();
    hovered_ = nullptr;
    for (QLineSeries* old : series_) {
        chart()->removeSeries(old);
        delete old;
    }
    series_.clear();
    curves_ = curves;

    double xMin = std::numeric_limits<double>::infinity();
    double xMax = -xMin;
    double yMax = 0.0; // sags read from zero
    double yMin = 0.0;
    for (const Curve& curve : curves_.sag) {
        for (const CurvePoint& p : curve.points) {
            xMin = std::min(xMin, p.x);
            xMax = std::max(xMax, p.x);
            yMin = std::min(yMin, p.y);
            yMax = std::max(yMax, p.y);
        }
    }
    SetNiceRange(xAxis_, xMin, xMax);
    SetNiceRange(yAxis_, yMin, yMax);

    for (const Curve& curve : curves_.sag) {
        auto* series = new QLineSeries;
        series->setName(FromUtf8(curve.name));
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(curve.points.size()));
        for (const CurvePoint& p : curve.points) points.append(QPointF(p.x, p.y));
        series->replace(points);
        chart()->addSeries(series);
        series->attachAxis(xAxis_);
        series->attachAxis(yAxis_);
        QPen pen(kCurveColours[series_.size() % std::size(kCurveColours)]);
        pen.setWidthF(kCurvePenWidth);
        series->setPen(pen);
        connect(series, &QXYSeries::hovered, this,
                [this, series](const QPointF& value, bool entered) {
                    Series_Hovered(series, value, entered);
                });
        series_.push_back(series);
    }
}

void SagTemperaturePlot::setNote(const QString& note) { chart()->setTitle(note); }

QString SagTemperaturePlot::note() const { return chart()->title(); }

// The stored point of `series` nearest on the screen to `value`.
std::optional<CurvePoint> SagTemperaturePlot::nearestPoint(const QXYSeries* series,
                                                           QPointF value) const {
    const auto found = std::find(series_.begin(), series_.end(), series);
    if (found == series_.end()) return std::nullopt;
    const Curve& curve = curves_.sag[static_cast<std::size_t>(found - series_.begin())];
    const QPointF perPixel = UnitsPerPixel(*chart(), *xAxis_, *yAxis_);
    const auto nearest =
        NearestPoint(curve.points, {value.x(), value.y()}, perPixel.x(), perPixel.y());
    if (!nearest) return std::nullopt;
    return curve.points[*nearest];
}

QString SagTemperaturePlot::pointText(const QXYSeries* series, QPointF value) const {
    const std::optional<CurvePoint> p = nearestPoint(series, value);
    if (!p) return {};
    return series->name() + QStringLiteral("\n温度 ") + QString::number(p->x, 'g', 6) +
           QStringLiteral(" ℃\n弛度 ") +
           FromUtf8(FormatWithPattern(static_cast<float>(p->y), table_pattern::kSag)) +
           QStringLiteral(" m");
}

void SagTemperaturePlot::Series_Hovered(QXYSeries* series, QPointF value, bool entered) {
    if (entered) {
        hovered_ = series;
        showPointTip(series, value);
    } else if (hovered_ == series) {
        hovered_ = nullptr;
        QToolTip::hideText();
    }
}

// Shows the text of the nearest stored point at that point itself.
void SagTemperaturePlot::showPointTip(QXYSeries* series, QPointF value) {
    const QString text = pointText(series, value);
    const std::optional<CurvePoint> p = nearestPoint(series, value);
    if (text.isEmpty() || !p) return;
    ShowPointTip(*this, series, QPointF(p->x, p->y), text);
}

void SagTemperaturePlot::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if (hovered_ == nullptr) return;
    const QPointF inChart = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    showPointTip(hovered_, chart()->mapToValue(inChart, hovered_));
}

} // namespace orvalt
