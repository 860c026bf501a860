// The windows under the keyboard: access keys go to the active child window's
// own buttons and otherwise to the menu bar, a name typed into the wire box of
// the conditions window never loads another wire, and the whole way from
// start-up to the report can be walked with keys alone.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <string>

#include "ui/windows/result_window.h"
#include "window_fixture.h"

namespace orvalt::test {
namespace {

class AccessKeyTest : public WindowTest {
protected:
    QWidget* wireSettings() const {
        const auto subs = subWindows(QStringLiteral("frmWireSetting"));
        return subs.isEmpty() ? nullptr : subs.front()->widget();
    }
    int resultWindows() const { return static_cast<int>(subWindows(QStringLiteral("frmKekka")).size()); }
    QWidget* activeChild() const {
        QMdiSubWindow* sub = main_->mdiArea()->activeSubWindow();
        return sub != nullptr ? sub->widget() : nullptr;
    }
    void press(Qt::Key letter) {
        PressAccessKey(letter);
        FlushDeletes();
    }
};

TEST_F(AccessKeyTest, WithNoChildActiveTheMenuBarTakesTheKeys) {
    press(Qt::Key_S);
    QWidget* conditions = conditionsWindow();
    ASSERT_NE(conditions, nullptr) << "Alt+S opens the conditions window";
    press(Qt::Key_O); // OK
    EXPECT_EQ(conditionsWindow(), nullptr);
    ASSERT_TRUE(action("mnuCalculate")->isEnabled());
    press(Qt::Key_C);
    EXPECT_EQ(resultWindows(), 1) << "Alt+C calculates";
    // The result window is active now and has no buttons: the menu keeps C.
    press(Qt::Key_C);
    EXPECT_EQ(resultWindows(), 2);
}

TEST_F(AccessKeyTest, TheWireSettingsWindowKeepsItsOwnLetters) {
    trigger("mnuWire");
    QWidget* wires = wireSettings();
    ASSERT_NE(wires, nullptr);
    ASSERT_EQ(activeChild(), wires);

    // Alt+S saves (the file is rewritten as shown) instead of opening the
    // conditions window.
    ClickAndType(box(wires, 6), QStringLiteral("1600"));
    press(Qt::Key_S);
    EXPECT_EQ(conditionsWindow(), nullptr);
    WireList list{};
    std::int16_t last = -1;
    ReadWireCatalogue(std::filesystem::path((folder_.path() + "/wiredata.dat").toStdString()), list, last);
    EXPECT_EQ(list[0].maxTension, 1600.0f);

    // Letters the window does not use stay the menu bar's.
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALT_SOURCE_DIR "/data/orvalt99.txt"),
                            folder_.path() + "/orvalt99.txt"));
    press(Qt::Key_U);
    ASSERT_EQ(subWindows(QStringLiteral("frmUsage")).size(), 1);
    EXPECT_FALSE(action("mnuUse")->isEnabled());

    // Back in the wire settings window, Alt+C closes it.
    main_->mdiArea()->setActiveSubWindow(subWindows(QStringLiteral("frmWireSetting")).front());
    ASSERT_EQ(activeChild(), wireSettings());
    press(Qt::Key_C);
    EXPECT_EQ(wireSettings(), nullptr);
    EXPECT_EQ(resultWindows(), 0);
}

TEST_F(AccessKeyTest, OnlyTheActiveChildsLettersActWhenSeveralAreOpen) {
    trigger("mnuWire");
    ASSERT_NE(wireSettings(), nullptr);
    trigger("mnuCondition");
    QWidget* conditions = conditionsWindow();
    ASSERT_NE(conditions, nullptr);
    ASSERT_EQ(activeChild(), conditions);

    // Both windows have a C; the active one's button acts.
    press(Qt::Key_C);
    EXPECT_EQ(conditionsWindow(), nullptr) << "キャンセル closed the conditions window";
    EXPECT_NE(wireSettings(), nullptr);
    EXPECT_FALSE(state_.conditionsWindowOpen);
}

TEST_F(AccessKeyTest, CancelInTheConditionsWindowIsNotCalculateAfterAFirstOk) {
    QWidget* conditions = openConditions();
    ASSERT_NE(conditions, nullptr);
    click(conditions, "Command1_0");
    ASSERT_TRUE(action("mnuCalculate")->isEnabled());

    ASSERT_NE(openConditions(), nullptr);
    press(Qt::Key_C);
    EXPECT_EQ(conditionsWindow(), nullptr);
    EXPECT_EQ(resultWindows(), 0) << "Alt+C must not calculate while the conditions window is active";
}

