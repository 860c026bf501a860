// The conditions window: its layout, what it shows at load, OK with valid and
// invalid boxes, Cancel and the close box, and the combo box's change event.
#include <QInputMethodEvent>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

#include "engine/forms/conditions_form.h"
#include "support/form_layout.h"
#include "support/main_window_fixture.h"

namespace orvalt::test {
namespace {

using ConditionsWindowTest = MainWindowWithWiresTest;

TEST_F(ConditionsWindowTest, EveryBoxStandsOnItsTabBesideTheLabelThatNamesIt) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->minimumSize(), sub->maximumSize()) << "a fixed frame is not resizable";
    EXPECT_FALSE(sub->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    auto* tabs = Child<QTabWidget>(window, QStringLiteral("SSTab1"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentIndex(), 0) << "the window opens on its first tab";
    for (int tab = 0; tab < tabs->count(); ++tab) {
        SCOPED_TRACE(tabs->tabText(tab).toStdString());
        ShowTabOf(tabs->widget(tab));
        ExpectNothingOverlaps(tabs->widget(tab));
    }
    // A refusal names a box by its caption: the label read before the box
    // must be that caption, and a unit stands after every box.
    for (int box = 0; box < kConditionsBoxCount; ++box) {
        QLineEdit* b = Box(window, box);
        ASSERT_NE(b, nullptr);
        ShowTabOf(b);
        QLabel* label = LabelBeside(b, true);
        ASSERT_NE(label, nullptr) << box;
        EXPECT_EQ(label->text().toStdString(), kConditionsBoxCaptions[box]) << box;
        if (box != kBoxIceSpecificGravity) { // a plain number
            EXPECT_NE(LabelBeside(b, false), nullptr) << "no unit after box " << box;
        }
    }
    // The buttons stand under the tabs, inside the window, side by side.
    QRect previous = tabs->geometry();
    for (const char* name : {"Command1_0", "Command1_1"}) {
        auto* button = Child<QPushButton>(window, QString::fromLatin1(name));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(window->rect().contains(button->geometry())) << name;
        EXPECT_GT(button->y(), tabs->geometry().bottom()) << name;
        EXPECT_FALSE(Covers(button->geometry(), previous)) << name;
        previous = button->geometry();
    }
    // 検討時風圧 only shows the value: typing into it changes nothing.
    const QString study = Box(window, kBoxWindPressureStudy)->text();
    SetBox(window, kBoxWindPressureStudy, QStringLiteral("77"));
    EXPECT_EQ(Box(window, kBoxWindPressureStudy)->text(), study);
}

TEST_F(ConditionsWindowTest, TabOrderRunsUpTheConstantsThenThroughTheTabs) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    QStringList expected = {QStringLiteral("SSTab1"), QStringLiteral("cmbWireName")};
    for (int i : {7, 17, 6, 5, 4, 3, 2, 1, 0, 8, 9, 10, 11, 12, 13, 14, 15})
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
    EXPECT_TRUE(main_->bookkeeping().conditionsWindowOpen);
    auto* combo = Child<QComboBox>(window, QStringLiteral("cmbWireName"));
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("計算例1"));
    EXPECT_EQ(combo->itemText(2), QStringLiteral("ACSR Linnet"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("計算例1"));
    const char* expected[18] = {"18.00", "9000", "0.6000", "160.00", "18.2", "18.2",
                                "1500",  " 9",   " 50",    " 100",   " 90",  "-15",
                                " 15",   " 10",  " 400",   " 100",   " 0",   " .9"};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(Box(window, i)->text(), QLatin1String(expected[i])) << i;
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

// The wire is chosen from the list only: typed text is refused at every
// change and the box goes back to the chosen name, which OK stores.
struct TypedName {
    int chosen; // list entry chosen first, -1 for none
    const char16_t* typed;
    int messages; // one per change
};

class TypedWireNameTest : public MainWindowWithWiresTest,
                          public ::testing::WithParamInterface<TypedName> {};

TEST_P(TypedWireNameTest, IsRefusedAndTheChosenNameComesBack) {
    const TypedName& c = GetParam();
    QWidget* window = OpenConditions();
    auto* combo = Child<QComboBox>(window, QStringLiteral("cmbWireName"));
    ASSERT_NE(combo, nullptr);
    if (c.chosen >= 0) ChooseWire(window, c.chosen);
    const QString chosen = combo->currentText();
    ClickOn(combo);
    PressKey(Qt::Key_End);
    TypeText(QString::fromUtf16(c.typed));
    ASSERT_EQ(messages_.shown.size(), static_cast<std::size_t>(c.messages));
    EXPECT_EQ(messages_.shown[0].text,
              QStringLiteral("ここでは変更できません\n設定メニューで設定してください"));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(combo->currentText(), chosen);

    Click(window, "Command1_0");
    const WireRecord expected = TestWires()[static_cast<std::size_t>(std::max(c.chosen, 0))];
    EXPECT_EQ(state_.currentWire, expected);
    EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算  %1  90°").arg(chosen));
}

INSTANTIATE_TEST_SUITE_P(Typing, TypedWireNameTest,
                         ::testing::Values(TypedName{-1, u" X", 2}, TypedName{2, u"線", 1},
                                           TypedName{1, u"Ａ1", 2}));

TEST_F(ConditionsWindowTest, OkStoresEveryBoxRoundedDownAndTheGravityAsTyped) {
    QWidget* window = OpenConditions();
    ChooseWire(window, 1);
    SetBox(window, 2, "2.00004"); // read strictly: more digits than shown
    SetBox(window, 7, "20.9");
    SetBox(window, 17, "0.917");
    SetBox(window, 9, "100.9");
    SetBox(window, 8, " 49.99 ");
    SetBox(window, 16, "");
    SetBox(window, 12, "15.7");
    SetBox(window, 11, "-0.5");
    SetBox(window, 10, "-15.5");
    SetBox(window, 15, "400");
    SetBox(window, 14, "100");
    SetBox(window, 13, "-10");
    Click(window, "Command1_0");

    EXPECT_EQ(ConditionsWindow(), nullptr);
    EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen);
    EXPECT_TRUE(Action("mnuCalculate")->isEnabled());
    WireRecord expected = WorkedExample2();
    expected.unitWeight = 2.00004f;
    EXPECT_EQ(state_.currentWire, expected);
    EXPECT_EQ(state_.iceThickness, 20);
    EXPECT_EQ(state_.iceSpecificGravity, 0.917f);
    EXPECT_EQ(state_.windPressureHigh, 100.0f);
    EXPECT_EQ(state_.windPressureLow, 49.0f);
    EXPECT_EQ(state_.windPressureStudy, 0.0f);
    EXPECT_EQ(state_.temperatureHigh, 15);
    EXPECT_EQ(state_.temperatureLow, -1);
    EXPECT_EQ(state_.temperatureStudy, -16);
    EXPECT_EQ(state_.spanStart, 400.0f);
    EXPECT_EQ(state_.spanEnd, 100.0f);
    EXPECT_EQ(state_.spanStep, -10.0f);
    EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算  計算例2  -16°"));
    EXPECT_TRUE(messages_.shown.empty());
}

struct RefusedBox {
    int box;
    const char* text;
    const char16_t* label;
    int tab;
};

void PrintTo(const RefusedBox& c, std::ostream* os) {
    *os << "Text1(" << c.box << ") \"" << c.text << '"';
}

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
    const QString caption = Caption();

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
    EXPECT_TRUE(main_->bookkeeping().conditionsWindowOpen);
    EXPECT_EQ(Caption(), caption);
    EXPECT_FALSE(Action("mnuCalculate")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, OkRefusesTest,
    ::testing::Values(
        RefusedBox{0, "abc", u"線膨張係数", 0}, RefusedBox{1, "", u"等価弾性係数", 0},
        RefusedBox{2, "0.6kg", u"自重量", 0}, RefusedBox{3, "1.2.3", u"断面積", 0},
        RefusedBox{6, "1e39", u"最大使用張力", 0}, RefusedBox{9, "1e39", u"高温季風圧", 1},
        RefusedBox{8, "-4e38", u"低温季風圧", 1}, RefusedBox{12, "32768", u"高温季荷重条件温度", 2},
        RefusedBox{11, "-32768.5", u"低温季荷重条件温度", 2}, RefusedBox{10, "1e9", u"検討温度", 2},
        RefusedBox{15, "1e300", u"計算開始径間長", 3}, RefusedBox{13, "-1e300", u"計算単位径間", 3},
        // Read strictly, checked for meaning:
        RefusedBox{8, "", u"低温季風圧", 1}, RefusedBox{8, "1,000", u"低温季風圧", 1},
        RefusedBox{6, "-1500", u"最大使用張力", 0}, RefusedBox{10, "-300", u"検討温度", 2},
        RefusedBox{12, "-300", u"高温季荷重条件温度", 2}, RefusedBox{7, "51", u"被　　氷", 0},
        RefusedBox{7, "", u"被　　氷", 0}, RefusedBox{17, "1.5", u"比重", 0},
        RefusedBox{17, "0.05", u"比重", 0}),
    [](const ::testing::TestParamInfo<RefusedBox>& info) {
        return "Text1_" + std::to_string(info.param.box) + "_" + std::to_string(info.index);
    });

// What was typed reaches the calculation as typed: full-width digits, typed
// through the input method, are the same number.
struct TypedValue {
    int box;
    const char16_t* typed;
    double (*stored)(const CalculationState&);
    double expected;
};

void PrintTo(const TypedValue& c, std::ostream* os) {
    *os << "Text1(" << c.box << ") \"" << QString::fromUtf16(c.typed).toStdString() << '"';
}

class OkReadsTheTypingTest : public MainWindowWithWiresTest,
                             public ::testing::WithParamInterface<TypedValue> {};

TEST_P(OkReadsTheTypingTest, AsTyped) {
    const TypedValue& c = GetParam();
    QWidget* window = OpenConditions();
    SetBox(window, c.box, QString::fromUtf16(c.typed));
    Click(window, "Command1_0");
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join("|").toStdString();
    EXPECT_EQ(ConditionsWindow(), nullptr);
    EXPECT_EQ(c.stored(state_), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, OkReadsTheTypingTest,
    ::testing::Values(
        TypedValue{kBoxWindPressureHigh, u"１２０",
                   [](const CalculationState& s) -> double { return s.windPressureHigh; }, 120},
        TypedValue{kBoxElasticModulus, u"８４００",
                   [](const CalculationState& s) -> double { return s.currentWire.elasticModulus; },
                   8400},
        TypedValue{kBoxDiameterHigh, u"18.25",
                   [](const CalculationState& s) -> double { return s.currentWire.diameterHigh; },
                   double(18.25f)},
        TypedValue{kBoxTemperatureLow, u"－２０",
                   [](const CalculationState& s) -> double { return s.temperatureLow; }, -20}));

// The ice typed into its box reaches the report: Alt+S, Tab to the ice box,
// 6, Alt+O, Alt+C. The report's 低温季 line lists 6.00 mm with the specific
// gravity 0.900 and a load factor QL that is no longer the 9 mm one.
TEST_F(ConditionsWindowTest, IceTypedWithKeysReachesTheReport) {
    PressAccessKey(Qt::Key_S);
    QWidget* window = ConditionsWindow();
    ASSERT_NE(window, nullptr);
    // From the wire's name, the next box in the tab order is the ice.
    ClickOn(Child<QComboBox>(window, QStringLiteral("cmbWireName")));
    PressTab();
    ASSERT_EQ(Focused(), Box(window, kBoxIceThickness));
    TypeText(QStringLiteral("6")); // over the selected " 9"
    PressAccessKey(Qt::Key_O);
    FlushDeletes();
    ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(" | ").toStdString();
    PressAccessKey(Qt::Key_C);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();

    auto* result = main_->findChild<QWidget*>(QStringLiteral("frmKekka"));
    ASSERT_NE(result, nullptr);
    auto* text = result->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 18);
    EXPECT_EQ(lines[13].trimmed(),
              QStringLiteral("低温季            50.0         -15.0            6.00             0.900"));
    EXPECT_TRUE(lines[18].startsWith(QStringLiteral("       3.193918               3.028245")))
        << lines[18].toStdString();
}

// The load classes fill the boxes: 乙種 chosen from its list with the keys
// fills the low season's wind and ice; typing over a filled box makes the
// choice 任意; the larger of 甲種 and 乙種 is decided for the wire (18.2 mm:
// 甲種, no ice); 多導体 turns the pressures into the bundle's; OK keeps the
// choices and the next opening shows them.
TEST_F(ConditionsWindowTest, LoadClassesFillTheBoxesAndTypingMakesThemCustom) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    auto* low = Child<QComboBox>(window, QStringLiteral("cmbLoadClassLow"));
    auto* high = Child<QComboBox>(window, QStringLiteral("cmbLoadClassHigh"));
    ASSERT_TRUE(low != nullptr && high != nullptr);
    EXPECT_EQ(low->currentText(), QStringLiteral("任意"));
    SetBox(window, kBoxWindPressureLow, QStringLiteral("70"));
    SetBox(window, kBoxIceThickness, QStringLiteral("12"));

