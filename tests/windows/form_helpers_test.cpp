// Centring a child window, SelectAllText, ShowWireRecord and the twips helper.
#include <QScreen>

#include "ui/base/form_helpers.h"
#include "ui/base/mdi_child.h"
#include "ui/base/twips.h"
#include "window_fixture.h"

namespace orvalt::test {
namespace {

TEST(TwipsTest, AnInchIsTheLogicalDpi) {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    EXPECT_EQ(TwipsToPixels(1440), static_cast<int>(std::lround(dpi)));
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(TwipsToPixels(-1440), -static_cast<int>(std::lround(dpi)));
    EXPECT_NEAR(PixelsToTwips(TwipsToPixels(2880)), 2880.0, 1440.0 / dpi);
    EXPECT_EQ(TwipsRect(1440, 720, 2880, 360),
              QRect(TwipsToPixels(1440), TwipsToPixels(720), TwipsToPixels(2880), TwipsToPixels(360)));
    EXPECT_EQ(TwipsSize(5295, 4860), QSize(TwipsToPixels(5295), TwipsToPixels(4860)));
}

class CenterTest : public WindowTest {
protected:
    QMdiSubWindow* childOfSize(QSize outer) {
        auto* widget = new QWidget;
        QMdiSubWindow* sub = main_->addChildWindow(widget);
        sub->show();
        sub->resize(outer);
        return sub;
    }
};

TEST_F(CenterTest, PlacesTheOuterWindowInTheMiddleOfTheArea) {
    const QSize area = main_->mdiArea()->viewport()->size();
    QMdiSubWindow* sub = childOfSize(area - QSize(300, 100));
    CenterInArea(main_->mdiArea(), sub->widget());
    EXPECT_EQ(sub->pos(), QPoint(150, 50));
    // Half a pixel left over goes to the left and top margin: halves round
    // away from zero.
    sub->resize(area - QSize(301, 99));
    CenterInArea(main_->mdiArea(), sub->widget());
    EXPECT_EQ(sub->pos(), QPoint(151, 50));
}

TEST_F(CenterTest, AWindowWiderThanTheAreaSticksOutOnBothSides) {
    const QSize area = main_->mdiArea()->viewport()->size();
    QMdiSubWindow* sub = childOfSize(QSize(area.width() + 200, area.height() + 60));
    CenterInArea(main_->mdiArea(), sub->widget());
    EXPECT_EQ(sub->x(), -100);
    EXPECT_EQ(sub->y(), -30);
}

TEST(SelectAllTextTest, SelectsTheWholeTextOrNothingInAnEmptyBox) {
    QLineEdit box;
    box.setText(QStringLiteral("計算例 18.2"));
    box.setCursorPosition(3);
    SelectAllText(&box);
    EXPECT_EQ(box.selectedText(), box.text());
    EXPECT_EQ(box.selectionStart(), 0);

    box.clear();
    SelectAllText(&box);
    EXPECT_FALSE(box.hasSelectedText());
    EXPECT_EQ(box.cursorPosition(), 0);
}

struct RecordCase {
    WireRecord record;
    std::array<const char*, 7> shown;
};

class ShowWireRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ShowWireRecordTest, WritesTheSevenBoxesThroughTheirPatterns) {
    std::vector<std::unique_ptr<QLineEdit>> owned;
    QList<QLineEdit*> boxes;
    for (int i = 0; i < 8; ++i) {
        owned.push_back(std::make_unique<QLineEdit>(QStringLiteral("untouched")));
        boxes.push_back(owned.back().get());
    }
    ShowWireRecord(GetParam().record, boxes);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(boxes[i]->text(), QLatin1String(GetParam().shown[i])) << i;
    EXPECT_EQ(boxes[7]->text(), QStringLiteral("untouched")) << "only Text1(0)..Text1(6)";
}

INSTANTIATE_TEST_SUITE_P(
    Records, ShowWireRecordTest,
    ::testing::Values(
        RecordCase{WireRecord{}, {"0.00", "0", "0.0000", "0.00", "0.0", "0.0", "0"}},
        RecordCase{WireRecord{"x", 18.2f, 18.25f, 160.0f, 0.6f, 18.0f, 9000.0f, 1500.0f},
                   {"18.00", "9000", "0.6000", "160.00", "18.2", "18.3", "1500"}},
        RecordCase{WireRecord{"x", 18.29f, 18.29f, 198.1f, 0.60123f, 19.2f, 8902.4f, 2557.5f},
                   {"19.20", "8902", "0.6012", "198.10", "18.3", "18.3", "2558"}},
        RecordCase{WireRecord{"x", -1.0f, 123456.0f, 0.005f, 12.34567f, 0.004f, 0.5f, 99999.0f},
                   {"0.00", "1", "12.3457", "0.01", "-1.0", "123456.0", "99999"}}),
    [](const ::testing::TestParamInfo<RecordCase>& info) { return "Record" + std::to_string(info.index); });

} // namespace
} // namespace orvalt::test
