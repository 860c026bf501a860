#include "ui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>

#include "ui/windows/wire_setting_window.h"
#include "ui/windows/conditions_window.h"
#include "engine/calculation.h"
#include "ui/windows/result_window.h"
#include "ui/base/access_keys.h"
#include "ui/base/message_box.h"
#include "ui/base/twips.h"
#include "ui/windows/usage_window.h"

namespace orvalt {

namespace {

const QString kStartCaption = QStringLiteral("最大使用張力計算");

} // namespace

frmMain::frmMain(CalculationState& state, MessageService& messages, PrintService& printing,
                 QString programFolder, QWidget* parent)
    : QMainWindow(parent), state_(state), messages_(messages), printing_(printing),
      programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("frmMain"));

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("MDIClient"));
    mdiArea_->setViewMode(QMdiArea::SubWindowView);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The system colour of an application workspace.
    mdiArea_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(mdiArea_);
    new ChildAccessKeys(mdiArea_, this);

    // The menu bar: one drop-down menu, then commands directly in the bar.
    // Access keys only, no shortcuts.
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    QAction* mnuFileEnd = mnuFile->addAction(QStringLiteral("終了(&X)"));
    mnuFileEnd->setObjectName(QStringLiteral("mnuFile_End"));
    QAction* mnuCondition = menuBar()->addAction(QStringLiteral("計算条件(&S)"));
    mnuCondition->setObjectName(QStringLiteral("mnuCondition"));
    mnuCalculate_ = menuBar()->addAction(QStringLiteral("計算(&C)"));
    mnuCalculate_->setObjectName(QStringLiteral("mnuCalculate"));
    mnuPrint_ = menuBar()->addAction(QStringLiteral("計算結果印刷(&P)"));
    mnuPrint_->setObjectName(QStringLiteral("mnuPrint"));
    QAction* mnuWire = menuBar()->addAction(QStringLiteral("電線設定(&W)"));
    mnuWire->setObjectName(QStringLiteral("mnuWire"));
    mnuUse_ = menuBar()->addAction(QStringLiteral("使い方(&U)"));
    mnuUse_->setObjectName(QStringLiteral("mnuUse"));

    connect(mnuFileEnd, &QAction::triggered, this, &frmMain::mnuFile_End_Click);
    connect(mnuCondition, &QAction::triggered, this, &frmMain::mnuCondition_Click);
    connect(mnuCalculate_, &QAction::triggered, this, &frmMain::mnuCalculate_Click);
    connect(mnuPrint_, &QAction::triggered, this, &frmMain::mnuPrint_Click);
    connect(mnuWire, &QAction::triggered, this, &frmMain::mnuWire_Click);
    connect(mnuUse_, &QAction::triggered, this, &frmMain::mnuUse_Click);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, &frmMain::sessionEnding);

    // Restored placement: client area 8880 x 4875 twips, centred on the
    // screen. The program shows the window maximized.
    resize(TwipsSize(8880, 4875) + QSize(0, menuBar()->sizeHint().height()));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    MDIForm_Load();
}

// Children still open here were not closed by the quit sequence (a test, or
// the program's own teardown); they go with the widget tree.
frmMain::~frmMain() = default;

void frmMain::setCommandEnabled(HostCommand command, bool enabled) {
    switch (command) {
    case HostCommand::Calculate: mnuCalculate_->setEnabled(enabled); break;
    case HostCommand::Print: mnuPrint_->setEnabled(enabled); break;
    case HostCommand::Use: mnuUse_->setEnabled(enabled); break;
    }
}

QString frmMain::activeChildTag() const {
    // currentSubWindow() is the active child, and stays so while the menu bar
    // or a message box has the focus.
    const QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    if (sub == nullptr || sub->widget() == nullptr) return {};
    return sub->widget()->property("tag").toString();
}

QMdiSubWindow* frmMain::addChildWindow(QWidget* child) {
    ChildAccessKeys::TakeOver(child);
    QMdiSubWindow* sub = mdiArea_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    return sub;
}

QString frmMain::programFilePath(const QString& fileName) const {
    return programFolder_ + QDir::separator() + fileName;
}

void frmMain::MDIForm_Load() {
    setWindowTitle(kStartCaption);
    // Every field back to its start-up value; conditionsWindowOpen,
    // resultWindowCount and the derived values included.
    state_ = CalculationState{};
    state_.wireDataPath = programFilePath(QStringLiteral("wiredata.dat")).toStdString();
    setCommandEnabled(HostCommand::Calculate, false);
    // templateTable is a constant of the program, already filled.
    state_.resultWindowCount = 0;
    setCommandEnabled(HostCommand::Print, false);
}

bool frmMain::MDIForm_QueryUnload() {
    return messages_.Show(this, QStringLiteral("終了しますか"), MessageIcon::Exclamation,
                          MessageButtons::OkCancel) == MessageAnswer::Ok;
}

void frmMain::MDIForm_Unload() { QCoreApplication::quit(); }

bool frmMain::closeChildWindows() {
    // QMainWindow does not close the MDI children on its own; each one
    // closes through its own handler so the counters and menus follow.
    mdiArea_->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (sub->isVisible()) return false;
    return true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!quitConfirmed_) {
        if (!MDIForm_QueryUnload() || !closeChildWindows()) {
            event->ignore();
            return;
        }
    }
    quitConfirmed_ = false;
    event->accept();
    MDIForm_Unload();
}

void frmMain::sessionEnding(QSessionManager& manager) {
    if (manager.allowsInteraction()) {
        const bool ok = MDIForm_QueryUnload();
        manager.release();
        if (!ok) {
            manager.cancel();
            return;
        }
    }
    if (!closeChildWindows()) {
        manager.cancel();
        return;
    }
    quitConfirmed_ = true;
    close();
}

void frmMain::mnuFile_End_Click() { close(); }

void frmMain::mnuCondition_Click() { ShowConditionsWindow(*this); }

void frmMain::mnuCalculate_Click() {
    try {
        RunCalculation(state_);
    } catch (const CalculationError& error) {
        // No report and no window; earlier result windows stay as they were.
        messages_.Show(this, QString::fromUtf8(error.what()), MessageIcon::Stop, MessageButtons::Ok);
        return;
    }
    BuildResultReport(*this);
}

void frmMain::mnuPrint_Click() {
    const QString tag = activeChildTag();
    if (tag == QLatin1String(kResultWindowTag)) {
        PrintResultWindow(*this);
    } else if (tag == QLatin1String(kConditionsWindowTag)) {
        messages_.Show(this,
                       QStringLiteral("計算結果フォームをアクティブにしてから印刷メニューを選んでください"),
                       MessageIcon::None, MessageButtons::Ok);
    }
}

void frmMain::mnuWire_Click() {
    if (state_.conditionsWindowOpen) {
        messages_.Show(this, QStringLiteral("条件設定画面を閉じてから設定してください"),
                       MessageIcon::None, MessageButtons::Ok);
        return;
    }
    ShowWireSettingWindow(*this);
}

void frmMain::mnuUse_Click() { ShowUsageWindow(*this); }

} // namespace orvalt
