#include "ui/windows/section_window_supports.h"

#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <set>

#include "engine/calculation/calculation_error.h"
#include "engine/number/number_text.h"
#include "engine/output/balanced_section_text.h"
#include "engine/output/section_text.h"
#include "ui/base/copyable_table_view.h"
#include "ui/base/fonts.h"
#include "ui/base/form_helpers.h"
#include "ui/base/message_box.h"
#include "ui/base/number_table.h"
#include "ui/base/result_marks.h"
#include "ui/base/text.h"

namespace orvalt {

namespace {

enum Column { kType = 0, kStringLength = 1, kStringWeight = 2 };

QStringList SupportColumnTitles(UnitSystem units) {
    return {QStringLiteral("種別"), QStringLiteral("がいし連長[m]"),
            FromUtf8(std::string(StringWeightHeading(units)))};
}

QString SupportCell(int row, int column) {
    const char16_t* names[] = {u"種別", u"がいし連長", u"がいし連重量"};
    return QStringLiteral("支持点 %1 の%2").arg(row + 1).arg(QString::fromUtf16(names[column]));
}

std::optional<double> ReadCell(const QString& text) {
    const std::optional<double> value = ReadBoxNumber(text.toStdString());
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

// The marks of the exact table by their texts, in the shared visual language.
void MarkCell(QStandardItem& item, const QString& text, std::set<ResultMark>& seen) {
    const ResultMark marks[] = {ResultMark::LowPointOutside, ResultMark::OverTension,
                                ResultMark::LongSpan};
    for (const ResultMark mark : marks) {
        if (!text.contains(MarkStyle(mark).text)) continue;
        MarkItem(item, mark, QString());
        seen.insert(mark);
    }
}

} // namespace

QString SupportTypeName(SupportType type) { return FromUtf8(SupportTypeText(type)); }

std::optional<SupportType> SupportTypeOf(const QString& name) {
    for (const SupportType type :
         {SupportType::kDeadEnd, SupportType::kFixed, SupportType::kSuspension})
        if (name == SupportTypeName(type)) return type;
    return std::nullopt;
}

namespace {

using Rows = std::vector<std::array<QString, 3>>;

// The rows for spanCount + 1 supports, keeping the rows there are: rows
// added for new spans are 固定 and the last one 引留.
Rows FitRows(Rows rows, std::size_t spanCount) {
    const std::size_t wanted = spanCount + 1;
    const std::size_t had = rows.size();
    if (had == wanted) return rows;
    const QString deadEnd = SupportTypeName(SupportType::kDeadEnd);
    const QString fixed = SupportTypeName(SupportType::kFixed);
    // The old last support, a dead end as an end, goes inside as the others.
    if (had > 1 && had < wanted && rows[had - 1][kType] == deadEnd &&
        rows[had - 1][kStringLength].isEmpty())
        rows[had - 1][kType] = fixed;
    rows.resize(wanted);
    for (std::size_t row = had; row < wanted; ++row)
        rows[row][kType] = row == 0 || row == wanted - 1 ? deadEnd : fixed;
    if (had > wanted) rows[wanted - 1][kType] = deadEnd;
    return rows;
}

// The supports of the rows, or the message naming the first bad cell.
struct SupportsRead {
    std::optional<std::vector<SectionSupport>> supports;
    QString message;
    int row = 0;
    int column = 0;
};

SupportsRead Refusal(QString message, int row, int column) {
    return {std::nullopt, std::move(message), row, column};
}

SupportsRead ParseRows(const Rows& rows) {
    std::vector<SectionSupport> supports;
    const int last = static_cast<int>(rows.size()) - 1;
    for (int row = 0; row <= last; ++row) {
        const auto& cells = rows[static_cast<std::size_t>(row)];
        const QString& name = cells[kType];
        const bool end = row == 0 || row == last;
        std::optional<SupportType> type = name.isEmpty()
                                              ? (end ? SupportType::kDeadEnd : SupportType::kFixed)
                                              : SupportTypeOf(name);
        if (!type)
            return Refusal(
                SupportCell(row, kType) + QStringLiteral("は 引留・固定・懸垂 のどれかです"), row,
                kType);
        if (end && *type != SupportType::kDeadEnd)
            return Refusal(
                QStringLiteral("区間の両端の支持点（支持点 %1）は引留にしてください").arg(row + 1),
                row, kType);
        SectionSupport support{*type, 0.0, 0.0};
        if (*type == SupportType::kSuspension) {
            const QString& weight = cells[kStringWeight];
            const std::optional<double> l = ReadCell(cells[kStringLength]);
            const std::optional<double> w = weight.isEmpty() ? 0.0 : ReadCell(weight);
            if (!l || *l <= 0.0)
                return Refusal(SupportCell(row, kStringLength) +
                                   QStringLiteral("は 0 より大きい数値で入力してください"),
                               row, kStringLength);
            if (!w || *w < 0.0)
                return Refusal(SupportCell(row, kStringWeight) +
                                   QStringLiteral("は 0 以上の数値で入力してください"),
                               row, kStringWeight);
            support.stringLength = *l;
            support.stringWeight = *w;
        }
        supports.push_back(support);
    }
    return {std::move(supports), {}, 0, 0};
}

} // namespace

SectionSupportTable::SectionSupportTable(MessageService& messages, QWidget* parent)
    : QTableWidget(0, 3, parent), messages_(messages) {
    setHorizontalHeaderLabels(SupportColumnTitles(UnitSystem::kKgf));
    // Enter commits the cell typed and moves one row down (closeEditor).
    SetUpTypedTable(*this);
    fitToSpans(1);
}

QString SectionSupportTable::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text().trimmed() : QString();
}

void SectionSupportTable::showUnits(UnitSystem units) {
    setHorizontalHeaderLabels(SupportColumnTitles(units));
}

void SectionSupportTable::setType(int row, SupportType type) {
    setItem(row, kType, new QTableWidgetItem(SupportTypeName(type)));
}

void SectionSupportTable::refuse(const QString& message, int row, int column) {
    messages_.Show(window(), message, MessageIcon::Exclamation, MessageButtons::Ok);
    setCurrentCell(row, column);
    setFocus();
}

SectionSupportTable::Rows SectionSupportTable::rowTexts() const {
    Rows rows(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < 3; ++column)
            rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                cellText(row, column);
    return rows;
}

void SectionSupportTable::fitToSpans(std::size_t spanCount) {
    const Rows rows = FitRows(rowTexts(), spanCount);
    if (rows.size() == static_cast<std::size_t>(rowCount())) return;
    setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rowCount(); ++row)
        if (cellText(row, kType) != rows[static_cast<std::size_t>(row)][kType])
            setItem(row, kType, new QTableWidgetItem(rows[static_cast<std::size_t>(row)][kType]));
    if (currentRow() < 0) setCurrentCell(0, 0);
}

