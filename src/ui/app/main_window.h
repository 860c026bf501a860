// frmMain: the frame of the program. A QMainWindow with a QMdiArea that holds
// every other window, the menu bar and its enabling rules, the start-up
// values of the calculation state, the design being worked on as a case
// document (its file commands and its part of the caption), and the question
// before quitting.
#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "engine/calculation/calculation_state.h"
#include "engine/case/case_document.h"
#include "ui/base/window_host.h"
#include "ui/windows/wire_setting_window.h"

class QAction;
class QActionGroup;
class QMenu;
class QSessionManager;

namespace orvalt {

class ChildWindow;
class OpenDialogService;
class SaveDialogService;
class TextInputService;

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
    // The print service, its page header set to the case's title: every text
    // a window prints is headed by the title the case has at that moment.
    PrintService& printService() override;
    WindowBookkeeping& bookkeeping() override { return bookkeeping_; }
    QWidget* hostWidget() override { return this; }
    QMdiArea* mdiArea() const override { return mdiArea_; }
    QMdiSubWindow* addChildWindow(QWidget* child) override;
    void setCommandEnabled(HostCommand command, bool enabled) override;
    // The caption, followed by the document's file name and title if any,
    // with the mark of unsaved changes.
    void setCaption(const QString& caption) override;
    // The folder followed by the platform's separator and `fileName`.
    QString programFilePath(const QString& fileName) const override;
    CaseDocument& document() override { return document_; }

    // Where the save commands ask for a file name; a Qt file dialog unless
    // set otherwise (tests answer without a dialog).
    void setSaveDialogService(SaveDialogService& dialogs);
    // Where 開く asks for a file; a Qt file dialog unless set otherwise.
    void setOpenDialogService(OpenDialogService& dialogs);
    // Where 表題 asks for the case's title; a Qt input dialog unless set
    // otherwise.
    void setTextInputService(TextInputService& input);

    // Opens the case file at `path` as 開く does once the file is chosen
    // (and any unsaved changes were settled): the wire, the conditions and
    // the rest of the case, or the reason it cannot, with nothing changed.
    // Also what `orvalt99 FILE` does.
    bool openCaseFile(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void mnuFile_End_Click();
    void mnuCondition_Click();
    void mnuCalculate_Click();
    void mnuSection_Click();
    void mnuPrint_Click();
    void mnuChart_Click();
    void mnuGraph_Click();
    void mnuImage_Click();
    void mnuCsv_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    // 表題: the case's title, shown in the caption and kept in the case file.
    void mnuTitle_Click();
    // ウィンドウ > kg 単位 / SI 単位: the units the design is shown in.
    void mnuUnitsKgf_Click();
    void mnuUnitsSi_Click();
public slots:
    // The commands that follow the calculations and the active child:
    // 計算結果印刷 while a result window is open or the active child prints;
    // 架線弛度表 and グラフ while a result window is open or the active child
    // shows a calculation; CSV and image while the active child offers one.
    void updateMenus() override;

private slots:
    void mnuWire_Click();
    void mnuUse_Click();
    // ウィンドウ: the open windows listed under the arrange commands, the
    // active one checked.
    void updateWindowMenu();
    // The desktop session is ending: the same question as 終了.
    void sessionEnding(QSessionManager& manager);

private:
    void createMenus();
    void createWindowMenu();
    // The units choice checked for `units`, and every open child window told
    // to show them; the document is not touched.
    void showUnits(UnitSystem units);
    // The engineer's choice: kept in the document (marking it modified when
    // it changes) and shown.
    void chooseUnits(UnitSystem units);
    ChildWindow* activeChild() const;
    // The calculation of the active child, or null after asking the user to
    // choose a result window for `command`.
    std::shared_ptr<const CalculationState> activeCalculation(const QString& command);
    QString proposedFileName(const CalculationState& calculation, const QString& suffix) const;
    void saveCsv(const std::string& bytes, const QString& proposedPath);
    // Writes the document to `path`; false (the reason shown) when it could
    // not be written.
    bool saveCase(const QString& path);
    // 上書き保存 and 名前を付けて保存; false when nothing was written.
    bool saveDocument();
    bool saveDocumentAs();
    // Before unsaved changes would be lost: asks whether to save them.
    // True when the work may go on (saved, or not to be saved).
    bool settleUnsavedChanges();
    QString documentPath() const; // empty for a design never saved
    QString caseCaption() const;
    bool captionMarked() const; // the caption shows "*": a file with unsaved changes
    void showCaption();

    void MDIForm_Load();
    bool MDIForm_QueryUnload(); // false cancels the close
    void MDIForm_Unload();
    // Closes every child through its own close handler; false when one refused.
    bool closeChildWindows();

    CalculationState& state_;
    WindowBookkeeping bookkeeping_;
    MessageService& messages_;
    PrintService& printing_;
    QString programFolder_;
    QMdiArea* mdiArea_ = nullptr;
    QAction* mnuOpen_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuSaveAs_ = nullptr;
    QAction* mnuCalculate_ = nullptr;
    QAction* mnuSection_ = nullptr;
    QAction* mnuPrint_ = nullptr;
    QAction* mnuChart_ = nullptr;
    QAction* mnuCsv_ = nullptr;
    QAction* mnuGraph_ = nullptr;
    QAction* mnuImage_ = nullptr;
    std::unique_ptr<SaveDialogService> ownSaveDialogs_;
    SaveDialogService* saveDialogs_;
    std::unique_ptr<OpenDialogService> ownOpenDialogs_;
    OpenDialogService* openDialogs_;
    // The design being worked on: what 上書き保存 writes, whose changes the
    // caption marks and the quit question asks about.
    CaseDocument document_;
    QString caption_; // as last set, without the document's part
    std::unique_ptr<TextInputService> ownTextInput_;
    TextInputService* textInput_ = nullptr;
    QAction* mnuUse_ = nullptr;
    QMenu* mnuWindow_ = nullptr;
    QAction* mnuUnitsKgf_ = nullptr;
    QAction* mnuUnitsSi_ = nullptr;
    QActionGroup* windowList_ = nullptr;
    WireSettingMemory wireSettingMemory_; // kept while the program runs
    bool quitConfirmed_ = false;          // the question was answered OK, children closed
};

} // namespace orvalt
