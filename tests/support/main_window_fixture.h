// A main window over a temporary program folder, with fake message and print
// services and a watchdog that fails the test on any real modal dialog, and
// helpers that drive the windows by the names of their controls through real
// clicks and keys (user_input.h).
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

#include "engine/calculation/calculation_state.h"
#include "engine/catalogue/catalogue_file.h"
#include "support/fake_services.h"
#include "support/user_input.h"
#include "support/wire_records.h"
#include "ui/app/main_window.h"

// Readable Qt strings in gtest's failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace orvalt::test {

// A path for the engine's file functions.
inline std::filesystem::path FsPath(const QString& path) { return path.toStdString(); }

// The three wires the window tests choose from: the worked examples first.
inline std::vector<WireRecord> TestWires() {
    return {WorkedExample1(), WorkedExample2(), AcsrLinnet()};
}

// Runs what is posted (a closed sub-window's deleteLater among it) and then
// the deferred deletes, which processEvents alone leaves for the event loop.
inline void FlushDeletes() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Alt+M and the letter of a units command in the open ウィンドウ menu: K for
// kg units, I for SI.
inline void ChooseUnits(QWidget& main, Qt::Key letter) {
    auto* menu = main.findChild<QMenu*>(QStringLiteral("mnuWindow"));
    ASSERT_NE(menu, nullptr);
    PressAccessKey(Qt::Key_M);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) << "no menu";
    QTest::keyClick(menu, letter);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }, 2000));
    FlushDeletes();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        OpenMain(folder_.path());
    }

    void TearDown() override { CloseMain(); }

    // Starts the main window over `programFolder` and waits until it is the
    // active window, so that keys and clicks reach it.
    void OpenMain(const QString& programFolder) {
        main_ = std::make_unique<frmMain>(state_, messages_, printing_, programFolder);
        main_->resize(1400, 900);
        main_->show();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    }

    // Closes every sub-window through its own unload, then the main window.
    void CloseMain() {
        if (!main_) return;
        main_->mdiArea()->closeAllSubWindows();
        FlushDeletes();
        main_.reset();
        FlushDeletes();
    }

    // The main window's caption as its title bar shows it: Qt's modified
    // mark "[*]" becomes "*" while the design has unsaved changes and is
    // left out otherwise.
    QString Caption() const { return main_->windowHandle()->title(); }

    QString ProgramFile(const QString& name) const { return folder_.filePath(name); }

    // Writes `wires` as the program folder's catalogue, as the program would.
    void WriteCatalogueOf(const std::vector<WireRecord>& wires) {
        WireList list{};
        for (std::size_t i = 0; i < wires.size(); ++i) list[i] = wires[i];
        const CatalogueWriteResult result =
            WriteWireCatalogue(FsPath(ProgramFile(QStringLiteral("wiredata.dat"))), list,
                               static_cast<std::int16_t>(wires.size()) - 1, true);
        ASSERT_TRUE(result.ok) << result.message;
    }

    QAction* Action(const char* name) const {
        auto* found = main_->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Chooses the menu command, as a click on it in the menu bar does.
    void Trigger(const char* name) {
        QAction* action = Action(name);
        ASSERT_NE(action, nullptr);
        action->trigger();
        FlushDeletes();
    }

    // Sub-windows whose widget has this objectName, in creation order.
    QList<QMdiSubWindow*> SubWindows(const QString& widgetName) const {
        QList<QMdiSubWindow*> found;
        for (QMdiSubWindow* sub : main_->mdiArea()->subWindowList(QMdiArea::CreationOrder))
            if (sub->widget() != nullptr && sub->widget()->objectName() == widgetName)
                found.push_back(sub);
        return found;
    }

    // The widget of the first sub-window of that name, or null.
    QWidget* ChildWindow(const QString& widgetName) const {
        const auto subs = SubWindows(widgetName);
        return subs.isEmpty() ? nullptr : subs.front()->widget();
    }

    // The widget of the active sub-window, or null.
    QWidget* ActiveChild() const {
        QMdiSubWindow* sub = main_->mdiArea()->activeSubWindow();
        return sub != nullptr ? sub->widget() : nullptr;
    }

    QWidget* ConditionsWindow() const { return ChildWindow(QStringLiteral("frmSetting")); }

    QWidget* OpenConditions() {
        Trigger("mnuCondition");
        return ConditionsWindow();
    }

    // Messages shown so far, as one text each.
    QStringList MessageTexts() const {
        QStringList texts;
        for (const ShownMessage& m : messages_.shown) texts << m.text;
        return texts;
    }

    template <typename T>
    static T* Child(QWidget* window, const QString& name) {
        T* found = window == nullptr ? nullptr : window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    static QLineEdit* Box(QWidget* window, int index) {
        return Child<QLineEdit>(window, QStringLiteral("Text1_%1").arg(index));
    }

    // Clicks into the box and types the text over what it shows.
    static void SetBox(QWidget* window, int index, const QString& text) {
        QLineEdit* box = Box(window, index);
        ASSERT_NE(box, nullptr);
        ShowTabOf(box);
        ClickAndType(box, text);
    }

    // Brings the tab page that holds `widget` to the front, with a click on
    // its tab.
    static void ShowTabOf(QWidget* widget) {
        if (widget->isVisible()) return;
        QTabWidget* tabs = nullptr;
        int tab = -1;
        for (QWidget* w = widget; w != nullptr && tab < 0; w = w->parentWidget()) {
            for (QWidget* up = w->parentWidget(); up != nullptr; up = up->parentWidget()) {
                if ((tabs = qobject_cast<QTabWidget*>(up)) != nullptr) {
                    tab = tabs->indexOf(w);
                    break;
                }
            }
        }
        ASSERT_GE(tab, 0) << "not on a tab page";
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier,
                          tabs->tabBar()->tabRect(tab).center());
        QCoreApplication::processEvents();
        ASSERT_TRUE(widget->isVisible());
    }

    static void Click(QWidget* window, const char* buttonName) {
        auto* button = Child<QPushButton>(window, QString::fromLatin1(buttonName));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        FlushDeletes();
    }

    // Chooses entry `index` of the window's wire box from its open list.
    static void ChooseWire(QWidget* window, int index) {
        auto* combo = Child<QComboBox>(window, QStringLiteral("cmbWireName"));
        ASSERT_NE(combo, nullptr);
        ShowTabOf(combo);
        ChooseFromList(combo, index);
    }

    ModalWatchdog watchdog_;
    QTemporaryDir folder_;
    CalculationState state_;
    FakeMessageService messages_;
    FakePrintService printing_;
    std::unique_ptr<frmMain> main_;
};

// The same main window over a catalogue of the three test wires, written
// before the window starts, as the shipped catalogue lies beside the program.
class MainWindowWithWiresTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        WriteCatalogueOf(TestWires());
        OpenMain(folder_.path());
    }
};

} // namespace orvalt::test
