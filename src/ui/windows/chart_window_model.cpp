#include "ui/windows/chart_window_model.h"

#include <QBrush>
#include <QColor>

#include <optional>
#include <string>

#include "engine/number/number_text.h"
#include "engine/number/result_columns.h"
#include "engine/number/table_patterns.h"
#include "engine/output/long_span_check.h"
#include "ui/base/result_marks.h"
#include "ui/base/text.h"

namespace orvalt {

ChartTableModel::ChartTableModel(Quantity quantity, QObject* parent)
    : QAbstractTableModel(parent), quantity_(quantity) {}

void ChartTableModel::setChart(const StringingChart* chart) {
    beginResetModel();
    chart_ = chart;
    endResetModel();
}

void ChartTableModel::setUnits(UnitSystem units) {
    if (units == units_) return;
    beginResetModel();
    units_ = units;
    endResetModel();
}

int ChartTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || chart_ == nullptr) return 0;
    return static_cast<int>(chart_->rows.size());
}

int ChartTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || chart_ == nullptr) return 0;
    return static_cast<int>(chart_->temperatures.size());
}

QVariant ChartTableModel::data(const QModelIndex& index, int role) const {
    if (chart_ == nullptr || !index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    const StringingChart::Row& row = chart_->rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole || role == kResultMarkRole) {
        if (quantity_ != Quantity::Sag || load_ <= 0.0 || row.tension[column] <= 0.0f) return {};
        const LongSpanCheck check = CheckLongSpan(row.span, row.tension[column], load_);
        if (!check.marked) return {};
        const ResultMarkStyle& mark = MarkStyle(ResultMark::LongSpan);
        if (role == kResultMarkRole) return QStringList{mark.text};
        return role == Qt::ToolTipRole
                   ? QVariant(mark.text + QStringLiteral(": ") + FromUtf8(LongSpanText(check, units_)))
                   : QVariant(QBrush(mark.colour));
    }
    if (role != Qt::DisplayRole) return {};
    return quantity_ == Quantity::Sag
               ? FromUtf8(FormatWithPattern(row.sag[column], table_pattern::kSag))
               : FromUtf8(FormatWithPattern(
                     ColumnValue(ResultColumn::kTension, row.tension[column], units_),
                     ColumnPattern(ResultColumn::kTension, units_)));
}

QVariant ChartTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (chart_ == nullptr) return {};
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return QString::number(chart_->temperatures[static_cast<std::size_t>(section)]) +
               QStringLiteral("℃");
    return FromUtf8(FormatWithPattern(chart_->rows[static_cast<std::size_t>(section)].span,
                                      table_pattern::kSpan));
}

} // namespace orvalt
