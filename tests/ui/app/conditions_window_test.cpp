// The conditions window: its layout, what it shows at load, OK with valid and
// invalid boxes, Cancel and the close box, and the combo box's change event.
#include <QInputMethodEvent>
#include <QLabel>
#include <QTabWidget>

#include <cmath>

#include "support/main_window_fixture.h"
#include "ui/base/twips.h"

namespace orvalt::test {
namespace {

using ConditionsWindowTest = MainWindowWithWiresTest;

TEST_F(ConditionsWindowTest, HasTheCaptionTabsAndButtonsOfItsLayout) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("条件設定"));
    EXPECT_EQ(window->size(), TwipsSize(5295, 4860));
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->minimumSize(), sub->maximumSize()) << "a fixed frame is not resizable";
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowMaximizeButtonHint);

    auto* tabs = Child<QTabWidget>(window, QStringLiteral("SSTab1"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->geometry(), TwipsRect(0, 0, 5295, 4215));
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("電線条件"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("風圧条件"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("温度条件"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("径間条件"));
    EXPECT_EQ(tabs->currentIndex(), 0);

    auto* ok = Child<QPushButton>(window, QStringLiteral("Command1_0"));
    auto* cancel = Child<QPushButton>(window, QStringLiteral("Command1_1"));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("OK(&O)"));
    EXPECT_EQ(cancel->text(), QStringLiteral("キャンセル(&C)"));
    EXPECT_EQ(ok->geometry(), TwipsRect(2760, 4320, 1215, 495));
    EXPECT_EQ(cancel->geometry(), TwipsRect(3960, 4320, 1215, 495));

    // Each box on its own tab, with its label.
    struct Placement {
        int box;
        int tab;
        const char16_t* label;
    };
    const Placement placements[] = {
        {0, 0, u"線膨張係数"},
        {1, 0, u"等価弾性係数"},
        {2, 0, u"自重量"},
        {3, 0, u"断面積"},
        {4, 0, u"高温季外径"},
        {5, 0, u"低温季外径"},
        {6, 0, u"最大使用張力"},
        {7, 0, u"被　　氷"},
        {9, 1, u"高温季風圧"},
        {8, 1, u"低温季風圧"},
        {16, 1, u"検討時風圧"},
        {12, 2, u"高温季荷重条件温度"},
        {11, 2, u"低温季荷重条件温度"},
        {10, 2, u"検討温度"},
        {15, 3, u"計算開始径間長"},
        {14, 3, u"計算終り径間長"},
        {13, 3, u"計算単位径間"},
    };
    for (const Placement& p : placements) {
        QLineEdit* b = Box(window, p.box);
        auto* label = Child<QLabel>(window, QStringLiteral("Label1_%1").arg(p.box));
        ASSERT_TRUE(b && label);
        EXPECT_EQ(b->parentWidget(), tabs->widget(p.tab)) << p.box;
        EXPECT_EQ(label->text(), QString::fromUtf16(p.label));
        EXPECT_EQ(label->parentWidget(), tabs->widget(p.tab));
        // The label is not cut: its whole text fits and it ends before its box.
        EXPECT_GE(label->width(), label->sizeHint().width());
        EXPECT_LE(label->geometry().right(), b->geometry().left()) << p.box;
    }
    EXPECT_TRUE(Box(window, 16)->isReadOnly());
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("Label1_17"))->text(),
              QStringLiteral("電線種類"));
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("Label2_0"))->text(),
              QStringLiteral("α(10^-6)/℃"));
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("Label2_6"))->text(), QStringLiteral("T(kg)"));
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("Label2_9"))->text(), QStringLiteral("kg/m2"));
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("Label2_10"))->text(), QStringLiteral("℃"));
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("Label2_13"))->text(), QStringLiteral("m"));
    // Boxes keep their layout sizes.
    EXPECT_EQ(Box(window, 0)->size(), TwipsSize(1455, 270));
    EXPECT_EQ(Box(window, 9)->size(), TwipsSize(735, 375));
    EXPECT_EQ(Box(window, 12)->size(), TwipsSize(495, 375));
    EXPECT_EQ(Box(window, 15)->size(), TwipsSize(855, 405));
}

