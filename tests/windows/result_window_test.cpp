// Result windows: caption, counting, the text box and its font, the initial
// size, and the whole program end to end against the golden report.
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <fstream>
#include <iterator>

#include "engine/report_text.h"
#include "ui/windows/result_window.h"
#include "ui/base/fonts.h"
#include "window_fixture.h"

namespace orvalt::test {
namespace {

std::string ReadFileBytes(const std::string& path, bool& found) {
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ResultWindowTest : public WindowTest {
protected:
    // A state as the conditions window and the calculation leave it, without
    // running the windows: enough for the window's own steps.
    void fillState(const char* name, std::int16_t studyTemperature, int rows) {
        state_.currentWire = TestWires()[0];
        state_.currentWire.wireName = name;
        state_.temperatureStudy = studyTemperature;
        state_.resultTable.assign(static_cast<std::size_t>(rows), SpanRow{});
        for (int i = 0; i < rows; ++i)
            for (auto& block : state_.resultTable[static_cast<std::size_t>(i)].block)
                block.span = 100.0f + 10.0f * static_cast<float>(i);
    }
};

TEST_F(ResultWindowTest, CaptionCountsAndPrintCommandFollowTheLoadAndUnload) {
    struct CaptionCase {
        std::int16_t temperature;
        const char16_t* caption;
    };
    const CaptionCase cases[] = {{90, u"結果 : ACSR 160 90℃"}, {-5, u"結果 : ACSR 160-5℃"},
                                 {0, u"結果 : ACSR 160 0℃"}};
    int open = 0;
    for (const CaptionCase& c : cases) {
        fillState("ACSR 160", c.temperature, 3);
        frmKekka* window = BuildResultReport(*main_);
        ++open;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf16(c.caption));
        EXPECT_EQ(window->property("tag").toString(), QStringLiteral("kekka"));
        EXPECT_EQ(state_.resultWindowCount, open);
        EXPECT_TRUE(action("mnuPrint")->isEnabled());
    }
    // A later calculation does not touch an earlier caption.
    auto windows = subWindows(QStringLiteral("frmKekka"));
    ASSERT_EQ(windows.size(), 3);
    EXPECT_EQ(windows[0]->widget()->windowTitle(), QStringLiteral("結果 : ACSR 160 90℃"));
    for (QMdiSubWindow* sub : windows) {
        EXPECT_TRUE(action("mnuPrint")->isEnabled());
        sub->close();
        FlushDeletes();
    }
    EXPECT_EQ(state_.resultWindowCount, 0);
    EXPECT_FALSE(action("mnuPrint")->isEnabled());
}

TEST_F(ResultWindowTest, TheTextBoxHoldsTheReportUnwrappedEditableWithBothScrollBars) {
    fillState("ACSR 160", 90, 5);
    frmKekka* window = BuildResultReport(*main_);
    QPlainTextEdit* text = window->text1();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->objectName(), QStringLiteral("Text1"));
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(text->isReadOnly());
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->reportText().toStdString(), ComposeResultReport(state_));
    EXPECT_EQ(text->font().family(), ReportFont().family());
    EXPECT_EQ(text->font().pointSizeF(), 12.0);

    // The text box always covers the client area, however small.
    auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    ASSERT_NE(sub, nullptr);
    for (const QSize size : {QSize(600, 400), QSize(40, 30)}) {
        sub->resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(text->geometry(), window->rect());
    }
}

TEST_F(ResultWindowTest, OpensWideEnoughForAThreeDigitSpanLineAndAboutThirtyLines) {
    fillState("ACSR 160", 90, 40);
    frmKekka* window = BuildResultReport(*main_);
    QCoreApplication::processEvents();
    QPlainTextEdit* text = window->text1();
    const QFontMetricsF metrics(text->font());
    const QString line = window->reportText().split(QStringLiteral("\r\n")).at(22);
    ASSERT_EQ(line.size(), 83) << line.toStdString();
    EXPECT_GE(text->viewport()->width(), metrics.horizontalAdvance(line));
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0) << "the whole line is visible";
    const double lines = text->viewport()->height() / metrics.lineSpacing();
    EXPECT_GE(lines, 28.0);
    EXPECT_LE(lines, 32.0);

    // Within a small main window the size is clamped to the area.
    main_->resize(500, 300);
    QCoreApplication::processEvents();
    frmKekka* small = BuildResultReport(*main_);
    auto* sub = qobject_cast<QMdiSubWindow*>(small->parentWidget());
    const QSize area = main_->mdiArea()->viewport()->size();
    EXPECT_LE(sub->width(), area.width());
    EXPECT_LE(sub->height(), area.height());
    EXPECT_GE(sub->x(), 0);
    EXPECT_GE(sub->y(), 0);
}

