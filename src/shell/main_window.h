// frmMain: the frame of the program. A QMainWindow with a QMdiArea that holds
// every other window, the menu bar and its enabling rules, the start-up
// values of the calculation state, and the question before quitting.
#pragma once

#include <QMainWindow>
#include <QString>

#include "core/calculation_state.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QSessionManager;

namespace orvalt {

class MessageService;
class PrintService;

class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // `programFolder` is the folder of the executable; the catalogue and the
    // usage text are looked for there.
    frmMain(CalculationState& state, MessageService& messages, PrintService& printing,
            QString programFolder, QWidget* parent = nullptr);
    ~frmMain() override;

    CalculationState& state() { return state_; }
    MessageService& messages() { return messages_; }
    PrintService& printService() { return printing_; }
    QMdiArea* mdiArea() const { return mdiArea_; }
    const QString& programFolder() const { return programFolder_; }

    // Enabling of the menu commands, as the other windows need it.
    void setCalculateEnabled(bool enabled);
    void setPrintEnabled(bool enabled);
    void setUseEnabled(bool enabled);

    // Tag ("kekka", "setting" or empty) of the active child window.
    QString activeChildTag() const;

    // Adds `child` as an MDI sub-window and returns the sub-window.
    QMdiSubWindow* addChildWindow(QWidget* child);

    // Program file path: the folder followed by the platform's separator and
    // `fileName` ("wiredata.dat", "orvalt99.txt").
    QString programFilePath(const QString& fileName) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void mnuFile_End_Click();
    void mnuCondition_Click();
    void mnuCalculate_Click();
    void mnuPrint_Click();
    void mnuWire_Click();
    void mnuUse_Click();
    // The desktop session is ending: the same question as 終了.
    void sessionEnding(QSessionManager& manager);

private:
    void MDIForm_Load();
    bool MDIForm_QueryUnload(); // false cancels the close
    void MDIForm_Unload();
    // Closes every child through its own close handler; false when one refused.
    bool closeChildWindows();

    CalculationState& state_;
    MessageService& messages_;
    PrintService& printing_;
    QString programFolder_;
    QMdiArea* mdiArea_ = nullptr;
    QAction* mnuCalculate_ = nullptr;
    QAction* mnuPrint_ = nullptr;
    QAction* mnuUse_ = nullptr;
    bool quitConfirmed_ = false; // the question was answered OK, children closed
};

} // namespace orvalt
