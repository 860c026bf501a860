// The section window's 離隔 page: the clearance of the computed spans over
// the opened case's ground and crossings (its supports' ground elevations
// and clamp heights, survey points, crossings and voltage class), per span
// and per crossing, with 不可 in red. A section without ground says so on
// the page, without a message box: most sections are computed without one.
#pragma once

#include <QWidget>

#include <vector>

#include "engine/case/case_file.h"

class QLabel;
class QStandardItemModel;

namespace orvalt {

class SectionClearanceView final : public QWidget {
    Q_OBJECT

public:
    explicit SectionClearanceView(QWidget* parent);

    // Checks `section` (its spans, supports and stringing temperature, its
    // ground and crossings) on `state`.
    void showClearance(const CalculationState& state, const CaseSection& section);

private:
    QLabel* lblClearance_ = nullptr;
    QStandardItemModel* spanModel_ = nullptr;
    QStandardItemModel* crossingModel_ = nullptr;
};

} // namespace orvalt
