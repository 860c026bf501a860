#include "ui/windows/chart_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

#include "engine/calculation/calculation_error.h"
#include "engine/calculation/curves.h"
#include "engine/case/case_document.h"
#include "engine/output/chart_text.h"
#include "engine/number/result_columns.h"
#include "engine/output/csv_text.h"
#include "engine/output/long_span_check.h"
#include "ui/base/copyable_table_view.h"
#include "ui/base/field_check_view.h"
#include "ui/base/fonts.h"
#include "ui/base/mdi_child.h"
#include "ui/base/message_box.h"
#include "ui/base/printing.h"
#include "ui/base/temperature_boxes.h"
#include "ui/base/text.h"
#include "ui/base/window_host.h"
#include "ui/windows/chart_window_model.h"
#include "ui/windows/chart_window_plot.h"

namespace orvalt {

namespace {

// The most spans the plot draws at once: as many as it has colours.
constexpr std::size_t kMostSpansPlotted = 10;

CopyableTableView* ChartTable(const QString& name, ChartTableModel* model, QWidget* parent) {
    auto* view = new CopyableTableView(QStringLiteral("径間[m]"), parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setFont(EntryFont(10.5));
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    view->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    return view;
}

} // namespace

frmChart::frmChart(WindowHost& host, std::shared_ptr<const CalculationState> calculation)
    : host_(host), calculation_(std::move(calculation)) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("架線弛度表 : ") +
                   QString::fromStdString(calculation_->currentWire.wireName));
    setFont(FormFont());

    const TemperatureBoxes temperatureBoxes = AddTemperatureBoxes(this, from_, to_, step_);
    spnFrom_ = temperatureBoxes.from;
    spnTo_ = temperatureBoxes.to;
    spnStep_ = temperatureBoxes.step;
    QHBoxLayout* temperatures = temperatureBoxes.row;

    sagModel_ = new ChartTableModel(ChartTableModel::Quantity::Sag, this);
    sagModel_->setLoad(calculation_->currentWire.unitWeight);
    tensionModel_ = new ChartTableModel(ChartTableModel::Quantity::Tension, this);
    grdSag_ = ChartTable(QStringLiteral("grdSag"), sagModel_, this);
    grdTension_ = ChartTable(QStringLiteral("grdTension"), tensionModel_, this);

    plot_ = new SagTemperaturePlot(this);
    plot_->setObjectName(QStringLiteral("plotSag"));

