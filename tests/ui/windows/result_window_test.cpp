// Result windows on a host of their own: the caption, the count, the report
// it keeps, and the initial size.
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "engine/output/report_text.h"
#include "support/fake_window_host.h"
#include "support/wire_records.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

class ResultWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        host_.mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A state as the conditions window and the calculation leave it, without
    // running the windows: enough for the window's own steps.
    void FillState(const char* name, std::int16_t studyTemperature, int rows) {
        CalculationState& state = host_.state();
        state.currentWire = WorkedExample1();
        state.currentWire.wireName = name;
        state.temperatureStudy = studyTemperature;
        state.resultTable.assign(static_cast<std::size_t>(rows), SpanRow{});
        for (int i = 0; i < rows; ++i)
            for (auto& block : state.resultTable[static_cast<std::size_t>(i)].block)
                block.span = 100.0f + 10.0f * static_cast<float>(i);
    }

    FakeHost host_;
};

// The caption names the wire and the study temperature; every window counts
// itself and asks the host to follow, and keeps the state of its own run.
TEST_F(ResultWindowTest, CaptionCountAndTheCalculationKept) {
    struct CaptionCase {
        std::int16_t temperature;
        const char16_t* caption;
    };
    const CaptionCase cases[] = {
        {90, u"結果 : ACSR 160 90℃"}, {-5, u"結果 : ACSR 160-5℃"}, {0, u"結果 : ACSR 160 0℃"}};
    std::vector<frmKekka*> windows;
    for (const CaptionCase& c : cases) {
        FillState("ACSR 160", c.temperature, 3);
        windows.push_back(BuildResultReport(host_));
        EXPECT_EQ(windows.back()->windowTitle(), QString::fromUtf16(c.caption));
        EXPECT_EQ(host_.bookkeeping().resultWindowCount, static_cast<int>(windows.size()));
        EXPECT_EQ(host_.menuUpdates, static_cast<int>(windows.size()));
    }
    EXPECT_EQ(windows[0]->calculation()->temperatureStudy, 90);
    EXPECT_EQ(windows[0]->reportText().toStdString(),
              ComposeResultReport(*windows[0]->calculation()));
    EXPECT_NE(windows[0]->calculation(), windows[1]->calculation());
    qobject_cast<QMdiSubWindow*>(windows[0]->parentWidget())->close();
    EXPECT_EQ(host_.bookkeeping().resultWindowCount, 2);
    EXPECT_EQ(host_.menuUpdates, 4);
}

TEST_F(ResultWindowTest, OpensWideEnoughForAThreeDigitSpanLineAndAboutThirtyLines) {
    FillState("ACSR 160", 90, 40);
    frmKekka* window = BuildResultReport(host_);
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
    host_.window().resize(500, 300);
    QCoreApplication::processEvents();
    frmKekka* small = BuildResultReport(host_);
    auto* sub = qobject_cast<QMdiSubWindow*>(small->parentWidget());
    const QSize area = host_.mdiArea()->viewport()->size();
    EXPECT_LE(sub->width(), area.width());
    EXPECT_LE(sub->height(), area.height());
    EXPECT_GE(sub->x(), 0);
    EXPECT_GE(sub->y(), 0);
}

} // namespace
} // namespace orvalt::test
