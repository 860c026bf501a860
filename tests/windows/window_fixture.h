// A main window over a temporary program folder, with fake message and print
// services, and small helpers to drive the windows by the names of their
// controls. Nothing here opens a real modal dialog.
#pragma once

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "engine/catalogue_file.h"
#include "ui/windows/conditions_window.h"
#include "engine/calculation_state.h"
#include "support/fake_services.h"
#include "support/user_input.h"
#include "ui/app/main_window.h"

namespace orvalt::test {

// The records of the shipped catalogue, written by the test itself so that
// the window tests do not depend on the file beside the program.
inline std::vector<WireRecord> TestWires() {
    WireRecord example1{"計算例1", 18.2f, 18.2f, 160.0f, 0.6f, 18.0f, 9000.0f, 1500.0f};
    WireRecord example2{"計算例2", 50.0f, 50.0f, 600.0f, 2.0f, 19.0f, 8000.0f, 6000.0f};
    WireRecord linnet{"ACSR Linnet", 18.29f, 18.29f, 198.1f, 0.6885f, 19.2f, 8902.0f, 2557.0f};
    return {example1, example2, linnet};
}

inline void WriteCatalogue(const QString& folder, const std::vector<WireRecord>& wires) {
    WireList list{};
    for (std::size_t i = 0; i < wires.size(); ++i) list[i] = wires[i];
    const auto result =
        WriteWireCatalogue(std::filesystem::path((folder + "/wiredata.dat").toStdString()), list,
                           static_cast<std::int16_t>(wires.size()) - 1, true);
    ASSERT_TRUE(result.ok) << result.message;
}

inline void FlushDeletes() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        WriteCatalogue(folder_.path(), TestWires());
        createMainWindow();
    }

    void TearDown() override {
        main_.reset();
        FlushDeletes();
    }

    void createMainWindow() {
        main_ = std::make_unique<frmMain>(state_, messages_, printing_, folder_.path());
        main_->resize(1400, 900);
        main_->show();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    }

    QAction* action(const char* name) const {
        auto* found = main_->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void trigger(const char* name) {
        QAction* a = action(name);
        ASSERT_NE(a, nullptr);
        a->trigger();
        FlushDeletes();
    }

    // Sub-windows whose widget has this objectName, in creation order.
    QList<QMdiSubWindow*> subWindows(const QString& widgetName) const {
        QList<QMdiSubWindow*> found;
        for (QMdiSubWindow* sub : main_->mdiArea()->subWindowList(QMdiArea::CreationOrder))
            if (sub->widget() != nullptr && sub->widget()->objectName() == widgetName)
                found.push_back(sub);
        return found;
    }

    QWidget* conditionsWindow() const {
        const auto subs = subWindows(QStringLiteral("frmSetting"));
        return subs.isEmpty() ? nullptr : subs.front()->widget();
    }

    QWidget* openConditions() {
        trigger("mnuCondition");
        return conditionsWindow();
    }

    template <typename T>
    static T* child(QWidget* window, const QString& name) {
        T* found = window == nullptr ? nullptr : window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    static QLineEdit* box(QWidget* window, int index) {
        return child<QLineEdit>(window, QStringLiteral("Text1_%1").arg(index));
    }

    // Clicks into the box and types the text over what it shows.
    static void setBox(QWidget* window, int index, const QString& text) {
        QLineEdit* b = box(window, index);
        ASSERT_NE(b, nullptr);
        ShowTabOf(b);
        ClickAndType(b, text);
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

    static void click(QWidget* window, const char* buttonName) {
        auto* button = child<QPushButton>(window, QString::fromLatin1(buttonName));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        FlushDeletes();
    }

    // Chooses list entry `index` of the wire box with the mouse in its open
    // list.
    static void chooseWire(QWidget* window, int index) {
        auto* combo = child<QComboBox>(window, QStringLiteral("cmbWireName"));
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

} // namespace orvalt::test