TEST_F(ConditionsWindowTest, TabOrderRunsUpTheConstantsThenThroughTheTabs) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    QStringList expected = {QStringLiteral("SSTab1"), QStringLiteral("cmbWireName")};
    for (int i : {7, 6, 5, 4, 3, 2, 1, 0, 8, 9, 10, 11, 12, 13, 14, 15})
        expected << QStringLiteral("Text1_%1").arg(i);
    expected << QStringLiteral("Command1_0") << QStringLiteral("Command1_1")
             << QStringLiteral("Text1_16");
    // Walk the whole focus chain once and keep the controls that take the
    // focus with Tab, in chain order (labels and Qt's inner widgets drop out).
    QStringList actual;
    QWidget* start = Child<QTabWidget>(window, QStringLiteral("SSTab1"));
    QWidget* w = start;
    do {
        if (expected.contains(w->objectName()) && !actual.contains(w->objectName()))
            actual << w->objectName();
        w = w->nextInFocusChain();
    } while (w != nullptr && w != start);
    EXPECT_EQ(actual, expected);
}

TEST_F(ConditionsWindowTest, LoadShowsTheFirstWireAndTheConditionsOfTheState) {
    state_.windPressureStudy = 0.0f;
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(state_.conditionsWindowOpen);
    auto* combo = Child<QComboBox>(window, QStringLiteral("cmbWireName"));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("計算例1"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("ACSR Linnet"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("計算例1"));
    const char* expected[17] = {"18.00", "9000", "0.6000", "160.00", "18.2", "18.2",
                                "1500",  " 9",   " 50",    " 100",   " 90",  "-15",
                                " 15",   " 10",  " 400",   " 100",   " 0"};
    for (int i = 0; i < 17; ++i) EXPECT_EQ(Box(window, i)->text(), QLatin1String(expected[i])) << i;
    // The window's own setting of the combo text is swallowed: no message.
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ConditionsWindowTest, ReopeningShowsTheFirstWireAgain) {
    QWidget* window = OpenConditions();
    ChooseWire(window, 2);
    Click(window, "Command1_0");
    EXPECT_EQ(state_.currentWire.wireName, "ACSR Linnet");
    window = OpenConditions();
    EXPECT_EQ(Child<QComboBox>(window, QStringLiteral("cmbWireName"))->currentText(),
              QStringLiteral("計算例1"));
    EXPECT_EQ(Box(window, 1)->text(), QStringLiteral("9000"));
    Click(window, "Command1_0");
    EXPECT_EQ(state_.currentWire.wireName, "計算例1");
}

TEST_F(ConditionsWindowTest, ChoosingAListEntryShowsItsRecordWithoutAMessage) {
    QWidget* window = OpenConditions();
    SetBox(window, 1, "1234");
    ChooseWire(window, 1);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(Child<QComboBox>(window, QStringLiteral("cmbWireName"))->currentText(),
              QStringLiteral("計算例2"));
    const char* expected[7] = {"19.00", "8000", "2.0000", "600.00", "50.0", "50.0", "6000"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(Box(window, i)->text(), QLatin1String(expected[i])) << i;
}

TEST_F(ConditionsWindowTest, TypingInTheComboBoxWarnsAtEveryChangeAndKeepsTheText) {
    QWidget* window = OpenConditions();
    auto* combo = Child<QComboBox>(window, QStringLiteral("cmbWireName"));
    ASSERT_NE(combo, nullptr);
    ClickOn(combo);
    PressKey(Qt::Key_End);
    TypeText(QStringLiteral(" X"));
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(messages_.shown[0].text,
              QStringLiteral("ここでは変更できません\n設定メニューで設定してください"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);

    // Japanese comes in through the input method as a commit string.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("線"));
    QCoreApplication::sendEvent(combo->lineEdit(), &commit);
    EXPECT_EQ(messages_.shown.size(), 3u);
    EXPECT_EQ(combo->currentText(), QStringLiteral("計算例1 X線"));

    // OK stores the typed name as it stands and the caption shows it.
    Click(window, "Command1_0");
    EXPECT_EQ(state_.currentWire.wireName, "計算例1 X線");
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("最大使用張力計算  計算例1 X線  90°"));
}

TEST_F(ConditionsWindowTest, OkStoresEveryBoxRoundedDownAndLeavesTheIceAlone) {
    QWidget* window = OpenConditions();
    ChooseWire(window, 1);
    SetBox(window, 2, "2.00004"); // read strictly: more digits than shown
    SetBox(window, 7, "20");      // the ice box is display only
    SetBox(window, 9, "100.9");
    SetBox(window, 8, " 49.99 kg");
    SetBox(window, 16, "");
    SetBox(window, 12, "15.7");
    SetBox(window, 11, "-0.5");
    SetBox(window, 10, "-15.5");
    SetBox(window, 15, "400");
    SetBox(window, 14, "100");
    SetBox(window, 13, "-10");
    Click(window, "Command1_0");

    EXPECT_EQ(ConditionsWindow(), nullptr);
    EXPECT_FALSE(state_.conditionsWindowOpen);
    EXPECT_TRUE(Action("mnuCalculate")->isEnabled());
    WireRecord expected = WorkedExample2();
    expected.unitWeight = 2.00004f;
    EXPECT_EQ(state_.currentWire, expected);
    EXPECT_EQ(state_.iceThickness, 9);
    EXPECT_EQ(state_.windPressureHigh, 100.0f);
    EXPECT_EQ(state_.windPressureLow, 49.0f);
    EXPECT_EQ(state_.windPressureStudy, 0.0f);
    EXPECT_EQ(state_.temperatureHigh, 15);
    EXPECT_EQ(state_.temperatureLow, -1);
    EXPECT_EQ(state_.temperatureStudy, -16);
    EXPECT_EQ(state_.spanStart, 400.0f);
    EXPECT_EQ(state_.spanEnd, 100.0f);
    EXPECT_EQ(state_.spanStep, -10.0f);
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("最大使用張力計算  計算例2  -16°"));
    EXPECT_TRUE(messages_.shown.empty());
}

struct RefusedBox {
    int box;
    const char* text;
    const char16_t* label;
    int tab;
};

class OkRefusesTest : public MainWindowWithWiresTest,
                      public ::testing::WithParamInterface<RefusedBox> {};

TEST_P(OkRefusesTest, NamesTheBoxShowsItAndChangesNothing) {
    const RefusedBox& c = GetParam();
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    // Valid edits before and after the bad box must not be stored either.
    SetBox(window, 13, "50");
    SetBox(window, 10, "80");
    ChooseWire(window, 1);
    SetBox(window, c.box, QString::fromUtf8(c.text));
    const CalculationState before = state_;
    const QString caption = main_->windowTitle();

    Click(window, "Command1_0");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.contains(QString::fromUtf16(c.label)))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages_.shown[0].buttons, MessageButtons::Ok);

    ASSERT_EQ(ConditionsWindow(), window) << "the window stays open";
    EXPECT_EQ(Child<QTabWidget>(window, QStringLiteral("SSTab1"))->currentIndex(), c.tab);
    QLineEdit* bad = Box(window, c.box);
    EXPECT_EQ(window->focusWidget(), bad);
    EXPECT_EQ(bad->selectedText(), bad->text());
    EXPECT_EQ(bad->text(), QString::fromUtf8(c.text));

    EXPECT_EQ(state_.currentWire, before.currentWire);
    EXPECT_EQ(state_.spanStep, before.spanStep);
    EXPECT_EQ(state_.temperatureStudy, before.temperatureStudy);
    EXPECT_EQ(state_.windPressureHigh, before.windPressureHigh);
    EXPECT_TRUE(state_.conditionsWindowOpen);
    EXPECT_EQ(main_->windowTitle(), caption);
    EXPECT_FALSE(Action("mnuCalculate")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Boxes, OkRefusesTest,
                         ::testing::Values(RefusedBox{0, "abc", u"線膨張係数", 0},
                                           RefusedBox{1, "", u"等価弾性係数", 0},
                                           RefusedBox{2, "0.6kg", u"自重量", 0},
                                           RefusedBox{3, "1.2.3", u"断面積", 0},
                                           RefusedBox{6, "1e39", u"最大使用張力", 0},
                                           RefusedBox{9, "1e39", u"高温季風圧", 1},
                                           RefusedBox{8, "-4e38", u"低温季風圧", 1},
                                           RefusedBox{12, "32768", u"高温季荷重条件温度", 2},
                                           RefusedBox{11, "-32768.5", u"低温季荷重条件温度", 2},
                                           RefusedBox{10, "1e9", u"検討温度", 2},
                                           RefusedBox{15, "1e300", u"計算開始径間長", 3},
                                           RefusedBox{13, "-1e300", u"計算単位径間", 3}),
                         [](const ::testing::TestParamInfo<RefusedBox>& info) {
                             return "Text1_" + std::to_string(info.param.box);
                         });

