// A design its author keeps in SI, opened with Ctrl+O: the windows opened
// after it show and print in SI. The section window's crew's sheet and the
// stringing chart's are printed with the wire and conditions in SI.
#include <QFile>
#include <QLineEdit>
#include <QTableView>

#include <gtest/gtest.h>

#include <utility>

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

class UnitsWindowTest : public CaseFileTest {
protected:
    // The SI case opened with Ctrl+O, then 区間計算 computed with Alt+R.
    QWidget* openComputedSection() {
        OpenWithKeys(WriteFile(QStringLiteral("si.o99case"), kSiCase));
        Trigger("mnuSection");
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

TEST_F(UnitsWindowTest, TheSectionsCrewSheetOfAnSiCaseIsPrintedInSi) {
    QWidget* window = openComputedSection();
    ASSERT_NE(window, nullptr);
    typeFieldSettings(window);
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_EQ(printing_.jobs[0].toStdString(), GoldenBytes("field_4spans_si.txt"));
}

TEST_F(UnitsWindowTest, TheChartsCrewSheetOfAnSiCaseIsPrintedInSi) {
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