    ShowTabOf(low);
    ChooseFromList(low, 1);
    EXPECT_EQ(low->currentText(), QStringLiteral("乙種"));
    EXPECT_EQ(Box(window, kBoxWindPressureLow)->text(), QStringLiteral(" 50"));
    EXPECT_EQ(Box(window, kBoxIceThickness)->text(), QStringLiteral(" 6"));
    EXPECT_EQ(Box(window, kBoxIceSpecificGravity)->text(), QStringLiteral(" .9"));

    SetBox(window, kBoxWindPressureLow, QStringLiteral("55"));
    EXPECT_EQ(low->currentText(), QStringLiteral("任意"));
    EXPECT_EQ(Box(window, kBoxIceThickness)->text(), QStringLiteral(" 6"));

    ShowTabOf(low);
    ChooseFromList(low, 3);
    EXPECT_EQ(low->currentText(), QStringLiteral("甲種・乙種の大きい方"));
    EXPECT_EQ(Box(window, kBoxWindPressureLow)->text(), QStringLiteral(" 100"));
    EXPECT_EQ(Box(window, kBoxIceThickness)->text(), QStringLiteral(" 0"));
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("lblLoadClassDecided"))->text(),
              QStringLiteral("外径 18.2 mm：甲種"));
    ChooseFromList(high, 1);
    EXPECT_EQ(high->currentText(), QStringLiteral("甲種"));
    ClickOn(Child<QCheckBox>(window, QStringLiteral("chkBundle")));
    EXPECT_EQ(Box(window, kBoxWindPressureHigh)->text(), QStringLiteral(" 90"));
    EXPECT_EQ(Box(window, kBoxWindPressureLow)->text(), QStringLiteral(" 90"));

    Click(window, "Command1_0");
    ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(state_.loadClassHigh, LoadClass::kKou);
    EXPECT_EQ(state_.loadClassLow, LoadClass::kKouOtsuLarger);
    EXPECT_TRUE(state_.bundle);
    EXPECT_EQ(state_.windPressureHigh, 90.0f);
    EXPECT_EQ(state_.windPressureLow, 90.0f);
    EXPECT_EQ(state_.iceThickness, 0);

    window = OpenConditions();
    EXPECT_EQ(Child<QComboBox>(window, QStringLiteral("cmbLoadClassLow"))->currentText(),
              QStringLiteral("甲種・乙種の大きい方"));
    EXPECT_TRUE(Child<QCheckBox>(window, QStringLiteral("chkBundle"))->isChecked());
    EXPECT_TRUE(messages_.shown.empty());
}