TEST_F(ConditionsWindowTest, TemperaturesAtTheEdgesOfTheRangeAreAccepted) {
    QWidget* window = OpenConditions();
    SetBox(window, 12, "32767.9");
    SetBox(window, 11, "-32768");
    Click(window, "Command1_0");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(state_.temperatureHigh, 32767);
    EXPECT_EQ(state_.temperatureLow, -32768);
}

TEST_F(ConditionsWindowTest, CancelAndTheCloseBoxChangeNothingButTheFlag) {
    for (int way = 0; way < 2; ++way) {
        QWidget* window = OpenConditions();
        ASSERT_NE(window, nullptr);
        ChooseWire(window, 2);
        SetBox(window, 9, "1");
        SetBox(window, 13, "5");
        if (way == 0)
            Click(window, "Command1_1");
        else
            qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
        FlushDeletes();
        EXPECT_EQ(ConditionsWindow(), nullptr) << way;
        EXPECT_FALSE(state_.conditionsWindowOpen);
        EXPECT_EQ(state_.currentWire, WireRecord{});
        EXPECT_EQ(state_.windPressureHigh, 100.0f);
        EXPECT_EQ(state_.spanStep, 10.0f);
        EXPECT_FALSE(Action("mnuCalculate")->isEnabled());
        EXPECT_EQ(main_->windowTitle(), QStringLiteral("最大使用張力計算"));
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ConditionsWindowTest, AFocusedBoxHasItsWholeTextSelected) {
    QWidget* window = OpenConditions();
    // The tab order runs up the wire constants: from 高温季外径 to 断面積.
    ClickOn(Box(window, 4));
    PressTab();
    QLineEdit* b = Box(window, 3);
    ASSERT_EQ(Focused(), b);
    EXPECT_EQ(b->selectedText(), QStringLiteral("160.00"));
}

class CatalogueTroubleTest : public MainWindowWithWiresTest {};

TEST_F(CatalogueTroubleTest, AMissingCatalogueIsToldOnceWithItsPath) {
    QFile::remove(folder_.path() + "/wiredata.dat");
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr) << "the window opens all the same";
    ASSERT_EQ(messages_.shown.size(), 1u);
    const QString text = messages_.shown[0].text;
    EXPECT_TRUE(text.contains(folder_.path())) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("電線設定"))) << text.toStdString();
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Exclamation);
    auto* combo = Child<QComboBox>(window, QStringLiteral("cmbWireName"));
    EXPECT_EQ(combo->count(), 0);
    EXPECT_TRUE(combo->currentText().isEmpty());
    EXPECT_EQ(Box(window, 0)->text(), QStringLiteral("0.00"));
    // OK then stores an empty wire with zero constants.
    Click(window, "Command1_0");
    EXPECT_EQ(state_.currentWire, WireRecord{});
    EXPECT_EQ(messages_.shown.size(), 1u);
}

TEST_F(CatalogueTroubleTest, ATruncatedCatalogueOpensWithTheRecordsBeforeTheTrouble) {
    QFile file(folder_.path() + "/wiredata.dat");
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\x8c\x76\x8e\x5a\r\n 1\r\n"); // 計算 and one number: ends inside a record
    file.close();
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.contains(folder_.path()))
        << messages_.shown[0].text.toStdString();
    EXPECT_FALSE(messages_.shown[0].text.contains(QLatin1Char('\r')));
    EXPECT_EQ(Child<QComboBox>(window, QStringLiteral("cmbWireName"))->count(), 3);
}

TEST_F(CatalogueTroubleTest, AnEmptyCatalogueIsNoTrouble) {
    QFile file(folder_.path() + "/wiredata.dat");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(Child<QComboBox>(window, QStringLiteral("cmbWireName"))->count(), 0);
}

} // namespace
} // namespace orvalt::test
