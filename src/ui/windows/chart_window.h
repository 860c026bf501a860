// frmChart: the stringing chart (架線弛度表) of one calculation. The crew
// strings a bare wire in still air at the day's temperature; the chart gives
// the sag and the tension of every span of the result table at a range of
// stringing temperatures. The window shares the calculation of the result
// window it was opened from, which later calculations do not change. Its
// 弛度観測 tab gives the crew's sheet for the same spans and temperatures;
// with that tab shown, printing and CSV give the sheet. Long spans, where
// the parabola's sag is more than 1 % off the catenary's, are marked.
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/output/field_sheet_text.h"
#include "ui/base/child_window.h"

class QMdiSubWindow;
class QPainter;
class QRectF;
class QLabel;
class QSpinBox;
class QTabWidget;

namespace orvalt {

class ChartTableModel;
class CopyableTableView;
class FieldCheckView;
class SagTemperaturePlot;
class WindowHost;

class frmChart final : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    static constexpr bool kOneInstance = false;
    static constexpr bool kFixedFrame = false;
    static constexpr char kObjectName[] = "frmChart";

    frmChart(WindowHost& host, std::shared_ptr<const CalculationState> calculation);
    ~frmChart() override;

    // Computes the chart for the temperatures of the host's document (those
    // of the case opened or last set in a chart window; -10 to 40 ℃ by
    // 10 ℃ until then). Not to be shown, with the engine's message shown,
    // when it cannot be computed.
    LoadOutcome Form_Load();
    void Form_Place(QMdiSubWindow& sub);

    std::shared_ptr<const CalculationState> calculation() const override { return calculation_; }
    const StringingChart& chart() const { return chart_; }
    // The chart as text for printing, in the report's fixed columns.
    QString chartText() const;
    // The crew's sheet for the chart shown, with the 弛度観測 tab's N and a.
    FieldSheet fieldSheet() const;
    // Draws the sag-temperature plot into `target`, for an image.
    void renderPlot(QPainter& painter, const QRectF& target) const;

    // Prints the chart text; offers the chart as CSV and its plot as an image.
    bool canPrint() const override { return true; }
    void print() override;
    std::optional<Csv> csv() const override;
    std::optional<Image> image() const override;
    // The 架線弛度表 tab's tension table, its caption, the long-span tooltips,
    // its CSV and its printout in `units`; sags and temperatures stay.
    void showUnits(UnitSystem units) override;

private slots:
    void Temperature_Change();
    void FieldCheck_Change();
    void grdSag_SelectionChange();

private:
    bool recompute(std::int16_t from, std::int16_t to, std::int16_t step);
    void showTemperatures();
    void showFieldCheck();
    bool fieldCheckShown() const;

    WindowHost& host_;
    const std::shared_ptr<const CalculationState> calculation_;
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
    QLabel* lblLongSpan_ = nullptr;
    QLabel* lblTension_ = nullptr;
    UnitSystem units_ = UnitSystem::kKgf;
    QTabWidget* tabs_ = nullptr;
    FieldCheckView* field_ = nullptr;
};

// Opens a chart window for `calculation` (the one a result window keeps).
// Nothing opens when the chart cannot be computed; the reason is shown.
frmChart* ShowChartWindow(WindowHost& host, std::shared_ptr<const CalculationState> calculation);

} // namespace orvalt
