// The profile of a tension section: the supports at their heights (the
// height differences added up, the first support at 0) and the wire of every
// span for the three load conditions as the exact section (精算) hangs it:
// each span the catenary of its own horizontal tension between its two
// clamps, a suspension clamp moved along the line and raised by its string's
// swing. The ruling-span wires (one tension for the whole section, each span
// the parabola through its supports with the computed slant sag below the
// chord at midspan) can be drawn over them, dashed. The span that hangs
// lowest and the one where the wire pulls up on a support show at a glance.
#pragma once

#include <QChartView>

#include <array>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/tension_section.h"

class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace orvalt {

class SectionProfilePlot final : public QChartView {
    Q_OBJECT

public:
    explicit SectionProfilePlot(QWidget* parent);
    ~SectionProfilePlot() override;

    // Draws `balanced` and `section` of `spans`, the wires named by
    // `conditions` (name and temperature); nothing with no spans. The spans
    // are numbered along the top, the low point of each span's exact wire
    // under the study condition is marked, the axes end on round ticks just
    // past the section, and the chart's title states the vertical
    // exaggeration of the drawing.
    void showSection(const std::vector<SectionSpan>& spans, const TensionSection& section,
                     const BalancedSection& balanced, const std::array<QString, 3>& conditions);
    // Draws nothing.
    void clearSection();
    // Whether the ruling-span wires are drawn (dashed); not at first.
    void setRulingShown(bool shown);
    bool rulingShown() const;

    // The exact wire of condition 0..2 (高温季, 低温季, 検討条件), the
    // ruling-span one and the supports.
    QLineSeries* wire(int condition) const { return wires_[condition]; }
    QLineSeries* rulingWire(int condition) const { return rulingWires_[condition]; }
    QScatterSeries* supports() const { return supports_; }
    QScatterSeries* lowPoints() const { return lowPoints_; }
    // How many times the heights are drawn larger than the distances.
    double exaggeration() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showExaggeration();

    QValueAxis* xAxis_ = nullptr;
    QCategoryAxis* spanAxis_ = nullptr;
    QScatterSeries* lowPoints_ = nullptr;
    QValueAxis* yAxis_ = nullptr;
    QLineSeries* wires_[3] = {};
    QLineSeries* rulingWires_[3] = {};
    QScatterSeries* supports_ = nullptr;
};

// Points enough for a smooth curve of a span `length` m long.
int StepsForSpan(double length);

// Points along the wire of one span from (x0, y0) to (x0 + length,
// y0 + heightDifference) hanging `slantSag` below the chord at midspan:
// `steps` + 1 points, both supports included.
std::vector<QPointF> SpanWirePoints(double x0, double y0, const SectionSpan& span, double slantSag,
                                    int steps);

// Points along the catenary of horizontal tension H [kg] under w [kg/m]
// from the clamp at (x0, y0) to the one at (x0 + S, y0 + h): `steps` + 1
// points, both clamps included. H, w and S above 0.
std::vector<QPointF> CatenaryWirePoints(double x0, double y0, double S, double h, double H,
                                        double w, int steps);

} // namespace orvalt