TEST_F(AccessKeyTest, ADisabledButtonLeavesItsLetterToTheMenuBar) {
    trigger("mnuWire");
    QWidget* wires = wireSettings();
    ASSERT_NE(wires, nullptr);
    click(wires, "Command1_2"); // 新規: disables itself
    ASSERT_FALSE(child<QPushButton>(wires, QStringLiteral("Command1_2"))->isEnabled());
    press(Qt::Key_N); // nothing uses N now: nothing happens
    EXPECT_NE(wireSettings(), nullptr);
    EXPECT_TRUE(messages_.shown.empty());
}

// A name typed into the conditions window's wire box is shown with its
// message and stored as typed by OK; it never loads the entry it matches.
TEST_F(WindowTest, TypingAnExistingNameInTheConditionsWindowLoadsNothing) {
    QWidget* window = openConditions();
    ASSERT_NE(window, nullptr);
    auto* combo = child<QComboBox>(window, QStringLiteral("cmbWireName"));
    ClickAndType(combo, QStringLiteral("ACSR Linnet"));
    PressTab();
    EXPECT_FALSE(messages_.shown.empty()) << "typing into the name shows its message";
    EXPECT_EQ(combo->currentText(), QStringLiteral("ACSR Linnet"));
    EXPECT_EQ(box(window, 1)->text(), QStringLiteral("9000")) << "計算例1's constants stay";
    EXPECT_EQ(box(window, 6)->text(), QStringLiteral("1500"));

    // A prefix is not completed either.
    ClickAndType(combo, QStringLiteral("ACSR"));
    PressKey(Qt::Key_Return);
    EXPECT_EQ(combo->currentText(), QStringLiteral("ACSR"));
    EXPECT_EQ(box(window, 6)->text(), QStringLiteral("1500"));

    click(window, "Command1_0");
    EXPECT_EQ(state_.currentWire.wireName, "ACSR");
    EXPECT_EQ(state_.currentWire.maxTension, 1500.0f);
}

TEST_F(WindowTest, AClickIntoAConditionBoxSelectsItsText) {
    QWidget* window = openConditions();
    ASSERT_NE(window, nullptr);
    ClickOn(box(window, 1));
    TypeText(QStringLiteral("8500"));
    EXPECT_EQ(box(window, 1)->text(), QStringLiteral("8500"));
}

// From start-up to the report with keys alone: Alt+S, the first worked
// example as the window offers it, the start-up spans (100 to 400 m by 10 m),
// Alt+O, Alt+C. The result window holds the whole 31-row report.
TEST(KeyboardEndToEndTest, FirstWorkedExampleGivesTheGoldenReport) {
    ModalWatchdog watchdog;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALT_SOURCE_DIR "/data/wiredata.dat"),
                            folder.path() + "/wiredata.dat"));
    CalculationState state;
    FakeMessageService messages;
    FakePrintService printing;
    frmMain main(state, messages, printing, folder.path());
    main.resize(1400, 900);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    PressAccessKey(Qt::Key_S);
    auto* window = main.findChild<QWidget*>(QStringLiteral("frmSetting"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QComboBox*>(QStringLiteral("cmbWireName"))->currentText(),
              QStringLiteral("計算例1"));
    PressAccessKey(Qt::Key_O);
    FlushDeletes();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("最大使用張力計算  計算例1  90°"));
    PressAccessKey(Qt::Key_C);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text.toStdString();

    auto* result = main.findChild<frmKekka*>(QStringLiteral("frmKekka"));
    ASSERT_NE(result, nullptr);
    QFile golden(QStringLiteral(ORVALT_SOURCE_DIR "/tests/report/golden/example_18_2mm.txt"));
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
    const QByteArray expected = golden.readAll();
    const QRegularExpression spanRow(QStringLiteral("^ +\\d+ +\\d+\\.\\d{3} "),
                                     QRegularExpression::MultilineOption);
    EXPECT_EQ(QString::fromUtf8(expected).count(spanRow), 31);
    EXPECT_EQ(result->reportText().toUtf8(), expected);
}

} // namespace
} // namespace orvalt::test
