// The units the design is shown in, chosen in the ウィンドウ menu with its
// access keys (kg 単位 / SI 単位) or brought by a case file: the conditions
// and wire settings windows show SI and store kg units, the result, chart
// and graph windows show SI, and switching never changes a stored value.
#include <QAbstractAxis>
#include <QChart>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/conditions_form.h"
#include "engine/number/units.h"
#include "support/case_file_fixture.h"
#include "support/golden_file.h"
#include "support/main_window_fixture.h"
#include "support/user_input.h"
#include "ui/windows/chart_window.h"
#include "ui/windows/graph_window.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

// The kg value that a whole number typed in SI is stored as.
float KgOf(double si, UnitQuantity quantity) {
    return static_cast<float>(ToKg(si, quantity, UnitSystem::kSi));
}

QString Trimmed(const QLineEdit* box) { return box != nullptr ? box->text().trimmed() : QString(); }

QString UnitLabel(QWidget* window, int box) {
    auto* label = window->findChild<QLabel*>(QStringLiteral("Label2_%1").arg(box));
    return label != nullptr ? label->text() : QStringLiteral("(no label)");
}

// Over the catalogue shipped beside the program: 計算例1 first.
class UnitsTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALT_SOURCE_DIR "/data/wiredata.dat"),
                                ProgramFile(QStringLiteral("wiredata.dat"))));
        OpenMain(folder_.path());
    }

    std::string ReportBytes() const {
        auto* result = main_->findChild<frmKekka*>(QStringLiteral("frmKekka"));
        EXPECT_NE(result, nullptr);
        return result != nullptr ? result->reportText().toStdString() : std::string();
    }
};

// kg at start; Alt+M, I: SI. The conditions window shows the start-up 100
// kg/m2 as 980.7 Pa and 1500 kg as 14.710 kN; OK and 計算 give the SI
// report byte for byte. Alt+M, K: the same result window shows the kg report.
TEST_F(UnitsTest, SiChosenByTheMenuShowsPaAndGivesTheSiReport) {
    EXPECT_TRUE(Action("mnuUnitsKgf")->isChecked());
    EXPECT_FALSE(Action("mnuUnitsSi")->isChecked());
    ChooseUnits(*main_, Qt::Key_I);
    EXPECT_TRUE(Action("mnuUnitsSi")->isChecked());
    EXPECT_FALSE(Action("mnuUnitsKgf")->isChecked());

    PressAccessKey(Qt::Key_S);
    QWidget* window = ConditionsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(UnitLabel(window, kBoxWindPressureHigh), QStringLiteral("Pa"));
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureHigh)), QStringLiteral("980.7"));
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureLow)), QStringLiteral("490.3"));
    EXPECT_EQ(UnitLabel(window, kBoxMaxTension), QStringLiteral("T(kN)"));
    EXPECT_EQ(Trimmed(Box(window, kBoxMaxTension)), QStringLiteral("14.710"));
    EXPECT_EQ(UnitLabel(window, kBoxElasticModulus), QStringLiteral("E(N/mm2)"));
    PressAccessKey(Qt::Key_O);
    FlushDeletes();
    ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(state_.windPressureHigh, 100.0f); // left as shown: the stored value
    EXPECT_EQ(state_.currentWire.maxTension, 1500.0f);
    PressAccessKey(Qt::Key_C);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(ReportBytes(), GoldenBytes("example_18_2mm_si.txt"));

    ChooseUnits(*main_, Qt::Key_K);
    EXPECT_TRUE(Action("mnuUnitsKgf")->isChecked());
    EXPECT_EQ(ReportBytes(), GoldenBytes("example_18_2mm.txt"));
}

