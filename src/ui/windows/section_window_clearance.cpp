#include "ui/windows/section_window_clearance.h"

#include <QBrush>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "engine/number/number_text.h"
#include "engine/output/clearance_text.h"
#include "ui/base/copyable_table_view.h"
#include "ui/base/fonts.h"
#include "ui/base/message_box.h"
#include "ui/base/number_table.h"
#include "ui/base/result_marks.h"
#include "ui/base/text.h"

namespace orvalt {
namespace {

constexpr int kMostGroundPoints = 5000;
constexpr int kMostCrossings = 500;

QStringList Names(const auto& names) {
    QStringList list;
    for (const std::string_view name : names) list << FromUtf8(std::string(name));
    return list;
}

NumberTableShape SupportGroundShape() {
    return {QStringLiteral("支持点"),
            {{QStringLiteral("地盤標高[m]"), QStringLiteral("地盤標高"), false},
             {QStringLiteral("取付高さ[m]"), QStringLiteral("取付高さ"), false}},
            static_cast<int>(kMaxSectionSpans) + 1};
}

NumberTableShape GroundShape() {
    return {QStringLiteral("測点"),
            {{QStringLiteral("距離[m]"), QStringLiteral("距離"), true},
             {QStringLiteral("標高[m]"), QStringLiteral("標高"), true}},
            kMostGroundPoints};
}

NumberTableShape CrossingShape() {
    return {QStringLiteral("横断物"),
            {{QStringLiteral("距離[m]"), QStringLiteral("距離"), true},
             {QStringLiteral("種別"), QStringLiteral("種別"), true, Names(kCrossingKindNames)},
             {QStringLiteral("標高[m]"), QStringLiteral("標高"), true},
             {QStringLiteral("所要離隔[m]"), QStringLiteral("所要離隔"), false}},
            kMostCrossings};
}

QString Number(double value) { return QString::number(value, 'g', 12); }

std::optional<double> ReadNumber(const QString& text) {
    const std::optional<double> value = ReadBoxNumber(text.trimmed().toStdString());
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

// The rows of `table` up to the last that holds something.
std::vector<QStringList> FilledRows(const NumberTable& table) {
    std::vector<QStringList> rows = table.rowTexts();
    while (!rows.empty() && rows.back().join(QString()).isEmpty()) rows.pop_back();
    return rows;
}

// The values of the filled rows of `table` (readRows' refusals), or an
// empty list when no row is filled.
std::optional<std::vector<std::vector<double>>> ReadFilled(NumberTable& table) {
    if (FilledRows(table).empty()) return std::vector<std::vector<double>>{};
    return table.readRows();
}

void Fill(QStandardItemModel& model, const CellTable& cells) {
    model.clear();
    if (cells.empty()) return;
    QStringList headings;
    for (const std::string& cell : cells.front()) headings << FromUtf8(cell);
    model.setHorizontalHeaderLabels(headings);
    for (std::size_t r = 1; r < cells.size(); ++r) {
        QList<QStandardItem*> row;
        for (const std::string& cell : cells[r]) {
            auto* item = new QStandardItem(FromUtf8(cell));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (cell == kClearanceFails) MarkItem(*item, ResultMark::NotAllowed, QString());
            row << item;
        }
        model.appendRow(row);
    }
}

CopyableTableView* ResultView(const QString& name, QStandardItemModel* model, QWidget* parent) {
    auto* view = new CopyableTableView(QString(), parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setFont(EntryFont(10.5));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return view;
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// The drawing of a checked section: its ground, supports, crossings, the
// wire of the condition that governs the least margin, and the marks.
ClearanceDrawing DrawingOf(const ClearanceProfile& profile,
                           const std::array<WireCondition, 3>& wire, const ClearanceTable& table,
                           const QString& wireName) {
    ClearanceDrawing d;
    std::vector<double> x{0.0};
    for (const double length : profile.spanLengths) x.push_back(x.back() + length);
    for (std::size_t i = 0; i < profile.supports.size(); ++i) {
        const double ground = *profile.supports[i].groundElevation;
        d.supports.push_back({x[i], ground, ground + *profile.supports[i].attachmentHeight});
        d.ground.emplace_back(x[i], ground);
    }
    for (const GroundPoint& g : profile.ground) d.ground.emplace_back(g.distance, g.elevation);
    std::stable_sort(d.ground.begin(), d.ground.end(),
                     [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
    for (std::size_t i = 0; i < table.crossings.size(); ++i) {
        const Crossing& c = profile.crossings[i];
        d.crossings.push_back({c.distance, c.elevation, table.crossings[i].required,
                               FromUtf8(std::string(kCrossingKindNames[static_cast<std::size_t>(c.kind)]))});
    }
    // The least margin of all decides the condition drawn.
    int condition = 2;
    double least = INFINITY;
    const auto spot = [&](double distance, double bottom, double clearance, bool ok) {
        d.spots.push_back({distance, bottom, bottom + clearance, ok});
    };
    std::optional<ClearanceDrawing::Spot> leastOk;
    for (const SpanClearance& s : table.spans) {
        const double bottom = GroundElevation(profile, s.distance);
        if (!s.ok) spot(s.distance, bottom, s.minimumClearance, false);
        if (s.margin < least) {
            least = s.margin;
            condition = s.condition;
            leastOk = ClearanceDrawing::Spot{s.distance, bottom, bottom + s.minimumClearance, true};
        }
    }
    for (std::size_t i = 0; i < table.crossings.size(); ++i) {
        const CrossingClearance& c = table.crossings[i];
        const double bottom = profile.crossings[i].elevation;
        if (!c.ok) spot(c.distance, bottom, c.clearance, false);
        if (c.margin < least) {
            least = c.margin;
            condition = c.condition;
            leastOk = ClearanceDrawing::Spot{c.distance, bottom, bottom + c.clearance, true};
        }
    }
    if (d.spots.empty() && leastOk) d.spots.push_back(*leastOk);
    for (std::size_t i = 0; i + 1 < x.size(); ++i) {
        const int steps = static_cast<int>(std::clamp((x[i + 1] - x[i]) / 5.0, 24.0, 400.0));
        for (int k = i == 0 ? 0 : 1; k <= steps; ++k) {
            const double at = x[i] + (x[i + 1] - x[i]) * k / steps;
            d.wire.emplace_back(at, WireElevation(profile, wire, condition, at));
        }
    }
    d.wireName = wireName.arg(FromUtf8(std::string(ConditionName(condition))));
    return d;
}

} // namespace

SectionClearanceView::SectionClearanceView(MessageService& messages, QWidget* parent)
    : QWidget(parent), messages_(messages) {
    setObjectName(QStringLiteral("pgClearance"));
    spanModel_ = new QStandardItemModel(this);
    crossingModel_ = new QStandardItemModel(this);
    results_ = new QWidget(this);
    plot_ = new ClearanceProfilePlot(results_);
    lblClearance_ = new QLabel(results_);
    lblClearance_->setObjectName(QStringLiteral("lblClearance"));
    lblClearance_->setWordWrap(true);
    auto* tables = new QWidget(results_);
    // One above the other, so that each table has the page's width and its
    // judgement column shows without scrolling.
    auto* tableLayout = new QVBoxLayout(tables);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(ResultView(QStringLiteral("grdClearanceSpans"), spanModel_, tables), 1);
    tableLayout->addWidget(
        ResultView(QStringLiteral("grdClearanceCrossings"), crossingModel_, tables), 1);
    auto* split = new QSplitter(Qt::Vertical, results_);
    split->addWidget(plot_);
    split->addWidget(tables);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* resultLayout = new QVBoxLayout(results_);
    resultLayout->setContentsMargins(0, 0, 0, 0);
    resultLayout->addWidget(lblClearance_);
    resultLayout->addWidget(split, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildInputs(messages));
    layout->addWidget(results_, 1);
}

QWidget* SectionClearanceView::buildInputs(MessageService& messages) {
    auto* side = new QWidget(this);
    cmbVoltageClass_ = new QComboBox(side);
    cmbVoltageClass_->setObjectName(QStringLiteral("cmbVoltageClass"));
    cmbVoltageClass_->addItems(Names(kVoltageClassNames));
    cmbVoltageClass_->setCurrentIndex(static_cast<int>(VoltageClass::kHigh));
    txtVoltage_ = new QLineEdit(side);
    txtVoltage_->setObjectName(QStringLiteral("txtVoltage"));
    txtGroundClearance_ = new QLineEdit(side);
    txtGroundClearance_->setObjectName(QStringLiteral("txtGroundClearance"));
    spnCreep_ = new QSpinBox(side);
    spnCreep_->setObjectName(QStringLiteral("spnCreep"));
    spnCreep_->setRange(0, 50);
    spnCreep_->setSuffix(QStringLiteral(" ℃"));
    grdSupportGround_ = new NumberTable(SupportGroundShape(), messages, side);
    grdSupportGround_->setObjectName(QStringLiteral("grdSupportGround"));
    grdGround_ = new NumberTable(GroundShape(), messages, side);
    grdGround_->setObjectName(QStringLiteral("grdGround"));
    grdCrossings_ = new NumberTable(CrossingShape(), messages, side);
    grdCrossings_->setObjectName(QStringLiteral("grdCrossings"));
    for (NumberTable* table : {grdSupportGround_, grdGround_, grdCrossings_}) {
        table->setFont(EntryFont(10.5));
        connect(table, &NumberTable::edited, this, &SectionClearanceView::edited);
    }
    grdCrossings_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* voltage = new QHBoxLayout;
    voltage->addWidget(cmbVoltageClass_);
    voltage->addWidget(txtVoltage_);
    voltage->addWidget(new QLabel(QStringLiteral("kV"), side));
    auto* boxes = new QFormLayout;
    boxes->addRow(Caption(QStringLiteral("電圧区分(&V)"), cmbVoltageClass_, side), voltage);
    boxes->addRow(Caption(QStringLiteral("地表の所要離隔[m]"), txtGroundClearance_, side),
                  txtGroundClearance_);
    boxes->addRow(Caption(QStringLiteral("クリープ補正"), spnCreep_, side), spnCreep_);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(boxes);
    layout->addWidget(Caption(QStringLiteral("支持点の地盤(&B)"), grdSupportGround_, side));
    layout->addWidget(grdSupportGround_, 2);
    layout->addWidget(Caption(QStringLiteral("地表の測点(&N)"), grdGround_, side));
    layout->addWidget(grdGround_, 2);
    layout->addWidget(Caption(QStringLiteral("横断物(&O)　所要離隔が空欄なら既定値"),
                              grdCrossings_, side));
    layout->addWidget(grdCrossings_, 2);
    side->setFixedWidth(310);

    connect(cmbVoltageClass_, &QComboBox::currentIndexChanged, this,
            &SectionClearanceView::VoltageClass_Change);
    connect(txtVoltage_, &QLineEdit::textEdited, this, &SectionClearanceView::edited);
    connect(txtGroundClearance_, &QLineEdit::textEdited, this, &SectionClearanceView::edited);
    connect(spnCreep_, &QSpinBox::valueChanged, this, &SectionClearanceView::edited);
    VoltageClass_Change();
    voltageChosen_ = false;
    return side;
}

// The kV box is for 特別高圧 only; the ground's default follows the class.
void SectionClearanceView::VoltageClass_Change() {
    voltageChosen_ = true;
    const auto chosen = static_cast<VoltageClass>(cmbVoltageClass_->currentIndex());
    txtVoltage_->setEnabled(chosen == VoltageClass::kExtraHigh);
    txtGroundClearance_->setPlaceholderText(
        chosen == VoltageClass::kExtraHigh
            ? QStringLiteral("空欄は既定値（第87条）")
            : QStringLiteral("空欄は既定の %1 m")
                  .arg(Number(DefaultGroundClearance({chosen, 0.0}))));
    emit edited();
}

void SectionClearanceView::followSpans(QTableWidget* spans) {
    const auto follow = [this, spans] {
        const int wanted = std::max(spans->rowCount(), 1) + 1;
        if (grdSupportGround_->rowCount() < wanted) grdSupportGround_->setRowCount(wanted);
        // Rows beyond the supports go only while they hold nothing.
        while (grdSupportGround_->rowCount() > wanted &&
               FilledRows(*grdSupportGround_).size() <
                   static_cast<std::size_t>(grdSupportGround_->rowCount()))
            grdSupportGround_->setRowCount(grdSupportGround_->rowCount() - 1);
    };
    QAbstractItemModel* model = spans->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, follow);
    connect(model, &QAbstractItemModel::rowsRemoved, this, follow);
    connect(model, &QAbstractItemModel::modelReset, this, follow);
    follow();
}

void SectionClearanceView::showCase(const CaseClearance& c) {
    const QSignalBlocker quiet(this);
    std::vector<QStringList> rows;
    for (const SupportGround& s : c.supports)
        rows.push_back({s.groundElevation ? Number(*s.groundElevation) : QString(),
                        s.attachmentHeight ? Number(*s.attachmentHeight) : QString()});
    const int supportRows = grdSupportGround_->rowCount();
    grdSupportGround_->showRows(rows);
    grdSupportGround_->setRowCount(std::max(supportRows, grdSupportGround_->rowCount()));
    rows.clear();
    for (const GroundPoint& g : c.ground) rows.push_back({Number(g.distance), Number(g.elevation)});
    grdGround_->showRows(rows);
    rows.clear();
    for (const Crossing& x : c.crossings)
        rows.push_back({Number(x.distance),
                        FromUtf8(std::string(kCrossingKindNames[static_cast<std::size_t>(x.kind)])),
                        Number(x.elevation),
                        x.requiredClearance ? Number(*x.requiredClearance) : QString()});
    grdCrossings_->showRows(rows);
    const LineVoltage voltage = c.voltage.value_or(LineVoltage{});
    cmbVoltageClass_->setCurrentIndex(static_cast<int>(voltage.voltageClass));
    txtVoltage_->setText(voltage.voltageClass == VoltageClass::kExtraHigh ? Number(voltage.voltage)
                                                                           : QString());
    voltageChosen_ = c.voltage.has_value();
    txtGroundClearance_->setText(c.groundClearance ? Number(*c.groundClearance) : QString());
    spnCreep_->setValue(c.creepAllowance);
}

std::optional<CaseClearance> SectionClearanceView::readInputs(std::size_t spanCount) {
    CaseClearance c;
    if (!readBoxes(c) || !readSupportGround(spanCount, c) || !readSurvey(c)) return std::nullopt;
    computedTexts_ = inputTexts();
    return c;
}

bool SectionClearanceView::readBoxes(CaseClearance& c) {
    const auto refuse = [this](QWidget* box, const QString& message) {
        messages_.Show(window(), message, MessageIcon::Exclamation, MessageButtons::Ok);
        box->setFocus();
        return false;
    };
    const auto chosen = static_cast<VoltageClass>(cmbVoltageClass_->currentIndex());
    if (voltageChosen_) {
        c.voltage = LineVoltage{chosen, 0.0};
        if (chosen == VoltageClass::kExtraHigh) {
            const std::optional<double> kV = ReadNumber(txtVoltage_->text());
            if (!kV || *kV <= 7.0)
                return refuse(txtVoltage_, QStringLiteral("特別高圧の使用電圧 [kV] は 7 より大きい"
                                                          "数値で入力してください"));
            c.voltage->voltage = *kV;
        }
    }
    if (!txtGroundClearance_->text().trimmed().isEmpty()) {
        const std::optional<double> value = ReadNumber(txtGroundClearance_->text());
        if (!value || *value < 0.0)
            return refuse(txtGroundClearance_, QStringLiteral("地表の所要離隔は 0 以上の数値で"
                                                              "入力するか、空欄にしてください"));
        c.groundClearance = *value;
    }
    c.creepAllowance = static_cast<std::int16_t>(spnCreep_->value());
    return true;
}

// Rows for the supports there are, both values or neither; none at all is
// a section without ground.
bool SectionClearanceView::readSupportGround(std::size_t spanCount, CaseClearance& c) {
    const std::vector<QStringList> rows = grdSupportGround_->rowTexts();
    const auto values = ReadFilled(*grdSupportGround_);
    if (!values) return false;
    if (values->empty()) return true;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const bool some = !rows[row].value(0).isEmpty() || !rows[row].value(1).isEmpty();
        if (row > spanCount && some) {
            grdSupportGround_->refuse(
                QStringLiteral("支持点は径間の数より一つ多い %1 までです").arg(spanCount + 1),
                static_cast<int>(row), 0);
            return false;
        }
        for (int column = 0; column < 2 && some; ++column) {
            if (!rows[row].value(column).isEmpty()) continue;
            grdSupportGround_->refuse(
                grdSupportGround_->cellName(static_cast<int>(row), column) +
                    QStringLiteral("を入力してください（地盤標高と取付高さは両方入れるか、"
                                   "両方とも空欄にします）"),
                static_cast<int>(row), column);
            return false;
        }
        if (row > spanCount) continue;
        SupportGround ground;
        if (some) ground = {(*values)[row][0], (*values)[row][1]};
        c.supports.push_back(ground);
    }
    c.supports.resize(spanCount + 1);
    return true;
}

bool SectionClearanceView::readSurvey(CaseClearance& c) {
    const auto ground = ReadFilled(*grdGround_);
    if (!ground) return false;
    for (const std::vector<double>& row : *ground) c.ground.push_back({row[0], row[1]});
    const std::vector<QStringList> texts = grdCrossings_->rowTexts();
    const auto crossings = ReadFilled(*grdCrossings_);
    if (!crossings) return false;
    for (std::size_t row = 0; row < crossings->size(); ++row) {
        const std::vector<double>& v = (*crossings)[row];
        Crossing x{v[0], static_cast<CrossingKind>(static_cast<int>(v[1])), v[2], std::nullopt};
        if (!texts[row].value(3).isEmpty()) x.requiredClearance = v[3];
        c.crossings.push_back(x);
    }
    return true;
}

std::vector<double> SectionClearanceView::groundHeightDifferences(std::size_t spanCount) const {
    const std::vector<QStringList> rows = grdSupportGround_->rowTexts();
    if (spanCount == 0 || rows.size() < spanCount + 1) return {};
    std::vector<double> clamps;
    for (std::size_t row = 0; row <= spanCount; ++row) {
        const std::optional<double> ground = ReadNumber(rows[row].value(0));
        const std::optional<double> height = ReadNumber(rows[row].value(1));
        if (!ground || !height) return {};
        clamps.push_back(*ground + *height);
    }
    std::vector<double> differences;
    for (std::size_t i = 0; i < spanCount; ++i)
        differences.push_back(std::round((clamps[i + 1] - clamps[i]) * 1000.0) / 1000.0 + 0.0);
    return differences;
}

QStringList SectionClearanceView::inputTexts() const {
    QStringList texts{QString::number(cmbVoltageClass_->currentIndex()),
                      voltageChosen_ ? QStringLiteral("chosen") : QString(),
                      txtVoltage_->text().trimmed(), txtGroundClearance_->text().trimmed(),
                      QString::number(spnCreep_->value())};
    for (const NumberTable* table : {grdSupportGround_, grdGround_, grdCrossings_}) {
        for (const QStringList& row : FilledRows(*table)) texts << row.join(u'\t');
        texts << QStringLiteral("--");
    }
    return texts;
}

bool SectionClearanceView::changedSinceComputed() const {
    return !computedTexts_.isEmpty() && inputTexts() != computedTexts_;
}

void SectionClearanceView::showClearance(const CalculationState& state,
                                         const CaseSection& section) {
    clearResults();
    const LineVoltage voltage = section.clearance.voltage.value_or(LineVoltage{});
    voltageText_ = QStringLiteral("電圧区分 ") +
                   FromUtf8(std::string(kVoltageClassNames[static_cast<std::size_t>(
                       voltage.voltageClass)]));
    if (voltage.voltageClass == VoltageClass::kExtraHigh)
        voltageText_ += QStringLiteral(" %1 kV").arg(Number(voltage.voltage));
    const int creep = section.clearance.creepAllowance;
    creepText_ = creep != 0 ? QStringLiteral("（クリープ +%1℃）").arg(creep) : QString();
    try {
        const ClearanceProfile profile = SectionClearanceProfile(section);
        const std::array<WireCondition, 3> wire = ClearanceWire(state, profile);
        const ClearanceTable table = CheckClearance(profile, wire);
        const std::int16_t temperatures[3] = {state.temperatureHigh, state.temperatureLow,
                                              state.temperatureStudy};
        QString wireName = QStringLiteral("電線（%1");
        // The condition of the least margin, at the temperature checked.
        int worst = 2;
        double least = INFINITY;
        for (const SpanClearance& s : table.spans)
            if (s.margin < least) least = s.margin, worst = s.condition;
        for (const CrossingClearance& x : table.crossings)
            if (x.margin < least) least = x.margin, worst = x.condition;
        const int t = temperatures[worst] + (worst == 2 ? creep : 0);
        wireName += QStringLiteral(" %1℃）").arg(t);
        plot_->showDrawing(DrawingOf(profile, wire, table, wireName));
        Fill(*spanModel_, ClearanceSpanCells(table));
        Fill(*crossingModel_, ClearanceCrossingCells(table));
        std::size_t failing = 0;
        for (const SpanClearance& s : table.spans) failing += s.ok ? 0 : 1;
        for (const CrossingClearance& x : table.crossings) failing += x.ok ? 0 : 1;
        lblClearance_->setText(failing == 0
                                   ? QStringLiteral("離隔はすべて可です")
                                   : QStringLiteral("離隔が不可の箇所が %1 あります").arg(failing));
        table_ = table;
    } catch (const CalculationError& error) {
        lblClearance_->setText(EngineMessage(error.what()));
    }
}

void SectionClearanceView::clearResults() {
    table_.reset();
    spanModel_->clear();
    crossingModel_->clear();
    lblClearance_->clear();
    plot_->showDrawing({});
}

void SectionClearanceView::setResultsEnabled(bool enabled) { results_->setEnabled(enabled); }

const ClearanceDrawing& SectionClearanceView::drawing() const { return plot_->drawing(); }

std::string SectionClearanceView::csvBytes() const {
    return table_ ? ComposeClearanceCsv(*table_) : std::string();
}

std::vector<SectionClearanceView::TableLine> SectionClearanceView::tableLines() const {
    std::vector<TableLine> lines;
    if (!table_) return lines;
    const CellTable tables[2] = {ClearanceSpanCells(*table_), ClearanceCrossingCells(*table_)};
    for (int t = 0; t < 2; ++t) {
        if (tables[t].size() < 2) continue;
        for (std::size_t r = 0; r < tables[t].size(); ++r) {
            TableLine line;
            line.table = t;
            line.heading = r == 0;
            for (const std::string& cell : tables[t][r]) line.cells.push_back(FromUtf8(cell));
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

namespace {

// The page's text: a line is 1/40 of the page's height.
double LineHeight(const QRectF& page) { return page.height() / 40.0; }

// The part of the page below the title block.
QRectF BelowTitle(const QRectF& page, const TitleBlock& block) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    return DrawTitleBlock(painter, page, block);
}

constexpr double kProfileShare = 0.62; // of the first page below the title block

// Table lines on a page without the profile; room is kept for a heading
// repeated at its top and the gap between the two tables.
int LinesPerPage(const QRectF& page) {
    return std::max(1, static_cast<int>(BelowTitle(page, {}).height() / LineHeight(page)) - 2);
}

// The lines `order` of `lines` as ruled cells from `topLeft` down, `line`
// high, in the report's face; the columns as wide as each table's widest
// cell over all its lines, so that pages agree. A 不可 cell in its mark.
template <typename Line>
void DrawTableLines(QPainter& painter, const std::vector<Line>& lines,
                    const std::vector<std::size_t>& order, QPointF topLeft, double line) {
    QFont font = ReportFont();
    font.setPixelSize(std::max(1, static_cast<int>(line * 0.62)));
    painter.save();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    std::vector<double> widths[2];
    for (const Line& l : lines) {
        std::vector<double>& w = widths[l.table];
        w.resize(std::max(w.size(), l.cells.size()), 0.0);
        for (std::size_t c = 0; c < l.cells.size(); ++c)
            w[c] = std::max(w[c], metrics.horizontalAdvance(l.cells[c]) + line * 0.8);
    }
    const QColor fails = MarkStyle(ResultMark::NotAllowed).colour;
    const QString failText = FromUtf8(std::string(kClearanceFails));
    double y = topLeft.y();
    for (const std::size_t i : order) {
        const Line& l = lines[i];
        if (l.heading && i != order.front()) y += line * 0.4;
        double x = topLeft.x();
        for (std::size_t c = 0; c < l.cells.size(); ++c) {
            const QRectF cell(x, y, widths[l.table][c], line);
            if (l.cells[c] == failText) painter.fillRect(cell, fails);
            painter.setPen(QPen(Qt::black, std::max(1.0, line / 40.0)));
            painter.drawRect(cell);
            painter.drawText(cell.adjusted(line * 0.3, 0, -line * 0.3, 0),
                             (l.heading ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter,
                             l.cells[c]);
            x += widths[l.table][c];
        }
        y += line;
    }
    painter.restore();
}

} // namespace

int SectionClearanceView::linesOnFirstPage(const QRectF& page) const {
    const QRectF rest = BelowTitle(page, {});
    return std::max(0, static_cast<int>(rest.height() * (1.0 - kProfileShare) / LineHeight(page)) - 2);
}

int SectionClearanceView::pageCount(const QRectF& page) const {
    const int lines = static_cast<int>(tableLines().size());
    const int first = linesOnFirstPage(page);
    if (lines <= first) return 1;
    const int perPage = LinesPerPage(page);
    return 1 + (lines - first + perPage - 1) / perPage;
}

void SectionClearanceView::drawPage(QPainter& painter, const QRectF& page, TitleBlock block,
                                    int index) const {
    const QRectF rest = BelowTitle(page, block);
    const double line = LineHeight(page);
    const QRectF profile(rest.left(), rest.top(), rest.width(), rest.height() * kProfileShare);
    const double dpi = painter.device() != nullptr ? painter.device()->logicalDpiX() : 96.0;
    const ProfileScale scale = ClearanceProfileScale(drawing(), profile, true, dpi);
    QString scaleText;
    if (scale.horizontal > 0.0)
        scaleText = QStringLiteral("横 1:%1　縦 1:%2")
                        .arg(scale.horizontal, 0, 'g', 8)
                        .arg(scale.horizontal / scale.exaggeration, 0, 'g', 8);
    else
        scaleText = QStringLiteral("縦は横の %1 倍").arg(scale.exaggeration, 0, 'g', 6);
    block.conditions += creepText_ + QStringLiteral("　") + voltageText_;
    block.drawing += QStringLiteral("　") + scaleText;
    if (index > 0) block.drawing += QStringLiteral("　（%1）").arg(index + 1);
    DrawTitleBlock(painter, page, block);

    const std::vector<TableLine> lines = tableLines();
    std::size_t from = 0, count = 0;
    QRectF tableArea;
    const int first = linesOnFirstPage(page);
    if (index == 0) {
        DrawClearanceProfile(painter, profile, drawing(), true);
        count = std::min<std::size_t>(lines.size(), static_cast<std::size_t>(first));
        tableArea = QRectF(rest.left(), profile.bottom() + line * 0.5, rest.width(),
                           rest.bottom() - profile.bottom());
    } else {
        const int perPage = LinesPerPage(page);
        from = static_cast<std::size_t>(first + (index - 1) * perPage);
        count = from < lines.size() ? std::min<std::size_t>(lines.size() - from, perPage) : 0;
        tableArea = rest;
    }
    // A page that goes on with a table starts with its heading again.
    std::vector<std::size_t> order;
    if (count > 0 && !lines[from].heading)
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].heading && lines[i].table == lines[from].table) order.push_back(i);
    for (std::size_t i = from; i < from + count; ++i) order.push_back(i);
    DrawTableLines(painter, lines, order, tableArea.topLeft(), line);
}

} // namespace orvalt
