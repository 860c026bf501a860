// frmChart: the stringing chart (架線弛度表) of one calculation. The crew
// strings a bare wire in still air at the day's temperature; the chart gives
// the sag and the tension of every span of the result table at a range of
// stringing temperatures. The window keeps its own copy of the calculation,
// so later calculations do not change it.
#pragma once

#include <QWidget>

#include <cstdint>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/stringing_chart.h"

class QPainter;
class QRectF;
class QSpinBox;

namespace orvalt {

class ChartTableModel;
class CopyableTableView;
class SagTemperaturePlot;
class WindowHost;

// The tag that marks a chart window for the print and CSV commands.
inline constexpr char kChartWindowTag[] = "chart";

class frmChart final : public QWidget {
    Q_OBJECT

public:
    frmChart(WindowHost& host, CalculationState calculation);
    ~frmChart() override;

    // Computes the chart for the default temperatures (-10 to 40 ℃ by
    // 10 ℃). False, with the engine's message shown, when it cannot be
    // computed; the window is then not to be shown.
    bool Form_Load();

    const CalculationState& calculation() const { return calculation_; }
    const StringingChart& chart() const { return chart_; }
    // The chart as text for printing, in the report's fixed columns.
    QString chartText() const;
    // Draws the sag-temperature plot into `target`, for an image.
    void renderPlot(QPainter& painter, const QRectF& target) const;
    SagTemperaturePlot* plot() const { return plot_; }

private slots:
    void Temperature_Change();
    void grdSag_SelectionChange();

private:
    bool recompute(std::int16_t from, std::int16_t to, std::int16_t step);
    void showTemperatures();

    WindowHost& host_;
    const CalculationState calculation_;
    StringingChart chart_;
    std::int16_t from_ = -10, to_ = 40, step_ = 10; // of the chart shown
    QSpinBox* spnFrom_ = nullptr;
    QSpinBox* spnTo_ = nullptr;
    QSpinBox* spnStep_ = nullptr;
    ChartTableModel* sagModel_ = nullptr;
    ChartTableModel* tensionModel_ = nullptr;
    CopyableTableView* grdSag_ = nullptr;
    CopyableTableView* grdTension_ = nullptr;
    SagTemperaturePlot* plot_ = nullptr;
};

// Opens a chart window for `calculation` (the copy a result window keeps).
// Nothing opens when the chart cannot be computed; the reason is shown.
frmChart* ShowChartWindow(WindowHost& host, const CalculationState& calculation);

} // namespace orvalt