void SectionSupportTable::showSupports(const std::vector<SectionSupport>& supports) {
    setRowCount(0);
    setRowCount(static_cast<int>(supports.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const SectionSupport& s = supports[static_cast<std::size_t>(row)];
        setType(row, s.type);
        if (s.type == SupportType::kSuspension) {
            setItem(row, kStringLength,
                    new QTableWidgetItem(ExactNumberText(static_cast<float>(s.stringLength))));
            setItem(row, kStringWeight,
                    new QTableWidgetItem(ExactNumberText(static_cast<float>(s.stringWeight))));
        }
    }
    setCurrentCell(0, 0);
}

std::optional<std::vector<SectionSupport>> SectionSupportTable::readSupports() {
    const SupportsRead read = ParseRows(rowTexts());
    if (!read.supports) refuse(read.message, read.row, read.column);
    return read.supports;
}

std::optional<std::vector<SectionSupport>> SectionSupportTable::peekSupports(
    std::size_t spanCount) const {
    return ParseRows(FitRows(rowTexts(), spanCount)).supports;
}

// A block copied from a spreadsheet, at the current cell: every cell checked
// first, the block refused whole with the first bad cell named.
void SectionSupportTable::paste() {
    QStringList lines = QGuiApplication::clipboard()->text().split(
        QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    const int top = std::max(currentRow(), 0), left = std::max(currentColumn(), 0);
    std::vector<QStringList> cells;
    for (const QString& line : lines) cells.push_back(line.split(u'\t'));
    for (std::size_t r = 0; r < cells.size(); ++r) {
        const int row = top + static_cast<int>(r);
        if (left + cells[r].size() > 3 || row >= rowCount()) {
            refuse(
                QStringLiteral("貼り付けられるのは支持点の数の行、種別・がいし連長・がいし連重量の "
                               "3 列までです"),
                top, left);
            return;
        }
        for (int c = 0; c < cells[r].size(); ++c) {
            const QString cell = cells[r][c].trimmed();
            const int column = left + c;
            const bool bad = cell.isEmpty()    ? false
                             : column == kType ? !SupportTypeOf(cell).has_value()
                                               : !ReadCell(cell).has_value();
            if (bad) {
                refuse(
                    SupportCell(row, column) +
                        QStringLiteral("「%1」は使えません。貼り付けは行いませんでした").arg(cell),
                    top, left);
                return;
            }
        }
    }
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (int c = 0; c < cells[r].size(); ++c)
            setItem(top + static_cast<int>(r), left + c,
                    new QTableWidgetItem(cells[r][c].trimmed()));
}

void SectionSupportTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableWidget::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache && currentRow() < rowCount() - 1)
        setCurrentCell(currentRow() + 1, currentColumn());
}

