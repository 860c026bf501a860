#include "ui/windows/section_window_plot.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <limits>

#include "engine/calculation/calculation_state.h"
#include "ui/base/plot_style.h"
#include "ui/base/text.h"

namespace orvalt {

namespace {

constexpr int kStepsPerSpan = 24;

const QColor kConditionColours[] = {QColor(0xd6, 0x27, 0x28), QColor(0x1f, 0x77, 0xb4),
                                    QColor(0x2c, 0xa0, 0x2c)};

} // namespace

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
    }
    supports_ = new QScatterSeries;
    supports_->setName(QStringLiteral("支持点"));
    supports_->setMarkerSize(9.0);
    supports_->setColor(Qt::black);
    for (QXYSeries* series :
         {static_cast<QXYSeries*>(wires_[0]), static_cast<QXYSeries*>(wires_[1]),
          static_cast<QXYSeries*>(wires_[2]), static_cast<QXYSeries*>(supports_)}) {
        plot->addSeries(series);
        series->attachAxis(xAxis_);
        series->attachAxis(yAxis_);
    }
    SetNiceRange(xAxis_, 0.0, 1.0);
    SetNiceRange(yAxis_, 0.0, 1.0);
}

SectionProfilePlot::~SectionProfilePlot() = default;

void SectionProfilePlot::clearSection() {
    for (QLineSeries* wire : wires_) wire->clear();
    supports_->clear();
}

void SectionProfilePlot::showSection(const std::vector<SectionSpan>& spans,
                                     const TensionSection& section) {
    QList<QPointF> supports{QPointF(0.0, 0.0)};
    QList<QPointF> wires[3];
    double x = 0.0, y = 0.0;
    double low = 0.0, high = 0.0;
    for (std::size_t i = 0; i < spans.size() && i < section.spans.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            for (const QPointF& p :
                 SpanWirePoints(x, y, spans[i], section.spans[i][c].slantSag, kStepsPerSpan)) {
                wires[c].append(p);
                low = std::min(low, p.y());
                high = std::max(high, p.y());
            }
        }
        x += spans[i].length;
        y += spans[i].heightDifference;
        supports.append(QPointF(x, y));
        high = std::max(high, y);
    }
    for (int c = 0; c < 3; ++c) wires_[c]->replace(wires[c]);
    supports_->replace(supports);
    SetNiceRange(xAxis_, 0.0, x);
    SetNiceRange(yAxis_, low, high);
}

} // namespace orvalt