// In SI the classes fill Pa: 甲種 980, 乙種 490 with 6 mm of ice. Switching
// to kg units and back with the window open shows the same digits again, and
// OK stores the Pa as kg units. A number typed in Pa is rounded down in Pa.
TEST_F(UnitsTest, ClassesFillPaInSiAndSwitchingBackAndForthChangesNothing) {
    ChooseUnits(*main_, Qt::Key_I);
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    auto* high = Child<QComboBox>(window, QStringLiteral("cmbLoadClassHigh"));
    auto* low = Child<QComboBox>(window, QStringLiteral("cmbLoadClassLow"));
    ShowTabOf(low);
    ChooseFromList(high, 1);
    ChooseFromList(low, 1);
    EXPECT_EQ(low->currentText(), QStringLiteral("乙種"));
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureHigh)), QStringLiteral("980"));
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureLow)), QStringLiteral("490"));
    EXPECT_EQ(Trimmed(Box(window, kBoxIceThickness)), QStringLiteral("6"));
    SetBox(window, kBoxTemperatureHigh, QStringLiteral("20"));

    ChooseUnits(*main_, Qt::Key_K);
    EXPECT_EQ(UnitLabel(window, kBoxWindPressureLow), QStringLiteral("kg/m2"));
    EXPECT_EQ(UnitLabel(window, kBoxMaxTension), QStringLiteral("T(kg)"));
    EXPECT_EQ(Trimmed(Box(window, kBoxMaxTension)), QStringLiteral("1500"));
    EXPECT_NE(Trimmed(Box(window, kBoxWindPressureLow)), QStringLiteral("490"));
    ChooseUnits(*main_, Qt::Key_I);
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureHigh)), QStringLiteral("980"));
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureLow)), QStringLiteral("490"));
    EXPECT_EQ(Trimmed(Box(window, kBoxMaxTension)), QStringLiteral("14.710"));
    EXPECT_EQ(low->currentText(), QStringLiteral("乙種"));

    Click(window, "Command1_0");
    ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(state_.windPressureHigh, KgOf(980, UnitQuantity::kWindPressure));
    EXPECT_EQ(state_.windPressureLow, KgOf(490, UnitQuantity::kWindPressure));
    EXPECT_EQ(state_.iceThickness, 6);
    EXPECT_EQ(state_.temperatureHigh, 20);
    EXPECT_EQ(state_.currentWire.maxTension, 1500.0f);

    window = OpenConditions();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureLow)), QStringLiteral("490"));
    SetBox(window, kBoxWindPressureHigh, QStringLiteral("1000.9"));
    Click(window, "Command1_0");
    ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(state_.windPressureHigh, KgOf(1000, UnitQuantity::kWindPressure));
    EXPECT_EQ(state_.windPressureLow, KgOf(490, UnitQuantity::kWindPressure));
}

// The wire settings window in SI: T in kN, Wc in N/m; a tension typed in kN
// is saved to the catalogue as kg, the boxes left as shown keep the file's
// values exactly.
TEST_F(UnitsTest, WireSettingsInSiSaveKgUnits) {
    ChooseUnits(*main_, Qt::Key_I);
    Trigger("mnuWire");
    QWidget* window = ChildWindow(QStringLiteral("frmWireSetting"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(UnitLabel(window, kBoxMaxTension), QStringLiteral("T(kN)"));
    EXPECT_EQ(UnitLabel(window, kBoxUnitWeight), QStringLiteral("Wc(N/m)"));
    EXPECT_EQ(Trimmed(Box(window, kBoxMaxTension)), QStringLiteral("14.710"));
    EXPECT_EQ(Trimmed(Box(window, kBoxUnitWeight)), QStringLiteral("5.8840"));
    SetBox(window, kBoxMaxTension, QStringLiteral("15"));
    Click(window, "Command1_0"); // 保存
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();

    WireList list{};
    std::int16_t last = -1;
    ReadWireCatalogue(FsPath(ProgramFile(QStringLiteral("wiredata.dat"))), list, last);
    EXPECT_EQ(list[0].wireName, "計算例1");
    // 15 kN = 1529.5743 kg, to the digits the catalogue file keeps.
    EXPECT_NEAR(list[0].maxTension, 15000.0 / kStandardGravity, 0.001);
    EXPECT_EQ(list[0].unitWeight, 0.6f);
    EXPECT_EQ(list[0].elasticModulus, 9000.0f);
}

// 甲種・乙種の大きい方 follows the low-season diameter typed over the wire's:
// decided again for a diameter (乙種 up to 12 mm), 任意 while the box holds
// none; choosing the wire from the list decides it for the wire again, and
// the window opened again names the decision.
struct DiameterCase {
    const char16_t* typed;
    const char16_t* chosen;  // the low season's class afterwards
    const char16_t* decided; // the note beside it
    const char16_t* wind;    // 低温季風圧, kg units
    const char16_t* ice;
};

class LargerClassTest : public MainWindowWithWiresTest,
                        public ::testing::WithParamInterface<DiameterCase> {};

TEST_P(LargerClassTest, FollowsTheDiameterTyped) {
    const DiameterCase& c = GetParam();
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    auto* low = Child<QComboBox>(window, QStringLiteral("cmbLoadClassLow"));
    auto* decided = Child<QLabel>(window, QStringLiteral("lblLoadClassDecided"));
    ShowTabOf(low);
    ChooseFromList(low, 3);
    ASSERT_EQ(low->currentText(), QStringLiteral("甲種・乙種の大きい方"));
    ASSERT_EQ(decided->text(), QStringLiteral("外径 18.2 mm：甲種"));

    SetBox(window, kBoxDiameterLow, QString::fromUtf16(c.typed));
    EXPECT_EQ(low->currentText(), QString::fromUtf16(c.chosen));
    EXPECT_EQ(decided->text(), QString::fromUtf16(c.decided));
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureLow)), QString::fromUtf16(c.wind));
    EXPECT_EQ(Trimmed(Box(window, kBoxIceThickness)), QString::fromUtf16(c.ice));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();

    if (low->currentText() == QStringLiteral("甲種・乙種の大きい方")) {
        ChooseWire(window, 0); // 計算例1, 18.2 mm
        EXPECT_EQ(decided->text(), QStringLiteral("外径 18.2 mm：甲種"));
        EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureLow)), QStringLiteral("100"));
        EXPECT_EQ(Trimmed(Box(window, kBoxIceThickness)), QStringLiteral("0"));
        // OK keeps the choice; the window opened again says what it decided.
        Click(window, "Command1_0");
        ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(" | ").toStdString();
        window = OpenConditions();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Child<QLabel>(window, QStringLiteral("lblLoadClassDecided"))->text(),
                  QStringLiteral("外径 18.2 mm：甲種"));
    }
}