// As in the span list: an input method's first characters open the editor.
void SectionSupportTable::inputMethodEvent(QInputMethodEvent* event) {
    if (!OpenEditorForInputMethod(*this, event)) QTableWidget::inputMethodEvent(event);
}

void SectionSupportTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->key() == Qt::Key_Delete) {
        for (QTableWidgetItem* cell : selectedItems()) cell->setText(QString());
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
               currentRow() < rowCount() - 1) {
        setCurrentCell(currentRow() + 1, currentColumn());
    } else {
        QTableWidget::keyPressEvent(event);
    }
}

SectionExactPanel::SectionExactPanel(MessageService& messages, QWidget* window)
    : QObject(window), messages_(messages), window_(window) {
    supportSide_ = new QWidget(window);
    grdSupports_ = new SectionSupportTable(messages, supportSide_);
    grdSupports_->setObjectName(QStringLiteral("grdSupports"));
    grdSupports_->setFont(EntryFont(10.5));
    auto* caption = new QLabel(QStringLiteral("支持点一覧(&L)"), supportSide_);
    caption->setBuddy(grdSupports_);
    spnStringing_ = new QSpinBox(supportSide_);
    spnStringing_->setObjectName(QStringLiteral("spnStringing"));
    spnStringing_->setRange(-50, 150);
    spnStringing_->setValue(kDefaultStringingTemperature);
    spnStringing_->setSuffix(QStringLiteral(" ℃"));
    auto* temperature = new QLabel(QStringLiteral("架線温度(&E)"), supportSide_);
    temperature->setBuddy(spnStringing_);
    auto* row = new QHBoxLayout;
    row->addWidget(temperature);
    row->addWidget(spnStringing_);
    row->addStretch();
    auto* layout = new QVBoxLayout(supportSide_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(grdSupports_, 1);
    layout->addLayout(row);
    connect(grdSupports_, &QTableWidget::itemChanged, this, &SectionExactPanel::edited);
    connect(grdSupports_->model(), &QAbstractItemModel::rowsRemoved, this,
            &SectionExactPanel::edited);
    connect(spnStringing_, &QSpinBox::valueChanged, this, &SectionExactPanel::edited);

    resultsPart_ = new QWidget(window);
    exactModel_ = new QStandardItemModel(resultsPart_);
    grdExact_ = new CopyableTableView(QStringLiteral("径間"), resultsPart_);
    grdExact_->setObjectName(QStringLiteral("grdExact"));
    grdExact_->setModel(exactModel_);
    grdExact_->setFont(EntryFont(10.5));
    grdExact_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdExact_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* title = new QLabel(QStringLiteral("精算（径間ごとの張力。等価径間の値は全径間の張力が"
                                            "等しいとしたもの）"),
                             resultsPart_);
    legend_ = new QLabel(resultsPart_);
    legend_->setObjectName(QStringLiteral("lblLegend"));
    legend_->setTextFormat(Qt::RichText);
    auto* part = new QVBoxLayout(resultsPart_);
    part->setContentsMargins(0, 0, 0, 0);
    part->addWidget(title);
    part->addWidget(grdExact_, 1);
    part->addWidget(legend_);
}

void SectionExactPanel::followSpans(QTableWidget* spans) {
    const auto follow = [this, spans] {
        grdSupports_->fitToSpans(static_cast<std::size_t>(std::max(spans->rowCount(), 1)));
    };
    QAbstractItemModel* model = spans->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, follow);
    connect(model, &QAbstractItemModel::rowsRemoved, this, follow);
    connect(model, &QAbstractItemModel::modelReset, this, follow);
    follow();
}

