// Result windows: caption, counting, the text box and its font, and the
// initial size.
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "engine/output/report_text.h"
#include "support/main_window_fixture.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

class ResultWindowTest : public MainWindowTest {
protected:
    // A state as the conditions window and the calculation leave it, without
    // running the windows: enough for the window's own steps.
    void FillState(const char* name, std::int16_t studyTemperature, int rows) {
        state_.currentWire = WorkedExample1();
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
    const CaptionCase cases[] = {
        {90, u"結果 : ACSR 160 90℃"}, {-5, u"結果 : ACSR 160-5℃"}, {0, u"結果 : ACSR 160 0℃"}};
    int open = 0;
    for (const CaptionCase& c : cases) {
        FillState("ACSR 160", c.temperature, 3);
        frmKekka* window = BuildResultReport(*main_);
        ++open;
        EXPECT_EQ(window->windowTitle(), QString::fromUtf16(c.caption));
        EXPECT_EQ(window->property("tag").toString(), QStringLiteral("kekka"));
        EXPECT_EQ(state_.resultWindowCount, open);
        EXPECT_TRUE(Action("mnuPrint")->isEnabled());
    }
    // A later calculation does not touch an earlier caption.
    auto windows = SubWindows(QStringLiteral("frmKekka"));
    ASSERT_EQ(windows.size(), 3);
    EXPECT_EQ(windows[0]->widget()->windowTitle(), QStringLiteral("結果 : ACSR 160 90℃"));
    for (QMdiSubWindow* sub : windows) {
        EXPECT_TRUE(Action("mnuPrint")->isEnabled());
        sub->close();
        FlushDeletes();
    }
    EXPECT_EQ(state_.resultWindowCount, 0);
    EXPECT_FALSE(Action("mnuPrint")->isEnabled());
}

TEST_F(ResultWindowTest, TheTextBoxHoldsTheReportUnwrappedEditableWithBothScrollBars) {
    FillState("ACSR 160", 90, 5);
    frmKekka* window = BuildResultReport(*main_);
    QPlainTextEdit* text = window->text1();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->objectName(), QStringLiteral("Text1"));
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_FALSE(text->isReadOnly());
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->reportText().toStdString(), ComposeResultReport(state_));
    // The report's fixed-pitch Mincho at 12 pt, in a face that has the
    // report's kanji: a digit, a letter and a blank all one column, a kanji
    // exactly two.
    EXPECT_EQ(text->font().family(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(text->font().pointSizeF(), 12.0);
    const QFontMetricsF metrics(text->font());
    for (const char32_t c : {U'線', U'張', U'℃', U'弛', U'径'})
        EXPECT_TRUE(metrics.inFontUcs4(c))
            << "U+" << std::hex << static_cast<unsigned>(c) << " missing in "
            << QFontInfo(text->font()).family().toStdString();
    const double column = metrics.horizontalAdvance(QStringLiteral("0"));
    EXPECT_GT(column, 0.0);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("W")), column);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral(" ")), column);
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("張")), 2.0 * column);

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
    FillState("ACSR 160", 90, 40);
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
    FillState("ACSR 160", 90, 1);
    frmKekka* window = BuildResultReport(*main_);
    const QFont used = window->text1()->font();
    const QFontMetricsF metrics(used);
    const QStringList labels = {
        QStringLiteral("線　　　種          :"), QStringLiteral("計算断面積  [mm2]   :"),
        QStringLiteral("外径(高温季)[mm]    :"), QStringLiteral("線膨張係数  [/℃]   :")};
    const double first = metrics.horizontalAdvance(labels[0]);
    EXPECT_GT(first, 0.0);
    for (const QString& label : labels)
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(label), first)
            << label.toStdString() << " in " << QFontInfo(used).family().toStdString();
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("線")),
                     2.0 * metrics.horizontalAdvance(QStringLiteral("0")));
}

} // namespace
} // namespace orvalt::test
