// A design its author keeps in SI, opened with Ctrl+O: the windows opened
// after it show and print in SI. The section window's tables, printout and
// CSV carry their tensions in kN; its crew's sheet and the stringing
// chart's are printed with the wire and conditions in SI.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

#include "engine/output/balanced_section_text.h"
#include "engine/output/section_text.h"
#include "support/case_file_fixture.h"
#include "support/golden_file.h"
#include "ui/windows/section_window.h"

namespace orvalt::test {
namespace {

// The 50 mm worked example with the four inclined spans of the section
// golden files, kept in SI.
const char kSiCase[] = R"({
  "format": "orvalt99-case",
  "version": 2,
  "wire": { "name": "計算例2", "diameterHigh": 50, "diameterLow": 50, "area": 600,
            "unitWeight": 2, "expansionCoeff": 19, "elasticModulus": 8000, "maxTension": 6000 },
  "conditions": { "windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                  "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": 90,
                  "spanStart": 100, "spanEnd": 400, "spanStep": 50 },
  "chart": { "from": -10, "to": 40, "step": 10 },
  "section": {
    "spans": [
      { "length": 120, "heightDifference": 5 },
      { "length": 250, "heightDifference": 30 },
      { "length": 180, "heightDifference": -12 },
      { "length": 90, "heightDifference": -40 }
    ]
  },
  "units": "si"
}
)";

class SectionUnitsTest : public CaseFileTest {
protected:
    // The SI case opened with Ctrl+O, then 区間計算 (Alt+T) computed with Alt+R.
    QWidget* openComputedSection() {
        OpenWithKeys(WriteFile(QStringLiteral("si.o99case"), kSiCase));
        Press(Qt::Key_T, Qt::AltModifier);
        QWidget* window = ActiveChild();
        EXPECT_NE(qobject_cast<frmSection*>(window), nullptr);
        PressAccessKey(Qt::Key_R);
        EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
        return window;
    }
    // N and a typed into the 弛度観測 tab's boxes, which brings it to the front.
    static void typeFieldSettings(QWidget* window) {
        for (const auto& [box, text] :
             {std::pair{"txtWaves", QStringLiteral("5")}, {"txtSight", QStringLiteral("2")}}) {
            auto* edit = Child<QLineEdit>(window, QString::fromLatin1(box));
            ShowTabOf(edit);
            ClickAndType(edit, text);
            PressKey(Qt::Key_Return);
        }
    }
};

const std::string kPrintedNotes =
    "\r\n支持点外: 最低点が低い側の支持点の外にあり、電線が支持点を引き上げます"
    "\r\n張力超過: 張力が電線の最大使用張力を超えています\r\n";

QString Heading(const QTableView* view, int section, Qt::Orientation orientation) {
    return view->model()->headerData(section, orientation).toString();
}

TEST_F(SectionUnitsTest, TheSectionOfAnSiCaseShowsPrintsAndSavesItsTensionsInKn) {
    QWidget* window = openComputedSection();
    ASSERT_NE(window, nullptr);
    auto* results = Child<QTableView>(window, QStringLiteral("grdResults"));
    EXPECT_EQ(Heading(results, 6, Qt::Horizontal), QStringLiteral("高温季 下側張力[kN]"));
    EXPECT_EQ(
        Heading(Child<QTableView>(window, QStringLiteral("grdConditions")), 1, Qt::Horizontal),
        QStringLiteral("張力[kN]"));
    EXPECT_EQ(Heading(Child<QTableView>(window, QStringLiteral("grdExact")), 0, Qt::Horizontal),
              QStringLiteral("高温季 水平張力[kN]"));
    EXPECT_EQ(Heading(Child<QTableView>(window, QStringLiteral("grdChart")), 0, Qt::Vertical),
              QStringLiteral("張力[kN]"));

    // A tension cell copied as it shows: span 4, 高温季 下側張力 in kN.
    QTest::mouseClick(results->viewport(), Qt::LeftButton, Qt::NoModifier,
                      results->visualRect(results->model()->index(3, 6)).center());
    PressKey(Qt::Key_C, Qt::ControlModifier);
    const auto* section = qobject_cast<frmSection*>(window);
    const std::vector<SectionSpan> spans = {
        {120.0f, 5.0f}, {250.0f, 30.0f}, {180.0f, -12.0f}, {90.0f, -40.0f}};
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              SectionSpanCells(spans, section->section(), UnitSystem::kSi)[4][7] + "\r\n");

    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_EQ(printing_.jobs[0].toStdString(),
              GoldenBytes("section_4spans_si.txt") + kPrintedNotes);
    dialogs_.saveAnswer = cases_.filePath(QStringLiteral("section.csv"));
    Trigger("mnuCsv");
    QFile saved(dialogs_.saveAnswer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), GoldenBytes("section_4spans_si.csv"));

    // The exact chart (Alt+X on its tab): every span's own tension in kN.
    auto* chart = Child<QTableView>(window, QStringLiteral("grdChart"));
    ShowTabOf(chart);
    PressAccessKey(Qt::Key_X);
    ASSERT_TRUE(section->exactSagsShown());
    const CellTable exact = BalancedChartCells(section->balanced(), UnitSystem::kSi);
    EXPECT_EQ(Heading(chart, 0, Qt::Vertical).toStdString(), exact[1][0]);
    EXPECT_EQ(exact[1][0], "径間 1 水平張力[kN]");
    EXPECT_EQ(chart->model()->index(0, 2).data().toString().toStdString(), exact[1][3]);
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
}

