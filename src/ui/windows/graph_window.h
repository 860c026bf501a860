// frmGraph: the result table of one calculation as curves. Two plots one
// above the other share the span axis: sag against span and tension against
// span, one curve per load condition, with the critical span as a dashed
// vertical line on both and the maximum working tension as a line across the
// tension plot. The window shares the calculation of the window it was opened
// from, which a later calculation does not change.
//
// A long table (up to 32,767 spans) is thinned for display to the points
// each pixel column needs (ReduceForDisplay), and thinned again when the
// plot changes width; a point picked with the mouse is always one the
// calculation stored.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <memory>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/curves.h"
#include "ui/base/child_window.h"

class QChart;
class QChartView;
class QLineSeries;
class QMdiSubWindow;
class QPainter;
class QXYSeries;

namespace orvalt {

class WindowHost;

class frmGraph final : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    static constexpr bool kOneInstance = false;
    static constexpr bool kFixedFrame = false;
    static constexpr char kObjectName[] = "frmGraph";

    // Builds the plots; ShowGraphWindow adds, sizes and shows the window.
    frmGraph(WindowHost& host, std::shared_ptr<const CalculationState> calculation);
    ~frmGraph() override;

    // Everything is drawn from the calculation given: nothing to load.
    LoadOutcome Form_Load() { return {}; }
    void Form_Place(QMdiSubWindow& sub);

    std::shared_ptr<const CalculationState> calculation() const override { return calculation_; }
    // Prints its page; offers the page as an image.
    bool canPrint() const override { return true; }
    void print() override;
    std::optional<Image> image() const override;
    // The tension plot's axis, curves, maximum tension and point texts in
    // `units` (kN in SI); the sag plot stays.
    void showUnits(UnitSystem units) override;
    // The curves as plotted: tensions in the units shown.
    const SpanCurves& curves() const { return curves_; }

    QChartView* sagView() const;
    QChartView* tensionView() const;
    QChart* sagChart() const;
    QChart* tensionChart() const;

    // The series of the load conditions on each plot (高温季, 低温季, 検討条件),
    // and the two labelled lines; a line is null when there is none.
    QLineSeries* sagSeries(int condition) const;
    QLineSeries* tensionSeries(int condition) const;
    QLineSeries* criticalSpanLine(bool onTensionPlot) const;
    QLineSeries* maxTensionLine() const;

    // What hovering shows for the stored point of `series` nearest on the
    // screen to `value` (in the plot's units): the curve, the span and the
    // value. Empty when `series` is not one of this window's curves.
    QString pointText(const QXYSeries* series, QPointF value) const;

    // Draws the window's caption and both plots into `target` (device units
    // of the painter), laid out for the target's own size: for printing on a
    // landscape page and for saving as an image.
    void renderPlots(QPainter& painter, const QRectF& target) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Plot;

    void Series_Hovered(QXYSeries* series, QPointF value, bool entered);
    void showPointTip(const Plot& plot, QXYSeries* series, QPointF value);
    void alignPlots();
    void connectHovering(const Plot& plot);
    const Plot* plotOf(const QXYSeries* series) const;

    WindowHost& host_;
    const std::shared_ptr<const CalculationState> calculation_;
    SpanCurves curves_;
    UnitSystem units_ = UnitSystem::kKgf;
    std::unique_ptr<Plot> sag_;
    std::unique_ptr<Plot> tension_;
    QChartView* sagView_ = nullptr;
    QChartView* tensionView_ = nullptr;
    QXYSeries* hovered_ = nullptr; // the curve under the mouse, if any
};

// Opens a graph window for `calculation` (the one a result window keeps).
frmGraph* ShowGraphWindow(WindowHost& host, std::shared_ptr<const CalculationState> calculation);

} // namespace orvalt