INSTANTIATE_TEST_SUITE_P(Diameters, LargerClassTest,
                         ::testing::Values(DiameterCase{u"10", u"甲種・乙種の大きい方",
                                                        u"外径 10 mm：乙種", u"50", u"6"},
                                           DiameterCase{u"12", u"甲種・乙種の大きい方",
                                                        u"外径 12 mm：乙種", u"50", u"6"},
                                           DiameterCase{u"12.5", u"甲種・乙種の大きい方",
                                                        u"外径 12.5 mm：甲種", u"100", u"0"},
                                           DiameterCase{u"", u"任意", u"", u"100", u"0"},
                                           DiameterCase{u"abc", u"任意", u"", u"100", u"0"}));

// The window opens with the catalogue's first wire: a design decided for
// 10 mm (乙種) shows 18.2 mm decided again (甲種, filled); Cancel keeps the
// design as it was.
TEST_F(LargerClassTest, OpeningOnAnotherWireDecidesForTheWireShown) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    auto* low = Child<QComboBox>(window, QStringLiteral("cmbLoadClassLow"));
    ShowTabOf(low);
    ChooseFromList(low, 3);
    SetBox(window, kBoxDiameterLow, QStringLiteral("10"));
    Click(window, "Command1_0");
    ASSERT_EQ(ConditionsWindow(), nullptr) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(state_.windPressureLow, 50.0f);
    EXPECT_EQ(state_.iceThickness, 6);

    window = OpenConditions();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Child<QComboBox>(window, QStringLiteral("cmbLoadClassLow"))->currentText(),
              QStringLiteral("甲種・乙種の大きい方"));
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("lblLoadClassDecided"))->text(),
              QStringLiteral("外径 18.2 mm：甲種"));
    EXPECT_EQ(Trimmed(Box(window, kBoxWindPressureLow)), QStringLiteral("100"));
    EXPECT_EQ(Trimmed(Box(window, kBoxIceThickness)), QStringLiteral("0"));
    Click(window, "Command1_1");
    ASSERT_EQ(ConditionsWindow(), nullptr);
    EXPECT_EQ(state_.windPressureLow, 50.0f);
    EXPECT_EQ(state_.currentWire.diameterLow, 10.0f);
}

// A case saved in SI opens in SI: the menu checked, the report, the result
// table's and the chart's CSV the command line's SI goldens, the chart's and
// the graph's tension in kN. Saving keeps "si"; kg 単位 marks the design
// modified.
class UnitsCaseTest : public CaseFileTest {
protected:
    QString WriteSiCase(const std::filesystem::path& source, const QString& name) {
        std::string bytes = ReadFileBytes(source).value_or(std::string());
        const auto brace = bytes.rfind('}');
        EXPECT_NE(brace, std::string::npos);
        bytes.insert(brace, ",\n  \"units\": \"si\"\n");
        return WriteFile(name, QByteArray::fromStdString(bytes));
    }
    template <typename W>
    W* Window(const char* name) const {
        return main_->findChild<W*>(QString::fromLatin1(name));
    }
};