// kg units chosen in the menu over the computed SI section: its tables,
// printout and CSV are the kg ones byte for byte; SI again gives the SI
// ones: switching changes no value the window holds.
TEST_F(SectionUnitsTest, SwitchingUnitsInTheMenuRedrawsTheSectionAndChangesNoValue) {
    QWidget* window = openComputedSection();
    ASSERT_NE(window, nullptr);
    auto* results = Child<QTableView>(window, QStringLiteral("grdResults"));
    const struct {
        Qt::Key key;
        const char* heading;
        const char* stringWeight; // typed in kg in both: a mass in SI
        const char* text;
        const char* csv;
    } steps[] = {{Qt::Key_K, "高温季 下側張力[kg]", "がいし連重量[kg]", "section_4spans.txt",
                  "section_4spans.csv"},
                 {Qt::Key_I, "高温季 下側張力[kN]", "がいし連質量[kg]", "section_4spans_si.txt",
                  "section_4spans_si.csv"},
                 {Qt::Key_K, "高温季 下側張力[kg]", "がいし連重量[kg]", "section_4spans.txt",
                  "section_4spans.csv"}};
    int saves = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.text);
        ChooseUnits(*main_, step.key);
        EXPECT_EQ(Heading(results, 6, Qt::Horizontal), QString::fromUtf8(step.heading));
        EXPECT_EQ(
            Heading(Child<QTableView>(window, QStringLiteral("grdSupports")), 2, Qt::Horizontal),
            QString::fromUtf8(step.stringWeight));
        printing_.jobs.clear();
        Trigger("mnuPrint");
        ASSERT_EQ(printing_.jobs.size(), 1u);
        EXPECT_EQ(printing_.jobs[0].toStdString(), GoldenBytes(step.text) + kPrintedNotes);
        dialogs_.saveAnswer = cases_.filePath(QStringLiteral("section%1.csv").arg(++saves));
        Trigger("mnuCsv");
        QFile saved(dialogs_.saveAnswer);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_EQ(saved.readAll().toStdString(), GoldenBytes(step.csv));
    }
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
}

TEST_F(SectionUnitsTest, TheSectionsCrewSheetOfAnSiCaseIsPrintedInSi) {
    QWidget* window = openComputedSection();
    ASSERT_NE(window, nullptr);
    typeFieldSettings(window);
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_EQ(printing_.jobs[0].toStdString(), GoldenBytes("field_4spans_si.txt"));
}

TEST_F(SectionUnitsTest, TheChartsCrewSheetOfAnSiCaseIsPrintedInSi) {
    OpenWithKeys(WriteFile(QStringLiteral("si.o99case"), kSiCase));
    Trigger("mnuCalculate");
    Trigger("mnuChart");
    QWidget* chart = ChildWindow(QStringLiteral("frmChart"));
    ASSERT_NE(chart, nullptr);
    typeFieldSettings(chart);
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    const QString sheet = printing_.jobs[0];
    EXPECT_TRUE(sheet.contains(QStringLiteral("/* 弛度観測表 */")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("単位長重量  [N/m]   :  19.61330")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("架渉線風圧[Pa]")));
    EXPECT_FALSE(sheet.contains(QStringLiteral("kg"))) << sheet.toStdString();
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
}

} // namespace
} // namespace orvalt::test
