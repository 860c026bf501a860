// One table of a stringing chart for a view: spans down the side,
// temperatures across the top, sags or tensions in the cells, written with
// the report's patterns and right-aligned. A sag table given the wire's load
// marks the cells of long spans (長径間: the catenary's sag differs from the
// parabola's by more than 1 %) and tells the catenary's sag and the support
// tension in the cell's tooltip.
#pragma once

#include <QAbstractTableModel>

#include "engine/calculation/stringing_chart.h"
#include "engine/number/units.h"

namespace orvalt {

class ChartTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Quantity { Sag, Tension };

    ChartTableModel(Quantity quantity, QObject* parent);

    // Shows `chart`, which must outlive the model or be replaced first.
    void setChart(const StringingChart* chart);
    // The load [kg/m] of the bare wire; 0 (the default) checks no span.
    void setLoad(double loadPerMetre) { load_ = loadPerMetre; }
    // Tensions (and a sag cell's support tension) in `units`.
    void setUnits(UnitSystem units);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Quantity quantity_;
    const StringingChart* chart_ = nullptr;
    double load_ = 0.0;
    UnitSystem units_ = UnitSystem::kKgf;
};

} // namespace orvalt