TEST_F(UnitsCaseTest, ACaseSavedInSiOpensInSi) {
    const QString path = WriteSiCase(GoldenPath("example_18_2mm.o99case"), "si.o99case");
    OpenWithKeys(path);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();
    EXPECT_TRUE(Action("mnuUnitsSi")->isChecked());
    EXPECT_FALSE(Action("mnuUnitsKgf")->isChecked());
    PressAccessKey(Qt::Key_C);
    auto* result = Window<frmKekka>("frmKekka");
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->reportText().toStdString(), GoldenBytes("example_18_2mm_si.txt"));

    PressAccessKey(Qt::Key_S);
    QWidget* conditions = ConditionsWindow();
    ASSERT_NE(conditions, nullptr);
    EXPECT_EQ(UnitLabel(conditions, kBoxWindPressureLow), QStringLiteral("Pa"));
    PressKey(Qt::Key_Escape); // キャンセル
    FlushDeletes();
    ASSERT_EQ(ConditionsWindow(), nullptr);

    Press(Qt::Key_S, Qt::ControlModifier);
    const std::string saved = ReadFileBytes(FsPath(path)).value_or(std::string());
    EXPECT_NE(saved.find("\"units\": \"si\""), std::string::npos) << saved;
    EXPECT_FALSE(Caption().contains(QLatin1Char('*')));
    ChooseUnits(*main_, Qt::Key_K);
    EXPECT_TRUE(Caption().contains(QLatin1Char('*'))) << Caption().toStdString();
    EXPECT_EQ(result->reportText().toStdString(), GoldenBytes("example_18_2mm.txt"));
}

TEST_F(UnitsCaseTest, ResultTableAndChartInSiAreTheCommandLinesGoldens) {
    OpenWithKeys(WriteSiCase(std::filesystem::path(ORVALT_SOURCE_DIR) / "tests" / "cli" / "cases" /
                                 "example_50mm.o99case",
                             "si50.o99case"));
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();
    PressAccessKey(Qt::Key_C);
    auto* result = Window<frmKekka>("frmKekka");
    ASSERT_NE(result, nullptr);
    ASSERT_TRUE(result->csv().has_value());
    EXPECT_EQ(result->csv()->bytes, GoldenBytes("result_table_50mm_si.csv"));

    PressAccessKey(Qt::Key_K);
    auto* chart = Window<frmChart>("frmChart");
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(chart->csv().has_value());
    EXPECT_EQ(chart->csv()->bytes, GoldenBytes("chart_50mm_si.csv"));
    EXPECT_EQ(chart->findChild<QLabel*>(QStringLiteral("lblTension"))->text(),
              QStringLiteral("張力 [kN]"));
    // The tension table shows what the printed chart prints: its first row.
    const QStringList text = chart->chartText().split(QStringLiteral("\r\n"));
    const qsizetype title = text.indexOf(QStringLiteral("張力 [kN]"));
    ASSERT_GT(title, 0);
    const QStringList firstRow = text[title + 2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    auto* table = chart->findChild<QTableView*>(QStringLiteral("grdTension"));
    ASSERT_NE(table, nullptr);
    ASSERT_GT(firstRow.size(), 2);
    for (int column = 0; column + 1 < firstRow.size(); ++column)
        EXPECT_EQ(table->model()->index(0, column).data().toString().trimmed(),
                  firstRow[column + 1]);

    PressAccessKey(Qt::Key_G); // the graph of the chart's calculation
    auto* graph = Window<frmGraph>("frmGraph");
    ASSERT_NE(graph, nullptr);
    const auto tensionAxis = [graph] {
        return graph->tensionChart()->axes(Qt::Vertical).front()->titleText();
    };
    EXPECT_EQ(tensionAxis(), QStringLiteral("張力 [kN]"));
    ASSERT_NE(graph->maxTensionLine(), nullptr);
    const double maxKg = state_.currentWire.maxTension;
    EXPECT_DOUBLE_EQ(graph->maxTensionLine()->at(0).y(),
                     FromKg(maxKg, UnitQuantity::kTension, UnitSystem::kSi));

    ChooseUnits(*main_, Qt::Key_K);
    EXPECT_EQ(tensionAxis(), QStringLiteral("張力 [kg]"));
    EXPECT_DOUBLE_EQ(graph->maxTensionLine()->at(0).y(), maxKg);
    EXPECT_EQ(chart->csv()->bytes, GoldenBytes("chart_50mm.csv"));
    EXPECT_EQ(result->csv()->bytes, GoldenBytes("result_table_50mm.csv"));
}

} // namespace
} // namespace orvalt::test
