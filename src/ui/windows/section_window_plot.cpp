#include "ui/windows/section_window_plot.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QCategoryAxis>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/calculation/calculation_state.h"
#include "ui/base/plot_style.h"
#include "ui/base/text.h"

namespace orvalt {

namespace {

// A range on round ticks: about eight intervals of 1, 2 or 5 times a power
// of ten, the ends on ticks just outside [min, max].
void SetRoundRange(QValueAxis* axis, double min, double max) {
    if (!(max > min)) {
        min -= 1.0;
        max += 1.0;
    }
    const double raw = (max - min) / 8.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= raw) break;
    }
    const double low = std::floor(min / step) * step, high = std::ceil(max / step) * step;
    axis->setRange(low, high);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%.0f"));
}

const QColor kConditionColours[] = {QColor(0xd6, 0x27, 0x28), QColor(0x1f, 0x77, 0xb4),
                                    QColor(0x2c, 0xa0, 0x2c)};

} // namespace

int StepsForSpan(double length) {
    // A point every 5 m, at least 24 and at most 600 a span.
    return static_cast<int>(std::clamp(length / 5.0, 24.0, 600.0));
}

std::vector<QPointF> SpanWirePoints(double x0, double y0, const SectionSpan& span, double slantSag,
                                    int steps) {
    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double chord = y0 + span.heightDifference * t;
        points.emplace_back(x0 + span.length * t, chord - 4.0 * slantSag * t * (1.0 - t));
    }
    return points;
}

std::vector<QPointF> CatenaryWirePoints(double x0, double y0, double S, double h, double H,
                                        double w, int steps) {
    const double C = H / w;
    // The lowest point of the whole curve lies `a` from the first clamp:
    // C (cosh((S - a) / C) - cosh(a / C)) = h.
    const double a = S / 2.0 - C * std::asinh(h / (2.0 * C * std::sinh(S / (2.0 * C))));
    const double atFirst = std::cosh(a / C);
    std::vector<QPointF> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double x = S * static_cast<double>(i) / steps;
        points.emplace_back(x0 + x, y0 + C * (std::cosh((x - a) / C) - atFirst));
    }
    return points;
}

SectionProfilePlot::SectionProfilePlot(QWidget* parent) : QChartView(new QChart, parent) {
    setObjectName(QStringLiteral("chvProfile"));
    setRenderHint(QPainter::Antialiasing);
    QChart* plot = chart();
    StylePlainChart(*plot, Qt::AlignBottom);
    xAxis_ = NewPlotAxis(QStringLiteral("距離 [m]"));
    yAxis_ = NewPlotAxis(QStringLiteral("高さ [m]"));
    plot->addAxis(xAxis_, Qt::AlignBottom);
    plot->addAxis(yAxis_, Qt::AlignLeft);
    for (int c = 0; c < 3; ++c) {
        wires_[c] = new QLineSeries;
        wires_[c]->setName(FromUtf8(std::string(kConditionNames[c])));
        QPen pen(kConditionColours[c]);
        pen.setWidthF(kCurvePenWidth);
        wires_[c]->setPen(pen);
        rulingWires_[c] = new QLineSeries;
        rulingWires_[c]->setName(FromUtf8(std::string(kConditionNames[c])));
        pen.setWidthF(1.0);
        pen.setStyle(Qt::DashLine);
        rulingWires_[c]->setPen(pen);
        rulingWires_[c]->setVisible(false);
    }
    lowPoints_ = new QScatterSeries;
    lowPoints_->setName(QStringLiteral("最低点（検討条件）"));
    lowPoints_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    lowPoints_->setMarkerSize(7.0);
    lowPoints_->setColor(kConditionColours[2]);
    supports_ = new QScatterSeries;
    supports_->setName(QStringLiteral("支持点"));
    supports_->setMarkerSize(9.0);
    supports_->setColor(Qt::black);
    for (QXYSeries* series :
         {static_cast<QXYSeries*>(wires_[0]), static_cast<QXYSeries*>(wires_[1]),
          static_cast<QXYSeries*>(wires_[2]), static_cast<QXYSeries*>(rulingWires_[0]),
         static_cast<QXYSeries*>(rulingWires_[1]), static_cast<QXYSeries*>(rulingWires_[2]),
         static_cast<QXYSeries*>(lowPoints_),
          static_cast<QXYSeries*>(supports_)}) {
        plot->addSeries(series);
        series->attachAxis(xAxis_);
        series->attachAxis(yAxis_);
    }
    setRulingShown(false);
    spanAxis_ = new QCategoryAxis;
    spanAxis_->setTitleText(QStringLiteral("径間"));
    spanAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    spanAxis_->setGridLineVisible(false);
    plot->addAxis(spanAxis_, Qt::AlignTop);
    supports_->attachAxis(spanAxis_);
    SetNiceRange(xAxis_, 0.0, 1.0);
    SetNiceRange(yAxis_, 0.0, 1.0);
}

