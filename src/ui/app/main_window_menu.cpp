// The ウィンドウ menu of the main window: arranging the child windows, moving
// between them and closing the active one from the keyboard, the units the
// windows show (kg 単位 / SI 単位), and the list of the open ones. Its letter (M) is used by nothing on the menu bar and by no
// button of a child window, so Alt+M opens it whichever child is active.
#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "ui/app/main_window.h"
#include "ui/base/child_window.h"
#include "ui/base/text_input.h"

namespace orvalt {

void frmMain::mnuTitle_Click() {
    const std::optional<QString> title =
        textInput_->AskText(this, QStringLiteral("表題"), QStringLiteral("この計算の表題"),
                            QString::fromStdString(document_.content().title));
    if (!title) return;
    document_.setTitle(title->simplified().toStdString());
    setCaption(caption_);
}

void frmMain::createWindowMenu() {
    mnuWindow_ = menuBar()->addMenu(QStringLiteral("ウィンドウ(&M)"));
    mnuWindow_->setObjectName(QStringLiteral("mnuWindow"));
    mnuWindow_->menuAction()->setObjectName(QStringLiteral("mnuWindow"));
    struct Command {
        const char16_t* caption;
        const char* name;
        QKeySequence keys;
        void (QMdiArea::*act)();
    };
    const Command commands[] = {
        {u"重ねて表示(&C)", "mnuCascade", {}, &QMdiArea::cascadeSubWindows},
        {u"並べて表示(&T)", "mnuTile", {}, &QMdiArea::tileSubWindows},
        {u"閉じる(&O)", "mnuCloseWindow", QKeySequence(Qt::CTRL | Qt::Key_F4),
         &QMdiArea::closeActiveSubWindow},
        {u"次のウィンドウ(&N)", "mnuNextWindow", QKeySequence(Qt::CTRL | Qt::Key_Tab),
         &QMdiArea::activateNextSubWindow},
        {u"前のウィンドウ(&P)", "mnuPreviousWindow",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
         &QMdiArea::activatePreviousSubWindow},
    };
    for (const Command& c : commands) {
        auto* action = new QAction(QString::fromUtf16(c.caption), this);
        action->setObjectName(QString::fromLatin1(c.name));
        action->setShortcut(c.keys);
        // The keys act in the whole main window, over whatever child has the
        // focus (a tab widget in a child would take Ctrl+Tab for its pages).
        action->setShortcutContext(Qt::WindowShortcut);
        mnuWindow_->addAction(action);
        connect(action, &QAction::triggered, mdiArea_, c.act);
    }
    mnuWindow_->addSeparator();
    // The units: kg units at every start; a case file opened brings its own.
    auto* units = new QActionGroup(this);
    units->setExclusive(true);
    const auto unitsCommand = [&](const char16_t* caption, const char* name,
                                  void (frmMain::*handler)()) {
        auto* action = new QAction(QString::fromUtf16(caption), units);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        mnuWindow_->addAction(action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    mnuUnitsKgf_ = unitsCommand(u"kg 単位(&K)", "mnuUnitsKgf", &frmMain::mnuUnitsKgf_Click);
    mnuUnitsSi_ = unitsCommand(u"SI 単位(&I)", "mnuUnitsSi", &frmMain::mnuUnitsSi_Click);
    mnuUnitsKgf_->setChecked(true);
    mnuWindow_->addSeparator();
    windowList_ = new QActionGroup(this);
    windowList_->setExclusive(true);
    connect(mnuWindow_, &QMenu::aboutToShow, this, &frmMain::updateWindowMenu);
    updateWindowMenu();
}

void frmMain::mnuUnitsKgf_Click() { chooseUnits(UnitSystem::kKgf); }

void frmMain::mnuUnitsSi_Click() { chooseUnits(UnitSystem::kSi); }

void frmMain::chooseUnits(UnitSystem units) {
    document_.setUnits(units);
    showUnits(units);
}

void frmMain::showUnits(UnitSystem units) {
    if (mnuUnitsKgf_ != nullptr) {
        mnuUnitsKgf_->setChecked(units == UnitSystem::kKgf);
        mnuUnitsSi_->setChecked(units == UnitSystem::kSi);
    }
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* child = dynamic_cast<ChildWindow*>(sub->widget())) child->showUnits(units);
}

void frmMain::updateWindowMenu() {
    if (windowList_ == nullptr) return;
    for (QAction* old : windowList_->actions()) {
        windowList_->removeAction(old);
        delete old;
    }
    const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    const QMdiSubWindow* active = mdiArea_->activeSubWindow();
    int number = 0;
    for (QMdiSubWindow* sub : subs) {
        if (sub->isHidden() || sub->widget() == nullptr) continue;
        ++number;
        const QString title = sub->widget()->windowTitle();
        auto* action = new QAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                               : QStringLiteral("%1 %2").arg(number).arg(title),
                                   windowList_);
        action->setObjectName(QStringLiteral("mnuWindowList"));
        action->setCheckable(true);
        action->setChecked(sub == active);
        connect(action, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub != nullptr) mdiArea_->setActiveSubWindow(sub);
        });
        mnuWindow_->addAction(action);
    }
    const bool any = number > 0;
    for (const char* name :
         {"mnuCascade", "mnuTile", "mnuCloseWindow", "mnuNextWindow", "mnuPreviousWindow"})
        if (auto* action = findChild<QAction*>(QString::fromLatin1(name))) action->setEnabled(any);
}

} // namespace orvalt
