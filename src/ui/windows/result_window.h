// frmKekka: one result report in a child window of the main window. Every
// calculation opens a new one; they count themselves in resultWindowCount and
// keep the print command enabled while at least one is open.
#pragma once

#include <QString>
#include <QWidget>

#include <memory>

#include "engine/calculation/calculation_state.h"
#include "ui/base/child_window.h"

class QMdiSubWindow;
class QPlainTextEdit;

namespace orvalt {

class WindowHost;

class frmKekka : public QWidget, public ChildWindow {
    Q_OBJECT

public:
    static constexpr bool kOneInstance = false;
    static constexpr bool kFixedFrame = false;
    static constexpr char kObjectName[] = "frmKekka";

    // Builds the text box; OpenChildWindow loads, places and shows it.
    explicit frmKekka(WindowHost& host);
    ~frmKekka() override;

    // Takes the state after the run, puts its report into Text1, names the
    // window after it and counts itself in resultWindowCount.
    LoadOutcome Form_Load();
    // The initial size, cascading from the previous result window.
    void Form_Place(QMdiSubWindow& sub);

    // Text1: the report, editable; the print command prints what it holds.
    QPlainTextEdit* text1() const { return text1_; }

    // The current text of Text1 with every line ending in "\r\n", as the
    // report was composed (the text box itself keeps bare line breaks).
    QString reportText() const;

    // The calculation the report was composed from: the state after the
    // run, shared with the chart and graph windows opened from this one.
    std::shared_ptr<const CalculationState> calculation() const override { return calculation_; }
    // Prints the text as it stands, with the user's edits, one job per copy.
    bool canPrint() const override { return true; }
    void print() override;
    // The result table as CSV, in the units the report is in.
    std::optional<Csv> csv() const override;
    // The report composed again in `units`, unless the engineer has edited
    // its text: an edited report stays as it is (the edits are not thrown
    // away) and keeps its units, CSV included.
    void showUnits(UnitSystem units) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Resize();
    void Form_Unload();

    WindowHost& host_;
    std::shared_ptr<const CalculationState> calculation_;
    QPlainTextEdit* text1_ = nullptr;
    UnitSystem units_ = UnitSystem::kKgf; // of the report shown
    bool loaded_ = false;
};

// Opens a new result window for the state after a run and shows it at its
// initial size, cascading from the previous result window. Changes nothing
// in the state apart from the window count.
frmKekka* BuildResultReport(WindowHost& host);

} // namespace orvalt