// The report's columns rely on a face in which a full-width character is
// exactly two half-width ones. Measured in the font the window really uses.
TEST_F(ResultWindowTest, TheReportFaceKeepsTheLabelColonsInOneColumn) {
    fillState("ACSR 160", 90, 1);
    frmKekka* window = BuildResultReport(*main_);
    const QFont used = window->text1()->font();
    const QFontMetricsF metrics(used);
    const QStringList labels = {QStringLiteral("線　　　種          :"),
                                QStringLiteral("計算断面積  [mm2]   :"),
                                QStringLiteral("外径(高温季)[mm]    :"),
                                QStringLiteral("線膨張係数  [/℃]   :")};
    const double first = metrics.horizontalAdvance(labels[0]);
    EXPECT_GT(first, 0.0);
    for (const QString& label : labels)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(label), first) << label.toStdString()
                                                                  << " in " << QFontInfo(used).family().toStdString();
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("線")),
                     2.0 * metrics.horizontalAdvance(QStringLiteral("0")));
}

// Start, open the conditions window, choose the second worked example, step
// 50, OK, 計算: the result window holds the golden report byte for byte.
TEST(EndToEndTest, SecondWorkedExampleGivesTheGoldenReport) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString shipped = QStringLiteral(ORVALT_SOURCE_DIR "/data/wiredata.dat");
    ASSERT_TRUE(QFile::copy(shipped, folder.path() + "/wiredata.dat")) << "no shipped catalogue";
    WireList list{};
    std::int16_t last = -1;
    ReadWireCatalogue(std::filesystem::path((folder.path() + "/wiredata.dat").toStdString()), list, last);
    ASSERT_GE(last, 1);
    const QString name = QString::fromStdString(list[1].wireName);
    ASSERT_EQ(name, QStringLiteral("計算例2")); // the name the golden report carries

    CalculationState state;
    FakeMessageService messages;
    FakePrintService printing;
    frmMain main(state, messages, printing, folder.path());
    main.resize(1400, 900);
    main.show();

    main.findChild<QAction*>(QStringLiteral("mnuCondition"))->trigger();
    QWidget* window = main.findChild<QWidget*>(QStringLiteral("frmSetting"));
    ASSERT_NE(window, nullptr);
    auto* combo = window->findChild<QComboBox*>(QStringLiteral("cmbWireName"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_EQ(combo->currentText(), name);
    window->findChild<QLineEdit*>(QStringLiteral("Text1_13"))->setText(QStringLiteral("50"));
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1_0")), Qt::LeftButton);
    FlushDeletes();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("最大使用張力計算  ") + name + QStringLiteral("  90°"));

    main.findChild<QAction*>(QStringLiteral("mnuCalculate"))->trigger();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].text.toStdString();
    auto* result = main.findChild<frmKekka*>(QStringLiteral("frmKekka"));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->windowTitle(), QStringLiteral("結果 : ") + name + QStringLiteral(" 90℃"));

    bool found = false;
    const std::string golden =
        ReadFileBytes(ORVALT_SOURCE_DIR "/tests/report/golden/example_50mm.txt", found);
    ASSERT_TRUE(found) << "tests/report/golden/example_50mm.txt is missing";
    const QByteArray shown = result->reportText().toUtf8();
    EXPECT_EQ(std::string(shown.constData(), static_cast<std::size_t>(shown.size())), golden);
}

} // namespace
} // namespace orvalt::test
