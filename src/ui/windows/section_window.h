// frmSection: the tension section (区間計算) of the stored wire and
// conditions. The engineer types (or pastes) the spans between two dead-end
// supports, lengths and height differences; 計算 solves the section once on
// its equivalent span and shows the three load conditions there, every
// span's level and slant sag, low point and support tensions, the profile of
// the section and its stringing chart. The window keeps the calculation it
// was opened with; later conditions do not change it. Its 弛度観測 tab gives
// the crew's sheet of the section (printed and saved while that tab is
// shown); the stringing chart marks long spans and spans whose lowest point
// lies beyond the lower support at a temperature. Beside the ruling span's
// figures (one tension for the whole section) it shows the exact section
// (精算), every span with its own tension on its supports: in 結果, drawn in
// the profile (the ruling wires dashed on request), and, when chosen, in the
// stringing chart and the crew's sheet; printed and saved after the ruling
// figures.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation_state.h"
#include "engine/calculation/tension_section.h"
#include "engine/output/field_sheet_text.h"
#include "ui/base/child_window.h"
#include "engine/case/case_file.h"
#include "ui/base/result_marks.h"
#include "ui/base/title_block.h"

class QLabel;
class QLayout;
class QPainter;
class QRadioButton;
class QRectF;
class QCheckBox;
class QMdiSubWindow;
class QSpinBox;
class QStandardItemModel;
class QTabWidget;

namespace orvalt {

class CopyableTableView;
class FieldCheckView;
class SectionClearanceView;
class SectionExactPanel;
class SectionProfilePlot;
class SectionSpanTable;
class WindowHost;

class frmSection final : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    static constexpr bool kOneInstance = false;
    static constexpr bool kFixedFrame = false;
    static constexpr char kObjectName[] = "frmSection";

    explicit frmSection(WindowHost& host);
    ~frmSection() override;

    // Takes the stored wire and conditions and computes their load factors
    // and critical span (with the span table too when its range can be
    // calculated, for the chart and graph windows opened from here); not
    // shown, with the engine's message, only when the load factors or the
    // critical span cannot be computed. The chart's temperatures start from
    // the host's (those of the case file last opened).
    LoadOutcome Form_Load();
    void Form_Place(QMdiSubWindow& sub);

    std::shared_ptr<const CalculationState> calculation() const override { return calculation_; }
    // Once a section is computed: prints its text, offers its tables as CSV
    // and its profile as an image.
    // Results that no longer belong to the span list (stale) print and save
    // nothing until the next 計算.
    // On the 離隔 page, only a clearance that was computed.
    bool canPrint() const override;
    void print() override;
    std::optional<Csv> csv() const override;
    std::optional<Image> image() const override;
    void showUnits(UnitSystem units) override;

    // The printout of the computed section (empty before the first 計算).
    QString sectionText() const;
    const TensionSection& section() const { return section_; }
    const SectionStringingChart& chart() const { return chart_; }
    const BalancedSection& balanced() const { return balanced_; }
    // Whether the 架線弛度表 and 弛度観測 tabs show the exact sags (径間ごと)
    // rather than the ruling span's.
    bool exactSagsShown() const { return exactSags_; }

private slots:
    void cmdCalculate_Click();
    void Temperature_Change();
    void FieldCheck_Change();
    // 等価径間 or 径間ごと（精算） chosen in the chart or the field tab.
    void SagBasis_Change(bool exact);
    // The span list, the support list or 架線温度 changed: the results shown
    // are stale unless they read as those they were computed for.
    void grdSpans_Change();

private:
    QWidget* buildSpanSide();
    QWidget* buildChartPage();
    QWidget* buildProfilePage();
    QWidget* buildFieldPage();
    // The row choosing the sags of the chart and field tabs; one per tab.
    QLayout* sagBasisRow(QWidget* page);
    void showExactChart();
    FieldSheet fieldSheet() const;
    // The ruling and the exact stringing chart over the temperatures given.
    bool recomputeChart(std::int16_t from, std::int16_t to, std::int16_t step);
    void showResults();
    void showTables();
    bool current() const { return computed_ && !stale_; }
    // Greys every result page and says what changed and what to press.
    void setStale(bool stale);
    // A refused 計算: what it would have replaced is gone.
    void clearResults();
    void showTemperatures();
    void showChart();
    std::set<ResultMark> markResults();
    QString markNotes() const;
    void showFieldCheck();
    bool fieldCheckShown() const;
    bool profileShown() const;
    void drawProfilePage(QPainter& painter, const QRectF& page) const;
    bool clearanceShown() const;
    void fillHeightDifferencesFromGround();
    TitleBlock titleBlock(const QString& drawing) const;
    void printClearance();

    WindowHost& host_;
    std::shared_ptr<const CalculationState> calculation_;
    bool computed_ = false;
    bool stale_ = false;
    std::set<ResultMark> marks_; // in the 結果 tab
    std::vector<SectionSpan> spans_; // of the section shown
    TensionSection section_;
    SectionStringingChart chart_;
    BalancedSection balanced_; // the exact section, at its conditions
    SectionExactPanel* exact_ = nullptr;
    std::vector<SectionSupport> supports_; // those balanced_ was computed with
    CaseClearance clearanceInputs_;        // the 離隔 page's, as 計算 read them
    bool exactSags_ = false;               // the chart and field tabs: exact sags
    std::int16_t from_ = -10, to_ = 40, step_ = 10;
    UnitSystem units_ = UnitSystem::kKgf; // of the tables, printout and CSV

    SectionSpanTable* grdSpans_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* lblEquivalent_ = nullptr;
    QLabel* lblMessage_ = nullptr;
    QLabel* lblStale_ = nullptr;
    QLabel* lblResultLegend_ = nullptr;
    QStandardItemModel* conditionModel_ = nullptr;
    QStandardItemModel* spanModel_ = nullptr;
    QStandardItemModel* chartModel_ = nullptr;
    CopyableTableView* grdConditions_ = nullptr;
    CopyableTableView* grdResults_ = nullptr;
    CopyableTableView* grdChart_ = nullptr;
    SectionProfilePlot* plot_ = nullptr;
    QWidget* profilePage_ = nullptr;
    QCheckBox* chkRuling_ = nullptr;
    QWidget* fieldPage_ = nullptr;
    struct SagBasisRow {
        QRadioButton* ruling;
        QRadioButton* exact;
        QLabel* note;
    };
    std::vector<SagBasisRow> sagBasis_; // the chart tab's, the field tab's
    SectionClearanceView* clearance_ = nullptr; // the 離隔 page
    QLabel* lblChartNote_ = nullptr;
    FieldCheckView* field_ = nullptr;
    QSpinBox* spnFrom_ = nullptr;
    QSpinBox* spnTo_ = nullptr;
    QSpinBox* spnStep_ = nullptr;
};

// Opens a section window for the stored wire and conditions.
frmSection* ShowSectionWindow(WindowHost& host);

} // namespace orvalt
