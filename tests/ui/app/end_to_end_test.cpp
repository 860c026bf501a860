// The whole program from start-up to the report, over the catalogue shipped
// beside it: the result window must hold the golden report byte for byte.
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <string>

#include "support/golden_file.h"
#include "support/main_window_fixture.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

class EndToEndTest : public MainWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALT_SOURCE_DIR "/data/wiredata.dat"),
                                ProgramFile(QStringLiteral("wiredata.dat"))))
            << "no shipped catalogue";
        OpenMain(folder_.path());
    }

    // The report of the only result window, as UTF-8 bytes.
    std::string ReportBytes() const {
        auto* result = main_->findChild<frmKekka*>(QStringLiteral("frmKekka"));
        EXPECT_NE(result, nullptr);
        return result != nullptr ? result->reportText().toStdString() : std::string();
    }
};

// Keys alone: Alt+S, the first worked example as the window offers it, the
// start-up spans (100 to 400 m by 10 m), Alt+O, Alt+C. The result window
// holds the whole 31-row report.
TEST_F(EndToEndTest, FirstWorkedExampleWithKeysAloneGivesTheGoldenReport) {
    PressAccessKey(Qt::Key_S);
    QWidget* window = ConditionsWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Child<QComboBox>(window, QStringLiteral("cmbWireName"))->currentText(),
              QStringLiteral("計算例1"));
    PressAccessKey(Qt::Key_O);
    FlushDeletes();
    EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算  計算例1  90°"));
    PressAccessKey(Qt::Key_C);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();

    const std::string expected = GoldenBytes("example_18_2mm.txt");
    const QRegularExpression spanRow(QStringLiteral("^ +\\d+ +\\d+\\.\\d{3} "),
                                     QRegularExpression::MultilineOption);
    EXPECT_EQ(QString::fromStdString(expected).count(spanRow), 31);
    EXPECT_EQ(ReportBytes(), expected);
}

// The menu and the mouse: 計算条件, the second worked example chosen from the
// list, step 50 typed over the start-up 10, OK, 計算.
TEST_F(EndToEndTest, SecondWorkedExampleGivesTheGoldenReport) {
    QWidget* window = OpenConditions();
    ASSERT_NE(window, nullptr);
    ChooseWire(window, 1);
    const QString name = Child<QComboBox>(window, QStringLiteral("cmbWireName"))->currentText();
    ASSERT_EQ(name, QStringLiteral("計算例2")); // the name the golden report carries
    SetBox(window, 13, QStringLiteral("50"));
    Click(window, "Command1_0");
    EXPECT_EQ(ConditionsWindow(), nullptr);
    EXPECT_EQ(Caption(), QStringLiteral("最大使用張力計算  計算例2  90°"));

    Trigger("mnuCalculate");
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(" | ").toStdString();
    auto* result = main_->findChild<frmKekka*>(QStringLiteral("frmKekka"));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->windowTitle(), QStringLiteral("結果 : 計算例2 90℃"));
    EXPECT_EQ(ReportBytes(), GoldenBytes("example_50mm.txt"));
}

} // namespace
} // namespace orvalt::test