void SectionExactPanel::showCase(const std::vector<SectionSupport>& supports,
                                 std::int16_t stringingTemperature) {
    if (!supports.empty()) grdSupports_->showSupports(supports);
    spnStringing_->setValue(stringingTemperature);
}

bool SectionExactPanel::changedSinceComputed() const {
    if (computedSupports_.empty()) return false;
    return spnStringing_->value() != computedStringing_ ||
           grdSupports_->peekSupports(computedSupports_.size() - 1) != computedSupports_;
}

std::optional<BalancedSection> SectionExactPanel::compute(const CalculationState& state,
                                                          const std::vector<SectionSpan>& spans,
                                                          std::int16_t chartFrom,
                                                          std::int16_t chartTo,
                                                          std::int16_t chartStep) {
    grdSupports_->fitToSpans(spans.size());
    const std::optional<std::vector<SectionSupport>> supports = grdSupports_->readSupports();
    if (!supports) return std::nullopt;
    const auto t = static_cast<std::int16_t>(spnStringing_->value());
    try {
        BalancedSection balanced = ComputeBalancedSection(state, spans, *supports, t, chartFrom,
                                                           chartTo, chartStep);
        computedSupports_ = *supports;
        computedStringing_ = t;
        return balanced;
    } catch (const CalculationError& error) {
        messages_.Show(window_, EngineMessage(error.what()), MessageIcon::Exclamation,
                       MessageButtons::Ok);
        return std::nullopt;
    }
}

void SectionExactPanel::show(const CalculationState& state, const std::vector<SectionSpan>& spans,
                             const TensionSection& ruling, const BalancedSection& balanced,
                             UnitSystem units) {
    const CellTable cells = BalancedSpanCells(state, spans, ruling, balanced, units);
    exactModel_->clear();
    exactModel_->setColumnCount(static_cast<int>(cells[0].size()) - 1);
    exactModel_->setRowCount(static_cast<int>(cells.size()) - 1);
    for (std::size_t c = 1; c < cells[0].size(); ++c)
        exactModel_->setHorizontalHeaderItem(static_cast<int>(c) - 1,
                                             new QStandardItem(FromUtf8(cells[0][c])));
    QStringList marked;
    std::set<ResultMark> seen;
    for (std::size_t r = 1; r < cells.size(); ++r) {
        exactModel_->setVerticalHeaderItem(static_cast<int>(r) - 1,
                                           new QStandardItem(FromUtf8(cells[r][0])));
        for (std::size_t c = 1; c < cells[r].size(); ++c) {
            const QString text = FromUtf8(cells[r][c]);
            auto* item = new QStandardItem(text);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            const bool marks = c % 9 == 0;
            if (marks && !text.isEmpty()) {
                MarkCell(*item, text, seen);
                marked << QStringLiteral("径間 %1（%2 %3）")
                              .arg(r)
                              .arg(FromUtf8(std::string(kConditionNames[c / 9 - 1])))
                              .arg(text);
            }
            exactModel_->setItem(static_cast<int>(r) - 1, static_cast<int>(c) - 1, item);
        }
    }
    marks_ = marked.isEmpty() ? QString() : QStringLiteral("精算の印: ") + marked.join(u'、');
    legend_->setText(MarkLegend(seen));
    seen_ = std::move(seen);
}

void SectionExactPanel::clear() {
    computedSupports_.clear();
    exactModel_->clear();
    legend_->clear();
    marks_.clear();
    seen_.clear();
}

} // namespace orvalt
