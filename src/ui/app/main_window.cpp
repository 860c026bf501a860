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
#include <QStandardPaths>

#include "engine/calculation/calculation.h"
#include "ui/base/access_keys.h"
#include "ui/base/child_window.h"
#include "ui/base/file_saving.h"
#include "ui/base/image_export.h"
#include "ui/base/message_box.h"
#include "ui/base/printing.h"
#include "ui/base/text_input.h"
#include "ui/base/program_icon.h"
#include "ui/base/twips.h"
#include "ui/windows/chart_window.h"
#include "ui/windows/conditions_window.h"
#include "ui/windows/graph_window.h"
#include "ui/windows/result_window.h"
#include "ui/windows/section_window.h"
#include "ui/windows/usage_window.h"
#include "ui/windows/wire_setting_window.h"

namespace orvalt {

namespace {

const QString kStartCaption = QStringLiteral("最大使用張力計算");

// Pixels of a saved image (a PDF page of the same size at 96 per inch): the
// proportions of an A4 landscape page.
constexpr QSize kImageSize(1600, 1131);

} // namespace

frmMain::frmMain(CalculationState& state, MessageService& messages, PrintService& printing,
                 QString programFolder, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      messages_(messages),
      printing_(printing),
      programFolder_(std::move(programFolder)),
      ownSaveDialogs_(std::make_unique<QtSaveDialogService>()),
      saveDialogs_(ownSaveDialogs_.get()),
      ownOpenDialogs_(std::make_unique<QtOpenDialogService>()),
      openDialogs_(ownOpenDialogs_.get()),
      ownTextInput_(std::make_unique<QtTextInputService>()),
      textInput_(ownTextInput_.get()) {
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

    createMenus();
    document_.setChangeHandler([this] { showCaption(); });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &frmMain::updateMenus);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &frmMain::updateWindowMenu);
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

// The menu bar: one drop-down menu, then commands directly in the bar.
// Access keys; the case file commands also have the usual shortcuts.
void frmMain::createMenus() {
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    auto command = [this](QWidget* menu, const char16_t* caption, const char* name,
                          void (frmMain::*handler)()) {
        auto* action = new QAction(QString::fromUtf16(caption), this);
        action->setObjectName(QString::fromLatin1(name));
        menu->addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuOpen_ = command(mnuFile, u"開く(&O)…", "mnuOpen", &frmMain::mnuOpen_Click);
    mnuOpen_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSave_ = command(mnuFile, u"上書き保存(&S)", "mnuSave", &frmMain::mnuSave_Click);
    mnuSave_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveAs_ = command(mnuFile, u"名前を付けて保存(&A)…", "mnuSaveAs", &frmMain::mnuSaveAs_Click);
    mnuSaveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    command(mnuFile, u"表題(&H)…", "mnuTitle", &frmMain::mnuTitle_Click);
    mnuFile->addSeparator();
    mnuCsv_ = command(mnuFile, u"CSV で保存(&E)…", "mnuCsv", &frmMain::mnuCsv_Click);
    mnuImage_ = command(mnuFile, u"画像として保存(&I)…", "mnuImage", &frmMain::mnuImage_Click);
    mnuFile->addSeparator();
    command(mnuFile, u"終了(&X)", "mnuFile_End", &frmMain::mnuFile_End_Click);

    QMenuBar* bar = menuBar();
    command(bar, u"計算条件(&S)", "mnuCondition", &frmMain::mnuCondition_Click);
    mnuCalculate_ = command(bar, u"計算(&C)", "mnuCalculate", &frmMain::mnuCalculate_Click);
    mnuSection_ = command(bar, u"区間計算(&T)", "mnuSection", &frmMain::mnuSection_Click);
    mnuPrint_ = command(bar, u"計算結果印刷(&P)", "mnuPrint", &frmMain::mnuPrint_Click);
    mnuChart_ = command(bar, u"架線弛度表(&K)", "mnuChart", &frmMain::mnuChart_Click);
    mnuGraph_ = command(bar, u"グラフ(&G)", "mnuGraph", &frmMain::mnuGraph_Click);
    command(bar, u"電線設定(&W)", "mnuWire", &frmMain::mnuWire_Click);
    mnuUse_ = command(bar, u"使い方(&U)", "mnuUse", &frmMain::mnuUse_Click);
    createWindowMenu();
}

// Children still open here were not closed by the quit sequence (a test, or
// the program's own teardown); they go with the widget tree.
frmMain::~frmMain() {
    // The area activates its remaining sub-windows as they are deleted with
    // the widget tree, after this window's own members are gone: the menus
    // must not follow it then.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

void frmMain::setCommandEnabled(HostCommand command, bool enabled) {
    switch (command) {
        case HostCommand::Calculate:
            // 計算 follows the stored conditions, and so do a tension
            // section, which computes with them, and saving them.
            mnuCalculate_->setEnabled(enabled);
            mnuSection_->setEnabled(enabled);
            mnuSave_->setEnabled(enabled);
            mnuSaveAs_->setEnabled(enabled);
            break;
        case HostCommand::Use: mnuUse_->setEnabled(enabled); break;
    }
}

void frmMain::setSaveDialogService(SaveDialogService& dialogs) { saveDialogs_ = &dialogs; }

void frmMain::setOpenDialogService(OpenDialogService& dialogs) { openDialogs_ = &dialogs; }

void frmMain::setTextInputService(TextInputService& input) { textInput_ = &input; }

void frmMain::setCaption(const QString& caption) {
    caption_ = caption;
    showCaption();
}

ChildWindow* frmMain::activeChild() const { return ActiveChildWindow(mdiArea_); }

void frmMain::updateMenus() {
    const ChildWindow* child = activeChild();
    const bool results = bookkeeping_.resultWindowCount > 0;
    const bool calculation = child != nullptr && child->calculation() != nullptr;
    mnuPrint_->setEnabled(results || (child != nullptr && child->canPrint()));
    mnuChart_->setEnabled(results || calculation);
    mnuGraph_->setEnabled(results || calculation);
    mnuCsv_->setEnabled(child != nullptr && child->csv().has_value());
    mnuImage_->setEnabled(child != nullptr && child->image().has_value());
}

QMdiSubWindow* frmMain::addChildWindow(QWidget* child) {
    ChildAccessKeys::TakeOver(child);
    QMdiSubWindow* sub = mdiArea_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A sub-window shows the style's Qt logo unless given an icon.
    sub->setWindowIcon(ProgramIcon());
    return sub;
}

QString frmMain::programFilePath(const QString& fileName) const {
    return programFolder_ + QDir::separator() + fileName;
}

void frmMain::MDIForm_Load() {
    setCaption(kStartCaption);
    // Every field back to its start-up value, the derived values included,
    // and the window bookkeeping: no window open, the catalogue beside the
    // program.
    state_ = CalculationState{};
    bookkeeping_ = WindowBookkeeping{};
    bookkeeping_.wireDataPath = programFilePath(QStringLiteral("wiredata.dat")).toStdString();
    setCommandEnabled(HostCommand::Calculate, false);
    // templateTable is a constant of the program, already filled.
    updateMenus();
}

// With unsaved changes the question is whether to save them, and it is the
// only one; otherwise the program's own question.
bool frmMain::MDIForm_QueryUnload() {
    if (document_.hasUnsavedChanges()) return settleUnsavedChanges();
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
        messages_.Show(this, QString::fromUtf8(error.what()), MessageIcon::Stop,
                       MessageButtons::Ok);
        return;
    }
    BuildResultReport(*this);
}

void frmMain::mnuSection_Click() { ShowSectionWindow(*this); }

void frmMain::mnuPrint_Click() {
    if (ChildWindow* child = activeChild()) child->print();
}

std::shared_ptr<const CalculationState> frmMain::activeCalculation(const QString& command) {
    const ChildWindow* child = activeChild();
    std::shared_ptr<const CalculationState> calculation =
        child != nullptr ? child->calculation() : nullptr;
    if (calculation == nullptr)
        messages_.Show(
            this,
            QStringLiteral("計算結果フォームをアクティブにしてから%1メニューを選んでください")
                .arg(command),
            MessageIcon::None, MessageButtons::Ok);
    return calculation;
}

void frmMain::mnuChart_Click() {
    if (auto calculation = activeCalculation(QStringLiteral("架線弛度表")))
        ShowChartWindow(*this, std::move(calculation));
}

void frmMain::mnuGraph_Click() {
    if (auto calculation = activeCalculation(QStringLiteral("グラフ")))
        ShowGraphWindow(*this, std::move(calculation));
}

void frmMain::mnuImage_Click() {
    const ChildWindow* child = activeChild();
    const auto image = child != nullptr ? child->image() : std::nullopt;
    const auto calculation = child != nullptr ? child->calculation() : nullptr;
    if (!image || calculation == nullptr) return;
    const QString path = saveDialogs_->ChooseSaveFile(
        this, QStringLiteral("画像として保存"),
        proposedFileName(*calculation, image->suffix) + QStringLiteral(".png"),
        QStringLiteral("PNG 画像 (*.png);;PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (const std::optional<QString> failure = SaveDrawingAsImage(path, kImageSize, image->draw))
        messages_.Show(
            this, QStringLiteral("画像を保存できませんでした。\n%1\n理由: %2").arg(path, *failure),
            MessageIcon::Exclamation, MessageButtons::Ok);
}

void frmMain::mnuCsv_Click() {
    const ChildWindow* child = activeChild();
    const auto csv = child != nullptr ? child->csv() : std::nullopt;
    const auto calculation = child != nullptr ? child->calculation() : nullptr;
    if (csv && calculation != nullptr)
        saveCsv(csv->bytes, proposedFileName(*calculation, csv->suffix));
}

QString frmMain::proposedFileName(const CalculationState& calculation,
                                  const QString& suffix) const {
    // The wire's name is cut where a long one would make the name too long
    // for the file system (the extension, four characters, comes later).
    const QString tail = QStringLiteral("_") + QString::number(calculation.temperatureStudy) +
                         QStringLiteral("℃") + suffix;
    const QString wire = QString::fromStdString(calculation.currentWire.wireName).trimmed();
    const QString name = FitFileName(wire, tail + QStringLiteral(".csv")) + tail;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(FileNameSafe(name));
}

void frmMain::saveCsv(const std::string& bytes, const QString& proposedPath) {
    QString path = saveDialogs_->ChooseSaveFile(this, QStringLiteral("CSV で保存"),
                                                proposedPath + QStringLiteral(".csv"),
                                                QStringLiteral("CSV ファイル (*.csv)"));
    if (path.isEmpty()) return;
    const std::optional<QString> failure = SaveBytes(path, QByteArray::fromStdString(bytes));
    if (failure)
        messages_.Show(this,
                       QStringLiteral("CSV ファイルを保存できませんでした。\n%1\n理由: %2")
                           .arg(path, *failure),
                       MessageIcon::Exclamation, MessageButtons::Ok);
}

void frmMain::mnuWire_Click() {
    if (bookkeeping_.conditionsWindowOpen) {
        messages_.Show(this, QStringLiteral("条件設定画面を閉じてから設定してください"),
                       MessageIcon::None, MessageButtons::Ok);
        return;
    }
    ShowWireSettingWindow(*this, wireSettingMemory_);
}

void frmMain::mnuUse_Click() { ShowUsageWindow(*this); }

} // namespace orvalt
