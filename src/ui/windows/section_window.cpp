#include "ui/windows/section_window.h"

#include <QBrush>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <string>

#include "engine/calculation/calculation.h"
#include "engine/calculation/calculation_error.h"
#include "engine/case/case_document.h"
#include "engine/forms/section_form.h"
#include "engine/number/number_text.h"
#include "engine/output/balanced_section_text.h"
#include "engine/output/field_sheet_text.h"
#include "engine/output/long_span_check.h"
#include "engine/output/section_text.h"
#include "ui/base/copyable_table_view.h"
#include "ui/base/field_check_view.h"
#include "ui/base/fonts.h"
#include "ui/base/mdi_child.h"
#include "ui/base/message_box.h"
#include "ui/base/printing.h"
#include "ui/base/result_marks.h"
#include "ui/base/title_block.h"
#include "ui/base/temperature_boxes.h"
#include "ui/base/text.h"
#include "ui/base/window_host.h"
#include "ui/windows/section_window_clearance.h"
#include "ui/windows/section_window_plot.h"
#include "ui/windows/section_window_spans.h"
#include "ui/windows/section_window_supports.h"

namespace orvalt {

namespace {

const QString kSuffix = QStringLiteral("_区間計算");

CopyableTableView* ResultTable(const QString& name, const QString& corner,
                               QStandardItemModel* model, QWidget* parent) {
    auto* view = new CopyableTableView(corner, parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setFont(EntryFont(10.5));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    return view;
}

// Fills `model` with `cells`: the first row the column headings, the first
// column the row headings, the rest right-aligned values.
void FillModel(QStandardItemModel& model, const CellTable& cells) {
    model.clear();
    if (cells.empty()) return;
    model.setColumnCount(static_cast<int>(cells[0].size()) - 1);
    model.setRowCount(static_cast<int>(cells.size()) - 1);
    for (std::size_t c = 1; c < cells[0].size(); ++c)
        model.setHorizontalHeaderItem(static_cast<int>(c) - 1,
                                      new QStandardItem(FromUtf8(cells[0][c])));
    for (std::size_t r = 1; r < cells.size(); ++r) {
        model.setVerticalHeaderItem(static_cast<int>(r) - 1,
                                    new QStandardItem(FromUtf8(cells[r][0])));
        for (std::size_t c = 1; c < cells[r].size(); ++c) {
            auto* item = new QStandardItem(FromUtf8(cells[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            model.setItem(static_cast<int>(r) - 1, static_cast<int>(c) - 1, item);
        }
    }
}

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// The plot's names of the three conditions, each with its temperature.
std::array<QString, 3> ConditionLabels(const CalculationState& c) {
    const std::int16_t temperatures[3] = {c.temperatureHigh, c.temperatureLow, c.temperatureStudy};
    std::array<QString, 3> labels;
    for (std::size_t i = 0; i < 3; ++i)
        labels[i] = QStringLiteral("%1 %2℃")
                        .arg(FromUtf8(std::string(kConditionNames[i])))
                        .arg(temperatures[i]);
    return labels;
}

} // namespace

frmSection::frmSection(WindowHost& host) : host_(host) {
    setObjectName(QLatin1String(kObjectName));
    setFont(FormFont());
    conditionModel_ = new QStandardItemModel(this);
    spanModel_ = new QStandardItemModel(this);
    chartModel_ = new QStandardItemModel(this);

    lblEquivalent_ = new QLabel(this);
    lblEquivalent_->setObjectName(QStringLiteral("lblEquivalent"));
    grdConditions_ =
        ResultTable(QStringLiteral("grdConditions"), QStringLiteral("条件"), conditionModel_, this);
    grdConditions_->setMaximumHeight(grdConditions_->fontMetrics().height() * 7);
    grdResults_ =
        ResultTable(QStringLiteral("grdResults"), QStringLiteral("径間"), spanModel_, this);
    auto* results = new QWidget(this);
    auto* resultLayout = new QVBoxLayout(results);
    resultLayout->addWidget(lblEquivalent_);
    resultLayout->addWidget(grdConditions_);
    resultLayout->addWidget(grdResults_, 1);
    exact_ = new SectionExactPanel(host_.messages(), this);
    resultLayout->addWidget(exact_->resultsPart(), 1);
    lblResultLegend_ = new QLabel(results);
    lblResultLegend_->setObjectName(QStringLiteral("lblResultLegend"));
    lblResultLegend_->setTextFormat(Qt::RichText);
    resultLayout->addWidget(lblResultLegend_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabResults"));
    tabs_->addTab(results, QStringLiteral("結果"));
    tabs_->addTab(buildProfilePage(), QStringLiteral("縦断図"));
    tabs_->addTab(buildChartPage(), QStringLiteral("架線弛度表"));
    tabs_->addTab(buildFieldPage(), QStringLiteral("弛度観測"));
    clearance_ = new SectionClearanceView(host_.messages(), this);
    tabs_->addTab(clearance_, QStringLiteral("離隔"));
    connect(field_, &FieldCheckView::settingsChanged, this, &frmSection::FieldCheck_Change);
    connect(tabs_, &QTabWidget::currentChanged, this, &frmSection::showFieldCheck);
    // 印刷, CSV and 画像 act on the page shown.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { host_.updateMenus(); });

    lblMessage_ = new QLabel(this);
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    lblMessage_->setWordWrap(true);
    lblStale_ = new QLabel(this);
    lblStale_->setObjectName(QStringLiteral("lblStale"));
    lblStale_->setWordWrap(true);
    lblStale_->setStyleSheet(QStringLiteral("QLabel { background: #fff3cd; color: #5c4400; "
                                            "border: 1px solid #e0c97a; padding: 4px; }"));
    lblStale_->hide();
    auto* resultSide = new QVBoxLayout;
    resultSide->addWidget(lblStale_);
    resultSide->addWidget(tabs_, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(buildSpanSide());
    body->addLayout(resultSide, 1);
    connect(grdSpans_, &NumberTable::noted, lblMessage_, &QLabel::setText);
    connect(grdSpans_, &NumberTable::edited, this, &frmSection::grdSpans_Change);
    connect(exact_, &SectionExactPanel::edited, this, &frmSection::grdSpans_Change);
    clearance_->followSpans(grdSpans_);
    connect(clearance_, &SectionClearanceView::edited, this, &frmSection::grdSpans_Change);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(lblMessage_);
}

frmSection::~frmSection() = default;

QWidget* frmSection::buildSpanSide() {
    auto* side = new QWidget(this);
    grdSpans_ = new SectionSpanTable(host_.messages(), side);
    grdSpans_->setObjectName(QStringLiteral("grdSpans"));
    grdSpans_->setFont(EntryFont(10.5));
    auto* label = new QLabel(QStringLiteral("径間一覧"), side);
    label->setBuddy(grdSpans_);
    auto* add = Button(QStringLiteral("行追加(&A)"), QStringLiteral("cmdAddRow"), side);
    auto* remove = Button(QStringLiteral("行削除(&D)"), QStringLiteral("cmdRemoveRow"), side);
    auto* calculate = Button(QStringLiteral("計算(&R)"), QStringLiteral("cmdCalculate"), side);
    connect(add, &QPushButton::clicked, this, [this] {
        grdSpans_->appendRow();
        grdSpans_->setFocus();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        grdSpans_->removeCurrentRow();
        grdSpans_->setFocus();
    });
    connect(calculate, &QPushButton::clicked, this, &frmSection::cmdCalculate_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(calculate);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(grdSpans_, 1);
    layout->addLayout(buttons);
    layout->addWidget(exact_->supportSide(), 1);
    exact_->followSpans(grdSpans_);
    side->setFixedWidth(300);
    return side;
}

// The profile with, above it, the choice of the ruling wires drawn dashed.
QWidget* frmSection::buildProfilePage() {
    profilePage_ = new QWidget(this);
    plot_ = new SectionProfilePlot(profilePage_);
    chkRuling_ = new QCheckBox(QStringLiteral("等価径間の電線も描く（破線）(&B)"), profilePage_);
    chkRuling_->setObjectName(QStringLiteral("chkRuling"));
    connect(chkRuling_, &QCheckBox::toggled, plot_, &SectionProfilePlot::setRulingShown);
    auto* layout = new QVBoxLayout(profilePage_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chkRuling_);
    layout->addWidget(plot_, 1);
    return profilePage_;
}

QWidget* frmSection::buildFieldPage() {
    fieldPage_ = new QWidget(this);
    field_ = new FieldCheckView(host_.messages(), fieldPage_);
    auto* layout = new QVBoxLayout(fieldPage_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(sagBasisRow(fieldPage_));
    layout->addWidget(field_, 1);
    return fieldPage_;
}

// 弛度: 等価径間 (the ruling span's sags, today's) or 径間ごと（精算） (every
// span's own, as the crew will find them on the built section), with the
// note of what the chosen sags assume. Every tab's row shows the one choice.
QLayout* frmSection::sagBasisRow(QWidget* page) {
    auto* ruling = new QRadioButton(QStringLiteral("等価径間(&Q)"), page);
    auto* exact = new QRadioButton(QStringLiteral("径間ごと（精算）(&X)"), page);
    const QString tab = QString::number(sagBasis_.size());
    ruling->setObjectName(QStringLiteral("optRulingSags") + tab);
    exact->setObjectName(QStringLiteral("optExactSags") + tab);
    ruling->setChecked(true);
    auto* group = new QButtonGroup(page);
    group->addButton(ruling);
    group->addButton(exact);
    connect(exact, &QRadioButton::toggled, this, &frmSection::SagBasis_Change);
    auto* note = new QLabel(FromUtf8(kRulingAssumptionNote), page);
    note->setObjectName(QStringLiteral("lblSagBasis") + tab);
    note->setWordWrap(true);
    sagBasis_.push_back({ruling, exact, note});
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("弛度"), page));
    row->addWidget(ruling);
    row->addWidget(exact);
    row->addWidget(note, 1);
    return row;
}

void frmSection::SagBasis_Change(bool exact) {
    if (exact == exactSags_) return;
    exactSags_ = exact;
    for (const SagBasisRow& row : sagBasis_) {
        const QSignalBlocker blockRuling(row.ruling), blockExact(row.exact);
        (exact ? row.exact : row.ruling)->setChecked(true);
        row.note->setText(FromUtf8(exact ? kExactNote : kRulingAssumptionNote));
    }
    if (computed_) showChart();
}

QWidget* frmSection::buildChartPage() {
    auto* page = new QWidget(this);
    const TemperatureBoxes boxes = AddTemperatureBoxes(page, from_, to_, step_);
    spnFrom_ = boxes.from;
    spnTo_ = boxes.to;
    spnStep_ = boxes.step;
    for (QSpinBox* box : {spnFrom_, spnTo_, spnStep_})
        connect(box, &QSpinBox::valueChanged, this, &frmSection::Temperature_Change);
    grdChart_ = ResultTable(QStringLiteral("grdChart"), QString(), chartModel_, page);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(boxes.row);
    layout->addLayout(sagBasisRow(page));
    layout->addWidget(new QLabel(QStringLiteral("無風・無氷（負荷係数 1）"), page));
    layout->addWidget(grdChart_, 1);
    lblChartNote_ = new QLabel(page);
    lblChartNote_->setObjectName(QStringLiteral("lblChartNote"));
    lblChartNote_->setWordWrap(true);
    lblChartNote_->setTextFormat(Qt::RichText);
    layout->addWidget(lblChartNote_);
    return page;
}

LoadOutcome frmSection::Form_Load() {
    const CaseFieldCheck& fieldCheck = host_.document().content().fieldCheck;
    field_->setSettings(fieldCheck.waves, fieldCheck.sightingA);
    units_ = host_.document().units();
    field_->showUnits(units_);
    exact_->supports()->showUnits(units_);
    auto state = std::make_shared<CalculationState>(host_.state());
    try {
        // The span table too, for the graph and chart windows opened from
        // here; a section needs only the loads, whatever the span range.
        RunCalculation(*state);
    } catch (const CalculationError&) {
        try {
            *state = host_.state();
            ComputeLoadsAndCriticalSpan(*state);
        } catch (const CalculationError& error) {
            return {.show = false, .message = EngineMessage(error.what())};
        }
    }
    calculation_ = std::move(state);
    const CaseChartRange temperatures = host_.document().content().chart;
    from_ = temperatures.from;
    to_ = temperatures.to;
    step_ = temperatures.step;
    showTemperatures();
    setWindowTitle(QStringLiteral("区間計算 : ") +
                   QString::fromStdString(calculation_->currentWire.wireName) +
                   QString::fromStdString(FormatPlainNumber(calculation_->temperatureStudy)) +
                   QStringLiteral("℃"));
    lblMessage_->setText(QStringLiteral("径間長と高低差を入力して計算を押してください"));
    const CaseSection& section = host_.document().content().section;
    grdSpans_->showSpans(section.spans);
    exact_->showCase(section.supports, section.stringingTemperature);
    clearance_->showCase(section.clearance);
    grdSpans_->setFocus();
    return {};
}

void frmSection::Form_Place(QMdiSubWindow& sub) {
    SizeChildWindow(host_.mdiArea(), sub, QSize(1250, 720));
}

// Where every support has its ground, a span whose 高低差 is left blank
// takes the ground's (one typed is checked against it by the clearance).
void frmSection::fillHeightDifferencesFromGround() {
    int spans = 0;
    for (const QStringList& row : grdSpans_->rowTexts()) spans += row.value(0).isEmpty() ? 0 : 1;
    const std::vector<double> ground =
        clearance_->groundHeightDifferences(static_cast<std::size_t>(spans));
    for (int row = 0; row < static_cast<int>(ground.size()); ++row) {
        QTableWidgetItem* cell = grdSpans_->item(row, 1);
        if (cell != nullptr && !cell->text().trimmed().isEmpty()) continue;
        grdSpans_->setItem(row, 1,
                           new QTableWidgetItem(QString::number(ground[static_cast<std::size_t>(row)],
                                                                'g', 12)));
    }
}

void frmSection::cmdCalculate_Click() {
    fillHeightDifferencesFromGround();
    const std::vector<SectionSpan> spans = grdSpans_->readSpans();
    if (spans.empty()) {
        clearResults();
        return;
    }
    SectionResults results;
    try {
        results = ComputeSectionResults(*calculation_, spans, from_, to_, step_);
    } catch (const CalculationError& error) {
        host_.messages().Show(this, EngineMessage(error.what()), MessageIcon::Exclamation,
                              MessageButtons::Ok);
        clearResults();
        return;
    }
    std::optional<BalancedSection> balanced =
        exact_->compute(*calculation_, spans, from_, to_, step_);
    if (!balanced) {
        clearResults();
        return;
    }
    // The ground, crossings and voltage: refused here like a span, named.
    std::optional<CaseClearance> ground = clearance_->readInputs(spans.size());
    if (!ground) {
        clearResults();
        return;
    }
    clearanceInputs_ = std::move(*ground);
    balanced_ = std::move(*balanced);
    supports_ = exact_->computedSupports();
    spans_ = spans;
    section_ = std::move(results.section);
    chart_ = std::move(results.chart);
    computed_ = true;
    setStale(false);
    showResults();
    host_.updateMenus();
    // The spans, supports and stringing temperature of a computed section,
    // and the temperatures of its chart, are the design's. A case without
    // supports stays without while they are the ones it stands for.
    CaseSection design = host_.document().content().section;
    const bool hadSupports = !design.supports.empty();
    design.spans = spans_;
    design.supports = exact_->computedSupports();
    if (!hadSupports && design.supports == DefaultSectionSupports(spans_.size()))
        design.supports.clear();
    design.stringingTemperature = exact_->computedStringingTemperature();
    design.clearance = clearanceInputs_;
    host_.document().setSection(std::move(design));
    host_.document().setChart({from_, to_, step_});
}

void frmSection::grdSpans_Change() {
    if (!computed_) return;
    std::vector<std::array<std::string, 2>> rows;
    for (const QStringList& row : grdSpans_->rowTexts())
        rows.push_back({row.value(0).toStdString(), row.value(1).toStdString()});
    const SectionSpansResult read = ReadSectionSpans(rows);
    const bool spansChanged = read.refusal.has_value() || read.spans != spans_;
    const bool supportsChanged = exact_->changedSinceComputed();
    lblStale_->setText(
            spansChanged
                ? QStringLiteral("径間一覧が計算の後で変わりました。灰色の結果は前の径間のもので、"
                                 "印刷も保存もできません。新しい径間の結果は 計算(R) を押すと求まります")
            : supportsChanged
                ? QStringLiteral("支持点一覧か架線温度が計算の後で変わりました。灰色の結果は前の"
                                 "支持点のもので、印刷も保存もできません。新しい結果は 計算(R) を"
                                 "押すと求まります")
                : QStringLiteral("離隔の入力（地盤・測点・横断物・電圧区分）が計算の後で変わりました。"
                                 "灰色の結果は前の入力のもので、印刷も保存もできません。新しい結果は "
                                 "計算(R) を押すと求まります"));
    // The supports, the stringing temperature and the clearance's inputs
    // count as the spans do.
    setStale(spansChanged || supportsChanged || clearance_->changedSinceComputed());
}

void frmSection::setStale(bool stale) {
    if (stale == stale_) return;
    stale_ = stale;
    // The 離隔 page's inputs stay open: only its results grey.
    for (int i = 0; i < tabs_->count(); ++i)
        if (tabs_->widget(i) != clearance_) tabs_->widget(i)->setEnabled(!stale);
    clearance_->setResultsEnabled(!stale);
    lblStale_->setVisible(stale);
    host_.updateMenus();
}

void frmSection::clearResults() {
    const bool had = computed_;
    computed_ = false;
    setStale(false);
    spans_.clear();
    section_ = {};
    chart_ = {};
    lblEquivalent_->clear();
    conditionModel_->clear();
    spanModel_->clear();
    chartModel_->clear();
    lblChartNote_->clear();
    lblResultLegend_->clear();
    marks_.clear();
    plot_->clearSection();
    exact_->clear();
    clearance_->clearResults();
    field_->showSheet({});
    if (had)
        lblMessage_->setText(QStringLiteral(
            "計算できなかったため、前の結果は消しました。径間一覧を直して 計算(R) を押してください"));
    host_.updateMenus();
}

void frmSection::showResults() {
    lblEquivalent_->setText(
        QStringLiteral("等価径間  %1 m")
            .arg(FromUtf8(FormatWithPattern(section_.equivalentSpan, "###0.000"))));
    showTables();
    plot_->showSection(spans_, section_, balanced_, ConditionLabels(*calculation_));
    // The clearance over the case's ground and crossings, with the wire
    // hung as the exact section hangs it: the supports and stringing
    // temperature it was computed with.
    CaseSection checked = host_.document().content().section;
    checked.spans = spans_;
    checked.supports = supports_;
    checked.stringingTemperature = static_cast<std::int16_t>(balanced_.stringingTemperature);
    checked.clearance = clearanceInputs_;
    clearance_->showClearance(*calculation_, checked);
    QStringList outside;
    for (std::size_t i = 0; i < section_.spans.size(); ++i) {
        QStringList conditions;
        for (std::size_t c = 0; c < 3; ++c)
            if (section_.spans[i][c].lowPointOutside)
                conditions << FromUtf8(std::string(kConditionNames[c]));
        if (!conditions.isEmpty())
            outside << QStringLiteral("径間 %1（%2）").arg(i + 1).arg(conditions.join(u'・'));
    }
    lblMessage_->setText(
        outside.isEmpty()
            ? QStringLiteral("%1 径間を計算しました").arg(spans_.size())
            : QStringLiteral(
                  "%1 径間を計算しました。支持点外: %2 は最低点が低い側の支持点の外にあり、"
                  "電線が支持点を引き上げます")
                  .arg(spans_.size())
                  .arg(outside.join(QStringLiteral("、"))));
    if (!exact_->marksMessage().isEmpty())
        lblMessage_->setText(lblMessage_->text() + u'\n' + exact_->marksMessage());
}

// The tables whose tensions follow the units: 結果, 精算 and 架線弛度表.
void frmSection::showTables() {
    FillModel(*conditionModel_, SectionConditionCells(section_, units_));
    FillModel(*spanModel_, SectionSpanCells(spans_, section_, units_));
    marks_ = markResults();
    showChart();
    exact_->show(*calculation_, spans_, section_, balanced_, units_);
}

bool frmSection::recomputeChart(std::int16_t from, std::int16_t to, std::int16_t step) {
    SectionStringingChart chart;
    BalancedSection balanced;
    try {
        chart = ComputeSectionStringingChart(*calculation_, spans_, from, to, step);
        balanced = ComputeBalancedSection(
            *calculation_, spans_, supports_,
            static_cast<std::int16_t>(balanced_.stringingTemperature), from, to, step);
    } catch (const CalculationError& error) {
        host_.messages().Show(this, EngineMessage(error.what()), MessageIcon::Exclamation,
                              MessageButtons::Ok);
        return false;
    }
    chart_ = std::move(chart);
    balanced_ = std::move(balanced);
    showChart();
    return true;
}

void frmSection::showTemperatures() {
    const QSignalBlocker blockFrom(spnFrom_), blockTo(spnTo_), blockStep(spnStep_);
    spnFrom_->setValue(from_);
    spnTo_->setValue(to_);
    spnStep_->setValue(step_);
}

// The temperatures are taken when entered; a range the engine refuses keeps
// the chart shown, and the boxes go back to the temperatures it was computed
// for. Before the first 計算 there is no section: the range waits for it.
// Like the stringing chart window's, the range is the design's chart range.
void frmSection::Temperature_Change() {
    const auto value = [](const QSpinBox* box) { return static_cast<std::int16_t>(box->value()); };
    const std::int16_t from = value(spnFrom_), to = value(spnTo_), step = value(spnStep_);
    if (computed_ && !recomputeChart(from, to, step)) {
        showTemperatures();
        return;
    }
    from_ = from;
    to_ = to;
    step_ = step;
    // A range the section's chart was computed for is the design's.
    if (computed_) host_.document().setChart({from_, to_, step_});
}

// The chart's sag cells of a span at a temperature where its lowest point
// lies beyond the lower support (|h| > 4D) or where it is a long span (the
// catenary's sag more than 1 % off the parabola's) carry their marks.
void frmSection::showChart() {
    if (exactSags_) {
        showExactChart();
        return;
    }
    FillModel(*chartModel_, SectionChartCells(chart_, units_));
    const double load = calculation_->currentWire.unitWeight;
    std::set<ResultMark> seen;
    for (std::size_t i = 0; i < chart_.slantSag.size() && i < spans_.size(); ++i) {
        for (std::size_t t = 0; t < chart_.temperatures.size(); ++t) {
            QStandardItem* item = chartModel_->item(static_cast<int>(i) + 1, static_cast<int>(t));
            if (std::fabs(spans_[i].heightDifference) > 4.0 * chart_.slantSag[i][t]) {
                MarkItem(*item, ResultMark::LowPointOutside,
                         QStringLiteral("最低点が低い側の支持点の外にあります"));
                seen.insert(ResultMark::LowPointOutside);
            }
            const LongSpanCheck check = CheckLongSpan(spans_[i].length, chart_.tension[t], load);
            if (check.marked) {
                MarkItem(*item, ResultMark::LongSpan, FromUtf8(LongSpanText(check, units_)));
                seen.insert(ResultMark::LongSpan);
            }
        }
    }
    QStringList notes;
    if (!seen.empty()) notes << MarkLegend(seen);
    StringingChart level;
    level.temperatures = chart_.temperatures;
    for (const SectionSpan& span : spans_) level.rows.push_back({span.length, {}, chart_.tension});
    if (const std::string note = LongSpanNote(level, load); !note.empty())
        notes << FromUtf8(note).toHtmlEscaped();
    lblChartNote_->setText(notes.join(QStringLiteral("<br>")));
    showFieldCheck();
}

// The exact chart: every span's own tension and sag at each temperature,
// the sag cells marked where the span's lowest point lies beyond its lower
// support or where it is a long span at its own tension, the tension cells
// where a support's tension passes the maximum working tension.
void frmSection::showExactChart() {
    FillModel(*chartModel_, BalancedChartCells(balanced_, units_));
    const double load = calculation_->currentWire.unitWeight;
    std::set<ResultMark> seen;
    for (std::size_t t = 0; t < balanced_.chart.size(); ++t) {
        const BalancedState& state = balanced_.chart[t];
        for (std::size_t i = 0; i < state.spans.size() && i < spans_.size(); ++i) {
            const BalancedSpan& span = state.spans[i];
            QStandardItem* tension = chartModel_->item(static_cast<int>(2 * i), static_cast<int>(t));
            QStandardItem* sag = chartModel_->item(static_cast<int>(2 * i + 1), static_cast<int>(t));
            if (tension == nullptr || sag == nullptr) continue;
            if (span.lowPointOutside) {
                MarkItem(*sag, ResultMark::LowPointOutside,
                         QStringLiteral("最低点が低い側の支持点の外にあります"));
                seen.insert(ResultMark::LowPointOutside);
            }
            const LongSpanCheck check =
                CheckLongSpan(spans_[i].length, span.horizontalTension, load);
            if (check.marked) {
                MarkItem(*sag, ResultMark::LongSpan, FromUtf8(LongSpanText(check, units_)));
                seen.insert(ResultMark::LongSpan);
            }
            if (span.overMaxTension) {
                MarkItem(*tension, ResultMark::OverTension, QString());
                seen.insert(ResultMark::OverTension);
            }
        }
    }
    lblChartNote_->setText(MarkLegend(seen));
    showFieldCheck();
}

// The 結果 tab marks as the chart does: a span whose wire, under a load
// condition, sags more than 1 % off the parabola has its 径間長 cell marked
// 長径間; the 判定 cells that say 支持点外 carry that mark.
std::set<ResultMark> frmSection::markResults() {
    std::set<ResultMark> seen;
    const float loads[3] = {calculation_->loadFactorHigh, calculation_->loadFactorLow,
                            calculation_->loadFactorStudy};
    const double weight = calculation_->currentWire.unitWeight;
    for (std::size_t i = 0; i < spans_.size(); ++i) {
        QStringList why;
        for (std::size_t c = 0; c < 3; ++c) {
            const LongSpanCheck check = CheckLongSpan(
                spans_[i].length, section_.atEquivalentSpan[c].tension, weight * loads[c]);
            if (check.marked)
                why << FromUtf8(std::string(kConditionNames[c])) + QStringLiteral(" ") +
                           FromUtf8(LongSpanText(check, units_));
        }
        if (QStandardItem* item = spanModel_->item(static_cast<int>(i), 0); item && !why.isEmpty()) {
            MarkItem(*item, ResultMark::LongSpan, why.join(QStringLiteral("、")));
            seen.insert(ResultMark::LongSpan);
        }
    }
    for (int column = 0; column < spanModel_->columnCount(); ++column) {
        const QStandardItem* header = spanModel_->horizontalHeaderItem(column);
        if (header == nullptr || !header->text().endsWith(QStringLiteral("判定"))) continue;
        for (int row = 0; row < spanModel_->rowCount(); ++row) {
            QStandardItem* item = spanModel_->item(row, column);
            if (item == nullptr || item->text() != MarkStyle(ResultMark::LowPointOutside).text)
                continue;
            MarkItem(*item, ResultMark::LowPointOutside, QString());
            seen.insert(ResultMark::LowPointOutside);
        }
    }
    lblResultLegend_->setText(MarkLegend(seen));
    return seen;
}

bool frmSection::fieldCheckShown() const { return tabs_->currentWidget() == fieldPage_; }

// The crew's sheet of the sags chosen.
FieldSheet frmSection::fieldSheet() const {
    return exactSags_ ? FieldSheetOfBalancedSection(spans_, balanced_, chart_.equivalentSpan,
                                                    field_->waves(), field_->sight())
                      : FieldSheetOfSection(spans_, chart_, field_->waves(), field_->sight());
}

// N and a, once taken, are the design's.
void frmSection::FieldCheck_Change() {
    host_.document().setFieldCheck({field_->waves(), field_->sight()});
    showFieldCheck();
}

void frmSection::showFieldCheck() {
    if (computed_ && fieldCheckShown())
        field_->showSheet(fieldSheet());
}

// The notes of the marks in the results, ruling and exact, after the
// section's text.
QString frmSection::markNotes() const {
    std::set<ResultMark> marks = marks_;
    marks.insert(exact_->seenMarks().begin(), exact_->seenMarks().end());
    if (marks.empty()) return {};
    return QStringLiteral("\r\n") + MarkNotes(marks).join(QStringLiteral("\r\n")) +
           QStringLiteral("\r\n");
}

QString frmSection::sectionText() const {
    if (!computed_) return {};
    return FromUtf8(ComposeSectionTextWithExact(*calculation_, spans_, section_, chart_, supports_,
                                                balanced_, units_));
}

bool frmSection::profileShown() const { return tabs_->currentWidget() == profilePage_; }

// The profile on a page: the title block across the top, the plot below.
void frmSection::drawProfilePage(QPainter& painter, const QRectF& page) const {
    const CalculationState& c = *calculation_;
    const auto temperature = [](std::int16_t t) { return QStringLiteral("%1℃").arg(t); };
    TitleBlock block;
    const QString title = QString::fromStdString(host_.document().content().title);
    block.heading = title.isEmpty() ? QStringLiteral("区間計算") : title;
    block.drawing = QStringLiteral("縦断図");
    block.wire = QStringLiteral("電線 ") + QString::fromStdString(c.currentWire.wireName).trimmed();
    block.conditions = QStringLiteral("高温季 %1・低温季 %2・検討条件 %3　等価径間 %4 m")
                           .arg(temperature(c.temperatureHigh), temperature(c.temperatureLow),
                                temperature(c.temperatureStudy),
                                FromUtf8(FormatWithPattern(section_.equivalentSpan, "###0.0")));
    block.date = QDate::currentDate().toString(Qt::ISODate);
    const QRectF rest = DrawTitleBlock(painter, page, block);
    plot_->render(&painter, rest, plot_->viewport()->rect());
}

bool frmSection::clearanceShown() const { return tabs_->currentWidget() == clearance_; }

bool frmSection::canPrint() const {
    return current() && (!clearanceShown() || clearance_->hasResults());
}

// The title block of a drawing of the section: the case, the wire, the
// conditions.
TitleBlock frmSection::titleBlock(const QString& drawing) const {
    const CalculationState& c = *calculation_;
    const auto temperature = [](std::int16_t t) { return QStringLiteral("%1℃").arg(t); };
    TitleBlock block;
    const QString title = QString::fromStdString(host_.document().content().title);
    block.heading = title.isEmpty() ? QStringLiteral("区間計算") : title;
    block.drawing = drawing;
    block.wire = QStringLiteral("電線 ") + QString::fromStdString(c.currentWire.wireName).trimmed();
    block.conditions = QStringLiteral("高温季 %1・低温季 %2・検討条件 %3")
                           .arg(temperature(c.temperatureHigh), temperature(c.temperatureLow),
                                temperature(c.temperatureStudy));
    block.date = QDate::currentDate().toString(Qt::ISODate);
    return block;
}

// The 離隔 page's drawing and table, its pages one job per copy.
void frmSection::printClearance() {
    const TitleBlock block = titleBlock(QStringLiteral("離隔 縦断図"));
    PrintPagesWithDialog(host_.printService(), host_.messages(), host_.hostWidget(),
                         [this, &block](QPainter& painter, const QRectF& page, int index) {
                             clearance_->drawPage(painter, page, block, index);
                             return clearance_->pageCount(page);
                         });
}

void frmSection::print() {
    if (!current()) return;
    if (clearanceShown()) {
        if (clearance_->hasResults()) printClearance();
        return;
    }
    if (profileShown()) {
        PrintPageWithDialog(host_.printService(), host_.messages(), host_.hostWidget(),
                            [this](QPainter& painter, const QRectF& page) {
                                drawProfilePage(painter, page);
                            });
        return;
    }
    const QString text = fieldCheckShown() ? field_->sheetText(*calculation_, fieldSheet())
                                           : sectionText() + markNotes();
    PrintWithDialog(host_.printService(), host_.messages(), host_.hostWidget(), text);
}

std::optional<ChildWindow::Csv> frmSection::csv() const {
    if (!current()) return std::nullopt;
    if (clearanceShown())
        return clearance_->hasResults()
                   ? std::optional<Csv>(Csv{clearance_->csvBytes(), QStringLiteral("_離隔")})
                   : std::nullopt;
    if (fieldCheckShown())
        return Csv{ComposeFieldSheetCsv(fieldSheet()),
                   exactSags_ ? QStringLiteral("_弛度観測表_精算") : QStringLiteral("_弛度観測表")};
    return Csv{ComposeSectionCsvWithExact(*calculation_, spans_, section_, chart_, supports_,
                                          balanced_, units_),
               kSuffix};
}

std::optional<ChildWindow::Image> frmSection::image() const {
    if (!current()) return std::nullopt;
    if (clearanceShown()) {
        if (!clearance_->hasResults()) return std::nullopt;
        return Image{[this](QPainter& painter, const QRectF& target) {
                         clearance_->drawPage(painter, target,
                                              titleBlock(QStringLiteral("離隔 縦断図")), 0);
                     },
                     QStringLiteral("_離隔")};
    }
    return Image{[this](QPainter& painter, const QRectF& target) {
                     drawProfilePage(painter, target);
                 },
                 kSuffix};
}

// The values stay; the tables, the printout and the CSV show them in
// `units` from now on (results greyed as stale stay greyed).
void frmSection::showUnits(UnitSystem units) {
    units_ = units;
    field_->showUnits(units);
    exact_->supports()->showUnits(units);
    if (computed_) showTables();
}

frmSection* ShowSectionWindow(WindowHost& host) { return OpenChildWindow<frmSection>(host); }

} // namespace orvalt
