// The windows under the keyboard: access keys go to the active child window's
// own buttons and otherwise to the menu bar, and a name typed into the wire
// box of the conditions window never loads another wire. The whole way from
// start-up to the report with keys alone is in end_to_end_test.cpp.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "support/main_window_fixture.h"

namespace orvalt::test {
namespace {

class AccessKeyTest : public MainWindowWithWiresTest {
protected:
    QWidget* WireSettings() const { return ChildWindow(QStringLiteral("frmWireSetting")); }
    int ResultWindows() const {
        return static_cast<int>(SubWindows(QStringLiteral("frmKekka")).size());
    }
    // Alt+letter to the active window, then what it closed is gone.
    void Press(Qt::Key letter) {
        PressAccessKey(letter);
        FlushDeletes();
    }
};

TEST_F(AccessKeyTest, WithNoChildActiveTheMenuBarTakesTheKeys) {
    Press(Qt::Key_S);
    QWidget* conditions = ConditionsWindow();
    ASSERT_NE(conditions, nullptr) << "Alt+S opens the conditions window";
    Press(Qt::Key_O); // OK
    EXPECT_EQ(ConditionsWindow(), nullptr);
    ASSERT_TRUE(Action("mnuCalculate")->isEnabled());
    Press(Qt::Key_C);
    EXPECT_EQ(ResultWindows(), 1) << "Alt+C calculates";
    // The result window is active now and has no buttons: the menu keeps C.
    Press(Qt::Key_C);
    EXPECT_EQ(ResultWindows(), 2);
}

TEST_F(AccessKeyTest, TheWireSettingsWindowKeepsItsOwnLetters) {
    Trigger("mnuWire");
    QWidget* wires = WireSettings();
    ASSERT_NE(wires, nullptr);
    ASSERT_EQ(ActiveChild(), wires);

    // Alt+S saves (the file is rewritten as shown) instead of opening the
    // conditions window.
    ClickAndType(Box(wires, 6), QStringLiteral("1600"));
    Press(Qt::Key_S);
    EXPECT_EQ(ConditionsWindow(), nullptr);
    WireList list{};
    std::int16_t last = -1;
    ReadWireCatalogue(FsPath(ProgramFile(QStringLiteral("wiredata.dat"))), list, last);
    EXPECT_EQ(list[0].maxTension, 1600.0f);

    // Letters the window does not use stay the menu bar's.
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALT_SOURCE_DIR "/data/orvalt99.txt"),
                            ProgramFile(QStringLiteral("orvalt99.txt"))));
    Press(Qt::Key_U);
    ASSERT_EQ(SubWindows(QStringLiteral("frmUsage")).size(), 1);
    EXPECT_FALSE(Action("mnuUse")->isEnabled());

    // Back in the wire settings window, Alt+C closes it.
    main_->mdiArea()->setActiveSubWindow(SubWindows(QStringLiteral("frmWireSetting")).front());
    ASSERT_EQ(ActiveChild(), WireSettings());
    Press(Qt::Key_C);
    EXPECT_EQ(WireSettings(), nullptr);
    EXPECT_EQ(ResultWindows(), 0);
}

TEST_F(AccessKeyTest, OnlyTheActiveChildsLettersActWhenSeveralAreOpen) {
    Trigger("mnuWire");
    ASSERT_NE(WireSettings(), nullptr);
    Trigger("mnuCondition");
    QWidget* conditions = ConditionsWindow();
    ASSERT_NE(conditions, nullptr);
    ASSERT_EQ(ActiveChild(), conditions);

    // Both windows have a C; the active one's button acts.
    Press(Qt::Key_C);
    EXPECT_EQ(ConditionsWindow(), nullptr) << "キャンセル closed the conditions window";
    EXPECT_NE(WireSettings(), nullptr);
    EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen);
}

TEST_F(AccessKeyTest, CancelInTheConditionsWindowIsNotCalculateAfterAFirstOk) {
    QWidget* conditions = OpenConditions();
    ASSERT_NE(conditions, nullptr);
    Click(conditions, "Command1_0");
    ASSERT_TRUE(Action("mnuCalculate")->isEnabled());

    ASSERT_NE(OpenConditions(), nullptr);
    Press(Qt::Key_C);
    EXPECT_EQ(ConditionsWindow(), nullptr);
    EXPECT_EQ(ResultWindows(), 0)
        << "Alt+C must not calculate while the conditions window is active";
}

TEST_F(AccessKeyTest, ADisabledButtonLeavesItsLetterToTheMenuBar) {
    Trigger("mnuWire");
    QWidget* wires = WireSettings();
    ASSERT_NE(wires, nullptr);
    Click(wires, "Command1_2"); // 新規: disables itself
    ASSERT_FALSE(Child<QPushButton>(wires, QStringLiteral("Command1_2"))->isEnabled());
    Press(Qt::Key_N); // nothing uses N now: nothing happens
    EXPECT_NE(WireSettings(), nullptr);
    EXPECT_TRUE(messages_.shown.empty());
}

// A name typed into the conditions window's wire box is shown with its
// message and stored as typed by OK; it never loads the entry it matches.
TEST_F(MainWindowWithWiresTest, TypingAnExistingNameInTheConditionsWindowLoadsNothing) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    auto* combo = Child<QComboBox>(window, QStringLiteral("cmbWireName"));
    ClickAndType(combo, QStringLiteral("ACSR Linnet"));
    PressTab();
    EXPECT_FALSE(messages_.shown.empty()) << "typing into the name shows its message";
    EXPECT_EQ(combo->currentText(), QStringLiteral("計算例1")) << "the chosen name comes back";
    EXPECT_EQ(Box(window, 1)->text(), QStringLiteral("9000")) << "計算例1's constants stay";
    EXPECT_EQ(Box(window, 6)->text(), QStringLiteral("1500"));

    // A prefix is not completed either.
    ClickAndType(combo, QStringLiteral("ACSR"));
    PressKey(Qt::Key_Return);
    EXPECT_EQ(combo->currentText(), QStringLiteral("計算例1"));
    EXPECT_EQ(Box(window, 6)->text(), QStringLiteral("1500"));

    Click(window, "Command1_0");
    EXPECT_EQ(state_.currentWire.wireName, "計算例1");
    EXPECT_EQ(state_.currentWire.maxTension, 1500.0f);
}

TEST_F(MainWindowWithWiresTest, AClickIntoAConditionBoxSelectsItsText) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    ClickOn(Box(window, 1));
    TypeText(QStringLiteral("8500"));
    EXPECT_EQ(Box(window, 1)->text(), QStringLiteral("8500"));
}

} // namespace
} // namespace orvalt::test