double SectionProfilePlot::exaggeration() const {
    const QPointF units = UnitsPerPixel(*chart(), *xAxis_, *yAxis_);
    return units.y() > 0.0 ? units.x() / units.y() : 1.0;
}

void SectionProfilePlot::showExaggeration() {
    if (supports_->count() < 2) {
        chart()->setTitle(QString());
        return;
    }
    // The key to the two kinds of wire: the legend names the conditions
    // once, by the exact wires; the dashed ones are told apart here.
    chart()->setTitle(
        QStringLiteral("縦断図　%1（高さは距離の %2 倍に拡大）")
            .arg(rulingShown() ? QStringLiteral("実線: 精算（径間ごとの張力）　破線: 等価径間")
                               : QStringLiteral("実線: 精算（径間ごとの張力）"),
                 QString::number(exaggeration(), 'f', 1)));
}

void SectionProfilePlot::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    showExaggeration();
}

SectionProfilePlot::~SectionProfilePlot() = default;

void SectionProfilePlot::setRulingShown(bool shown) {
    for (QLineSeries* wire : rulingWires_) {
        wire->setVisible(shown);
        for (QLegendMarker* marker : chart()->legend()->markers(wire)) marker->setVisible(false);
    }
    showExaggeration();
}

bool SectionProfilePlot::rulingShown() const { return rulingWires_[0]->isVisible(); }

void SectionProfilePlot::clearSection() {
    for (QLineSeries* wire : wires_) wire->clear();
    for (QLineSeries* wire : rulingWires_) wire->clear();
    supports_->clear();
    lowPoints_->clear();
    for (const QString& label : spanAxis_->categoriesLabels()) spanAxis_->remove(label);
    showExaggeration();
}

void SectionProfilePlot::showSection(const std::vector<SectionSpan>& spans,
                                     const TensionSection& section,
                                     const BalancedSection& balanced,
                                     const std::array<QString, 3>& conditions) {
    QList<QPointF> supports{QPointF(0.0, 0.0)};
    QList<QPointF> wires[3], ruling[3];
    QList<QPointF> lowPoints;
    for (const QString& label : spanAxis_->categoriesLabels()) spanAxis_->remove(label);
    spanAxis_->setStartValue(0.0);
    double x = 0.0, y = 0.0;
    double low = 0.0, high = 0.0;
    const auto take = [&low, &high](const std::vector<QPointF>& points, QList<QPointF>& into) {
        for (const QPointF& p : points) {
            into.append(p);
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    };
    for (std::size_t i = 0; i < spans.size() && i < section.spans.size(); ++i) {
        const int steps = StepsForSpan(spans[i].length);
        for (int c = 0; c < 3; ++c) {
            take(SpanWirePoints(x, y, spans[i], section.spans[i][c].slantSag, steps), ruling[c]);
            const BalancedState& state = balanced.conditions[static_cast<std::size_t>(c)];
            if (i >= state.spans.size() || i + 1 >= state.supports.size()) continue;
            // The clamps where the strings have swung them.
            const BalancedSupport& from = state.supports[i];
            const BalancedSupport& to = state.supports[i + 1];
            const std::vector<QPointF> points = CatenaryWirePoints(
                x + from.displacement, y + from.rise,
                spans[i].length + to.displacement - from.displacement,
                spans[i].heightDifference + to.rise - from.rise,
                state.spans[i].horizontalTension, state.load, steps);
            take(points, wires[c]);
            if (c == 2) {
                const auto lowest = std::min_element(
                    points.begin(), points.end(),
                    [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
                // Only a low point between the supports: beyond the lower
                // support the wire pulls up on it and the lowest drawn point
                // is the support itself.
                if (lowest != points.begin() && lowest + 1 != points.end())
                    lowPoints.append(*lowest);
            }
        }
        x += spans[i].length;
        y += spans[i].heightDifference;
        supports.append(QPointF(x, y));
        high = std::max(high, y);
        spanAxis_->append(QString::number(i + 1), x);
    }
    for (int c = 0; c < 3; ++c) {
        const QString& name = conditions[static_cast<std::size_t>(c)];
        wires_[c]->setName(name);
        wires_[c]->replace(wires[c]);
        rulingWires_[c]->setName(name + QStringLiteral(" 等価径間"));
        rulingWires_[c]->replace(ruling[c]);
    }
    lowPoints_->replace(lowPoints);
    supports_->replace(supports);
    SetRoundRange(xAxis_, 0.0, x);
    spanAxis_->setRange(xAxis_->min(), xAxis_->max());
    SetRoundRange(yAxis_, low, high);
    showExaggeration();
}

} // namespace orvalt
