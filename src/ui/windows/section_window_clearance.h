// The section window's 離隔 page: on its left what the clearance check
// needs beside the spans, on its right what it found.
//
// The inputs: the 電圧区分 (低圧, 高圧, 特別高圧 with its kV), the ground's
// required clearance when it is not the default, the creep allowance [℃];
// three number tables typed and pasted as the span list is: 支持点の地盤
// (地盤標高 and 取付高さ per support, one row more than the spans, both or
// neither), 地表の測点 (距離, 標高) and 横断物 (距離, 種別, 標高, 所要離隔;
// an empty 所要離隔 takes the default of the voltage class and kind). They
// are read by 計算 and become the design's with the spans.
//
// The results: the profile (section_window_clearance_plot.h) and the
// clearance per span and per crossing, 不可 marked. A section without
// ground says so on the page, without a message box: most sections are
// computed without one. The page prints as an A4 landscape drawing with a
// title block, the clearance table under the profile (continued on further
// pages when it is long), and saves as CSV (the bytes of
// `orvalt99-cli clearance`) and as an image.
#pragma once

#include <QStringList>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "engine/case/case_file.h"
#include "ui/base/title_block.h"
#include "ui/windows/section_window_clearance_plot.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QSpinBox;
class QStandardItemModel;
class QTableWidget;

namespace orvalt {

class CopyableTableView;
class MessageService;
class NumberTable;

class SectionClearanceView final : public QWidget {
    Q_OBJECT

public:
    SectionClearanceView(MessageService& messages, QWidget* parent);

    // Keeps one row of 支持点の地盤 more than the span list has rows.
    void followSpans(QTableWidget* spans);
    // Shows a case's ground, crossings, voltage and allowances.
    void showCase(const CaseClearance& clearance);
    // The inputs for `spanCount` spans, or nothing after the message naming
    // the box or the table's row and column (the focus goes there).
    std::optional<CaseClearance> readInputs(std::size_t spanCount);
    // The spans' height differences that the supports' ground gives when
    // every one of `spanCount` + 1 supports has both of its values (read
    // quietly, rounded to the millimetre); empty otherwise.
    std::vector<double> groundHeightDifferences(std::size_t spanCount) const;
    // Whether the inputs differ from those the results were computed with.
    bool changedSinceComputed() const;

    // Checks `section` (its spans, supports, stringing temperature, ground
    // and crossings) on `state` and shows the outcome.
    void showClearance(const CalculationState& state, const CaseSection& section);
    void clearResults();
    // Greys the results only: the inputs stay open for the next 計算.
    void setResultsEnabled(bool enabled);

    // Computed without refusal: there is a table to print and save.
    bool hasResults() const { return table_.has_value(); }
    std::string csvBytes() const;
    // The pages of the printout on a page of `page` (device units): the
    // profile with the table under it, then the rest of the table.
    int pageCount(const QRectF& page) const;
    // Page `index` of the printout, under a title block of `block` to which
    // the voltage class and the drawing's scale are added.
    void drawPage(QPainter& painter, const QRectF& page, TitleBlock block, int index) const;
    const ClearanceDrawing& drawing() const;

signals:
    // An input changed.
    void edited();

private:
    QWidget* buildInputs(MessageService& messages);
    // The parts of readInputs; false after the message.
    bool readBoxes(CaseClearance& c);
    bool readSupportGround(std::size_t spanCount, CaseClearance& c);
    bool readSurvey(CaseClearance& c);
    QStringList inputTexts() const;
    void VoltageClass_Change();
    struct TableLine {
        std::vector<QString> cells;
        int table = 0; // 0 spans, 1 crossings
        bool heading = false;
    };
    std::vector<TableLine> tableLines() const;
    int linesOnFirstPage(const QRectF& page) const;

    MessageService& messages_;
    QComboBox* cmbVoltageClass_ = nullptr;
    QLineEdit* txtVoltage_ = nullptr;
    QLineEdit* txtGroundClearance_ = nullptr;
    QSpinBox* spnCreep_ = nullptr;
    NumberTable* grdSupportGround_ = nullptr;
    NumberTable* grdGround_ = nullptr;
    NumberTable* grdCrossings_ = nullptr;
    bool voltageChosen_ = false; // the case names one, or the user chose one
    QStringList computedTexts_;

    QWidget* results_ = nullptr;
    ClearanceProfilePlot* plot_ = nullptr;
    QLabel* lblClearance_ = nullptr;
    QStandardItemModel* spanModel_ = nullptr;
    QStandardItemModel* crossingModel_ = nullptr;
    std::optional<ClearanceTable> table_;
    QString voltageText_;   // "電圧区分 高圧"
    QString creepText_;     // "（クリープ +10℃）" or empty
};

} // namespace orvalt
