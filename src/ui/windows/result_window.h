// frmKekka: one result report in a child window of the main window. Every
// calculation opens a new one; they count themselves in resultWindowCount and
// keep the print command enabled while at least one is open.
#pragma once

#include <QString>
#include <QWidget>

#include "engine/calculation/calculation_state.h"

class QPlainTextEdit;

namespace orvalt {

class WindowHost;

class frmKekka : public QWidget {
    Q_OBJECT

public:
    // Creates the window as a sub-window of the host and runs its load step.
    // The caller shows it (OpenResultWindow does).
    explicit frmKekka(WindowHost& host);
    ~frmKekka() override;

    // Text1: the report, editable; the print command prints what it holds.
    QPlainTextEdit* text1() const { return text1_; }

    // The current text of Text1 with every line ending in "\r\n", as the
    // report was composed (the text box itself keeps bare line breaks).
    QString reportText() const;

    // The calculation the report was composed from: a copy of the state
    // after the run, which the stringing chart and the CSV are derived from.
    const CalculationState& calculation() const { return calculation_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void Form_Unload();

    friend frmKekka* BuildResultReport(WindowHost& host);

    WindowHost& host_;
    CalculationState calculation_;
    QPlainTextEdit* text1_ = nullptr;
    bool loaded_ = false;
};

// Creates a new result window in the host, runs its load step and shows it
// at its initial size, cascading from the previous result window.
frmKekka* OpenResultWindow(WindowHost& host);

// Opens a new result window and puts the report of host.state() into it, in
// the report's font. Changes nothing in the state apart from the window count.
frmKekka* BuildResultReport(WindowHost& host);

// Prints the text of the active result window, one job per copy; a cancel or
// an error shows "印字はキャンセルされました。".
void PrintResultWindow(WindowHost& host);

// The tag that marks a result window for the print command.
inline constexpr char kResultWindowTag[] = "kekka";

} // namespace orvalt
