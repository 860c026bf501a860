// The profile of a tension section: the supports at their heights (the
// height differences added up, the first support at 0) and the wire of every
// span for the three load conditions, each span the parabola through its two
// supports with the computed slant sag below the chord at midspan. The span
// that hangs lowest and the one where the wire pulls up on a support show at
// a glance.
#pragma once

#include <QChartView>

#include <vector>

#include "engine/calculation/tension_section.h"

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace orvalt {

class SectionProfilePlot final : public QChartView {
    Q_OBJECT

public:
    explicit SectionProfilePlot(QWidget* parent);
    ~SectionProfilePlot() override;

    // Draws `section` of `spans`; nothing with no spans.
    void showSection(const std::vector<SectionSpan>& spans, const TensionSection& section);
    // Draws nothing.
    void clearSection();

    // The wire of condition 0..2 (高温季, 低温季, 検討条件) and the supports.
    QLineSeries* wire(int condition) const { return wires_[condition]; }
    QScatterSeries* supports() const { return supports_; }

private:
    QValueAxis* xAxis_ = nullptr;
    QValueAxis* yAxis_ = nullptr;
    QLineSeries* wires_[3] = {};
    QScatterSeries* supports_ = nullptr;
};

// Points along the wire of one span from (x0, y0) to (x0 + length,
// y0 + heightDifference) hanging `slantSag` below the chord at midspan:
// `steps` + 1 points, both supports included.
std::vector<QPointF> SpanWirePoints(double x0, double y0, const SectionSpan& span, double slantSag,
                                    int steps);

} // namespace orvalt
