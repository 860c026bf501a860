// The stringing chart's sag as curves: sag against stringing temperature,
// one curve per chosen span. The chart window shows it beside its tables and
// feeds it the spans the engineer picks (SpreadRows gives a first choice).
#pragma once

#include <QChartView>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

#include "engine/calculation/curves.h"

class QLineSeries;
class QMouseEvent;
class QValueAxis;
class QXYSeries;

namespace orvalt {

class SagTemperaturePlot final : public QChartView {
    Q_OBJECT

public:
    explicit SagTemperaturePlot(QWidget* parent = nullptr);
    ~SagTemperaturePlot() override;

    // Replaces the curves shown: x 温度 [℃], y 弛度 [m], one series per
    // curve named by its span, the axes widened to round values around all
    // points (the sag axis from zero).
    void showCurves(const TemperatureCurves& curves);

    // A line above the plot that says what it shows beyond the curves
    // (that only some of the chosen spans are drawn); empty for none.
    void setNote(const QString& note);
    QString note() const;

    const TemperatureCurves& curves() const { return curves_; }
    QValueAxis* temperatureAxis() const { return xAxis_; }
    QValueAxis* sagAxis() const { return yAxis_; }
    // The series of curve `index`, in the order of showCurves; null past the end.
    QLineSeries* series(int index) const;

    // What hovering shows for the point of `series` nearest on the screen to
    // `value`: the span, the temperature and the sag. Empty for a series not
    // shown here.
    QString pointText(const QXYSeries* series, QPointF value) const;

protected:
    // While the mouse is on a curve, the tip follows it from point to point.
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Series_Hovered(QXYSeries* series, QPointF value, bool entered);
    void showPointTip(QXYSeries* series, QPointF value);
    std::optional<CurvePoint> nearestPoint(const QXYSeries* series, QPointF value) const;

    TemperatureCurves curves_;
    QValueAxis* xAxis_ = nullptr;
    QValueAxis* yAxis_ = nullptr;
    std::vector<QLineSeries*> series_;
    QXYSeries* hovered_ = nullptr; // the curve under the mouse, if any
};

} // namespace orvalt
