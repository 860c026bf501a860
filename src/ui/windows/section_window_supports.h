// The exact section (精算) in the section window: the support list beside
// the span list, the stringing temperature (架線温度), and under the
// ruling-span results the exact ones beside them with the difference in %
// and the marks, explained in a legend.
//
// The support list is a table of 種別 (引留, 固定 or 懸垂), がいし連長 [m] and
// がいし連重量 [kg], one numbered row a support, typed and pasted as the span
// list is. It follows the span list when 計算 is pressed: rows added for new
// spans are 固定 and the last one 引留, so a new section has dead ends at both
// ends and fixed supports between.
#pragma once

#include <QString>
#include <QTableWidget>
#include <QWidget>

#include <array>
#include <optional>
#include <set>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/tension_section.h"
#include "engine/number/units.h"
#include "ui/base/result_marks.h"

class QLabel;
class QSpinBox;
class QStandardItemModel;

namespace orvalt {

class CopyableTableView;
class MessageService;

class SectionSupportTable final : public QTableWidget {
    Q_OBJECT

public:
    SectionSupportTable(MessageService& messages, QWidget* parent);

    // Rows for spanCount + 1 supports, keeping the rows there are.
    void fitToSpans(std::size_t spanCount);
    // The supports, or nothing after the message naming the support and the
    // column (the focus goes to the cell).
    std::optional<std::vector<SectionSupport>> readSupports();
    // The supports 計算 would read for spanCount spans, without a message
    // and without touching the list; nothing when it would refuse them.
    std::optional<std::vector<SectionSupport>> peekSupports(std::size_t spanCount) const;
    void showSupports(const std::vector<SectionSupport>& supports);
    // The weight column's heading for `units`; the weights stay in kg (a
    // mass in SI).
    void showUnits(UnitSystem units);
    void paste();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    using Rows = std::vector<std::array<QString, 3>>;
    Rows rowTexts() const;
    QString cellText(int row, int column) const;
    void refuse(const QString& message, int row, int column);
    void setType(int row, SupportType type);

    MessageService& messages_;
};

// The words of the 種別 column.
QString SupportTypeName(SupportType type);
std::optional<SupportType> SupportTypeOf(const QString& name);

class SectionExactPanel final : public QObject {
    Q_OBJECT

public:
    SectionExactPanel(MessageService& messages, QWidget* window);

    // The support list with its caption and the 架線温度 box.
    QWidget* supportSide() const { return supportSide_; }
    // The exact results' table and the legend of its marks.
    QWidget* resultsPart() const { return resultsPart_; }
    SectionSupportTable* supports() const { return grdSupports_; }
    // Keeps one support row more than the span list has rows.
    void followSpans(QTableWidget* spans);

    // Shows a case's supports (none: the list stays as it is) and its
    // stringing temperature.
    void showCase(const std::vector<SectionSupport>& supports, std::int16_t stringingTemperature);
    // Reads the supports (fitted to the spans) and the stringing temperature
    // and balances the section, in its load conditions and at the stringing
    // chart's temperatures from chartFrom to chartTo by chartStep; nothing
    // after a message.
    std::optional<BalancedSection> compute(const CalculationState& state,
                                           const std::vector<SectionSpan>& spans,
                                           std::int16_t chartFrom, std::int16_t chartTo,
                                           std::int16_t chartStep);
    // Shows the exact section beside the ruling one, tensions in `units`.
    void show(const CalculationState& state, const std::vector<SectionSpan>& spans,
              const TensionSection& ruling, const BalancedSection& balanced,
              UnitSystem units = UnitSystem::kKgf);
    // What the last compute() that succeeded read.
    const std::vector<SectionSupport>& computedSupports() const { return computedSupports_; }
    std::int16_t computedStringingTemperature() const { return computedStringing_; }
    // Whether 計算 would now read other supports or another stringing
    // temperature than the last compute() did (or refuse them).
    bool changedSinceComputed() const;
    // "張力超過: 径間 4（低温季）" and the like, for the message line; empty
    // without marks.
    QString marksMessage() const { return marks_; }
    // The marks the exact table shows.
    const std::set<ResultMark>& seenMarks() const { return seen_; }
    // Empties the table, its legend and the message (a refused 計算).
    void clear();

signals:
    // A support cell or the stringing temperature changed.
    void edited();

private:
    MessageService& messages_;
    QWidget* window_;
    QWidget* supportSide_ = nullptr;
    QWidget* resultsPart_ = nullptr;
    SectionSupportTable* grdSupports_ = nullptr;
    QSpinBox* spnStringing_ = nullptr;
    QStandardItemModel* exactModel_ = nullptr;
    CopyableTableView* grdExact_ = nullptr;
    QLabel* legend_ = nullptr;
    QString marks_;
    std::set<ResultMark> seen_;
    std::vector<SectionSupport> computedSupports_;
    std::int16_t computedStringing_ = kDefaultStringingTemperature;
};

} // namespace orvalt