    // The temperatures across the top; the two tables on the left, the
    // plot of the chosen spans on the right.
    auto* tables = new QVBoxLayout;
    tables->addWidget(new QLabel(QStringLiteral("弛度 [m]"), this));
    tables->addWidget(grdSag_, 1);
    lblLongSpan_ = new QLabel(this);
    lblLongSpan_->setObjectName(QStringLiteral("lblLongSpan"));
    lblLongSpan_->setWordWrap(true);
    tables->addWidget(lblLongSpan_);
    lblTension_ = new QLabel(QStringLiteral("張力 [kg]"), this);
    lblTension_->setObjectName(QStringLiteral("lblTension"));
    tables->addWidget(lblTension_);
    tables->addWidget(grdTension_, 1);
    auto* chartPage = new QWidget(this);
    auto* body = new QHBoxLayout(chartPage);
    body->addLayout(tables, 1);
    body->addWidget(plot_, 1);
    field_ = new FieldCheckView(host_.messages(), this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabChart"));
    tabs_->addTab(chartPage, QStringLiteral("架線弛度表"));
    tabs_->addTab(field_, QStringLiteral("弛度観測"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(temperatures);
    layout->addWidget(tabs_, 1);
    // From the temperatures straight into the sag table, as before the tabs.
    setTabOrder(spnStep_, grdSag_);

    for (QSpinBox* box : {spnFrom_, spnTo_, spnStep_})
        connect(box, &QSpinBox::valueChanged, this, &frmChart::Temperature_Change);
    connect(grdSag_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmChart::grdSag_SelectionChange);
    connect(field_, &FieldCheckView::settingsChanged, this, &frmChart::FieldCheck_Change);
    connect(tabs_, &QTabWidget::currentChanged, this, &frmChart::showFieldCheck);
}

frmChart::~frmChart() = default;

LoadOutcome frmChart::Form_Load() {
    showUnits(host_.document().units());
    const CaseFieldCheck& fieldCheck = host_.document().content().fieldCheck;
    field_->setSettings(fieldCheck.waves, fieldCheck.sightingA);
    const CaseChartRange start = host_.document().content().chart;
    LoadOutcome outcome;
    outcome.show = recompute(start.from, start.to, start.step); // it told why not
    if (outcome.show) showTemperatures();
    return outcome;
}

void frmChart::Form_Place(QMdiSubWindow& sub) {
    SizeChildWindow(host_.mdiArea(), sub, QSize(1100, 620));
}

QString frmChart::chartText() const {
    const std::string text = ComposeStringingChartText(*calculation_, chart_, units_);
    return FromUtf8(text);
}

FieldSheet frmChart::fieldSheet() const {
    return FieldSheetOfChart(chart_, field_->waves(), field_->sight());
}

bool frmChart::fieldCheckShown() const { return tabs_->currentWidget() == field_; }

// The sheet is built when its tab is shown: a chart of thousands of spans
// costs nothing while only its tables are looked at.
// N and a, once taken, are the design's.
void frmChart::FieldCheck_Change() {
    host_.document().setFieldCheck({field_->waves(), field_->sight()});
    showFieldCheck();
}

void frmChart::showFieldCheck() {
    if (fieldCheckShown()) field_->showSheet(fieldSheet());
}

void frmChart::print() {
    const QString text =
        fieldCheckShown() ? field_->sheetText(*calculation_, fieldSheet()) : chartText();
    PrintWithDialog(host_.printService(), host_.messages(), host_.hostWidget(), text);
}

std::optional<ChildWindow::Csv> frmChart::csv() const {
    if (fieldCheckShown())
        return Csv{ComposeFieldSheetCsv(fieldSheet()), QStringLiteral("_弛度観測表")};
    return Csv{ComposeStringingChartCsv(chart_, units_), QStringLiteral("_架線弛度表")};
}

void frmChart::showUnits(UnitSystem units) {
    units_ = units;
    lblTension_->setText(QStringLiteral("張力 ") +
                         FromUtf8(BracketedUnit(ResultColumn::kTension, units)));
    sagModel_->setUnits(units);
    tensionModel_->setUnits(units);
    field_->showUnits(units); // prints the crew's sheet's head in them
}

std::optional<ChildWindow::Image> frmChart::image() const {
    return Image{[this](QPainter& painter, const QRectF& target) { renderPlot(painter, target); },
                 QStringLiteral("_架線弛度表")};
}

bool frmChart::recompute(std::int16_t from, std::int16_t to, std::int16_t step) {
    StringingChart chart;
    try {
        chart = ComputeStringingChart(*calculation_, from, to, step);
    } catch (const CalculationError& error) {
        host_.messages().Show(this, EngineMessage(error.what()), MessageIcon::Exclamation,
                              MessageButtons::Ok);
        return false;
    }
    sagModel_->setChart(nullptr);
    tensionModel_->setChart(nullptr);
    chart_ = std::move(chart);
    from_ = from;
    to_ = to;
    step_ = step;
    sagModel_->setChart(&chart_);
    tensionModel_->setChart(&chart_);
    lblLongSpan_->setText(FromUtf8(LongSpanNote(chart_, calculation_->currentWire.unitWeight)));
    grdSag_SelectionChange();
    showFieldCheck();
    return true;
}

// The plot follows the spans (rows) selected in the sag table; with none
// selected, six spans spread over the range. A selection of more spans than
// the plot can tell apart (one colour each) is drawn as that many spans
// spread over it, and the plot says so: thousands of curves would bury each
// other and stall the window. The selection is read as its ranges, never
// cell by cell, so that Ctrl+A over the largest table costs no more than a
// click.
void frmChart::grdSag_SelectionChange() {
    std::vector<RowRange> ranges;
    for (const QItemSelectionRange& range : grdSag_->selectionModel()->selection())
        ranges.push_back(
            {static_cast<std::size_t>(range.top()), static_cast<std::size_t>(range.bottom())});
    const RowsToDraw draw = SpreadOverRanges(std::move(ranges), kMostSpansPlotted);
    plot_->showCurves(
        CurvesOfChart(chart_, draw.selected == 0 ? SpreadRows(chart_.rows.size()) : draw.rows));
    plot_->setNote(draw.rows.size() < draw.selected
                       ? QStringLiteral("選択した %1 径間のうち %2 径間を表示")
                             .arg(draw.selected)
                             .arg(draw.rows.size())
                       : QString());
}

void frmChart::renderPlot(QPainter& painter, const QRectF& target) const {
    plot_->render(&painter, target, plot_->viewport()->rect());
}

void frmChart::showTemperatures() {
    const QSignalBlocker blockFrom(spnFrom_), blockTo(spnTo_), blockStep(spnStep_);
    spnFrom_->setValue(from_);
    spnTo_->setValue(to_);
    spnStep_->setValue(step_);
}

// A range the engine refuses keeps the chart shown, and the boxes go back to
// the temperatures it was computed for; a range it takes is the document's.
void frmChart::Temperature_Change() {
    const auto value = [](const QSpinBox* box) { return static_cast<std::int16_t>(box->value()); };
    if (!recompute(value(spnFrom_), value(spnTo_), value(spnStep_))) {
        showTemperatures();
        return;
    }
    host_.document().setChart({from_, to_, step_});
}

frmChart* ShowChartWindow(WindowHost& host, std::shared_ptr<const CalculationState> calculation) {
    return OpenChildWindow<frmChart>(host, std::move(calculation));
}

} // namespace orvalt
