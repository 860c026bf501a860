// frmMain: the frame of the program. A QMainWindow with a QMdiArea that holds
// every other window, the menu bar and its enabling rules, the start-up
// values of the calculation state, and the question before quitting.
#pragma once

#include <QMainWindow>
#include <QString>

#include "engine/calculation_state.h"
#include "ui/base/window_host.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QSessionManager;

namespace orvalt {

class frmMain : public QMainWindow, public WindowHost {
    Q_OBJECT

public:
    // `programFolder` is the folder of the executable; the catalogue and the
    // usage text are looked for there.
    frmMain(CalculationState& state, MessageService& messages, PrintService& printing,
            QString programFolder, QWidget* parent = nullptr);
    ~frmMain() override;

    // The host of the child windows.
    CalculationState& state() override { return state_; }
    MessageService& messages() override { return messages_; }
    PrintService& printService() override { return printing_; }
    QWidget* hostWidget() override { return this; }
    QMdiArea* mdiArea() const override { return mdiArea_; }
    QMdiSubWindow* addChildWindow(QWidget* child) override;
    void setCommandEnabled(HostCommand command, bool enabled) override;
    void setCaption(const QString& caption) override { setWindowTitle(caption); }
    // The folder followed by the platform's separator and `fileName`.
    QString programFilePath(const QString& fileName) const override;

    // Tag ("kekka", "setting" or empty) of the active child window.
    QString activeChildTag() const;

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