// The display patterns round (18.29 shows as 18.3, 160.005 as 160.01): a box
// left as shown hands on the catalogue's own value, a typed one its typing.
TEST_F(ConditionsWindowTest, BoxesLeftAsShownKeepTheCataloguesValues) {
    WireRecord stored = AcsrLinnet();
    stored.area = 160.005f;
    stored.unitWeight = 0.60123f;
    WriteCatalogueOf({stored, WorkedExample1()});
    for (bool typing : {false, true}) {
        SCOPED_TRACE(typing ? "a box typed over" : "nothing typed");
        QWidget* window = OpenConditions();
        ASSERT_EQ(Box(window, kBoxDiameterHigh)->text(), QStringLiteral("18.3"));
        ASSERT_EQ(Box(window, kBoxArea)->text(), QStringLiteral("160.01"));
        WireRecord expected = stored;
        if (typing) {
            SetBox(window, kBoxDiameterLow, QStringLiteral("18.3"));
            SetBox(window, kBoxUnitWeight, QStringLiteral("0.60127"));
            expected.diameterLow = 18.3f;
            expected.unitWeight = 0.60127f;
        }
        Click(window, "Command1_0");
        EXPECT_EQ(state_.currentWire, expected);
    }
}

TEST_F(ConditionsWindowTest, TemperaturesAtTheEdgesOfTheRangeAreAccepted) {
    QWidget* window = OpenConditions();
    SetBox(window, kBoxTemperatureHigh, "32767.9");
    SetBox(window, kBoxTemperatureLow, "-273");
    Click(window, "Command1_0");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(state_.temperatureHigh, 32767);
    EXPECT_EQ(state_.temperatureLow, -273); // absolute zero, in whole degrees
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
        EXPECT_FALSE(main_->bookkeeping().conditionsWindowOpen);
        EXPECT_EQ(state_.currentWire, WireRecord{});
        EXPECT_EQ(state_.windPressureHigh, 100.0f);
        EXPECT_EQ(state_.spanStep, 10.0f);
        EXPECT_FALSE(Action("mnuCalculate")->isEnabled());
        EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算"));
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
    // OK then refuses the zero constants, naming the first box, and stores
    // nothing.
    const CalculationState before = state_;
    Click(window, "Command1_0");
    ASSERT_EQ(messages_.shown.size(), 2u);
    EXPECT_TRUE(messages_.shown[1].text.startsWith(QStringLiteral("「線膨張係数」")))
        << messages_.shown[1].text.toStdString();
    EXPECT_EQ(state_.currentWire, before.currentWire);
    EXPECT_FALSE(Action("mnuCalculate")->isEnabled());
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
