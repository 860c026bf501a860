// Centring a child window in the MDI area: (client size - outer size) / 2,
// halves away from zero, and not clamped to the area.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include "ui/base/mdi_child.h"

namespace orvalt::test {
namespace {

class CenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        area_.resize(1000, 700);
        area_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area_));
    }

    // A child window whose frame has the outer size `outer`.
    QMdiSubWindow* ChildOfSize(QSize outer) {
        QMdiSubWindow* sub = area_.addSubWindow(new QWidget);
        sub->show();
        sub->resize(outer);
        return sub;
    }

    QSize Client() const { return area_.viewport()->size(); }

    QMdiArea area_;
};

TEST_F(CenterTest, PlacesTheOuterWindowInTheMiddleOfTheArea) {
    QMdiSubWindow* sub = ChildOfSize(Client() - QSize(300, 100));
    CenterInArea(&area_, sub->widget());
    EXPECT_EQ(sub->pos(), QPoint(150, 50));
    // Half a pixel left over goes to the left and top margin: halves round
    // away from zero.
    sub->resize(Client() - QSize(301, 99));
    CenterInArea(&area_, sub->widget());
    EXPECT_EQ(sub->pos(), QPoint(151, 50));
}

TEST_F(CenterTest, AWindowWiderThanTheAreaSticksOutOnBothSides) {
    QMdiSubWindow* sub = ChildOfSize(QSize(Client().width() + 200, Client().height() + 60));
    CenterInArea(&area_, sub->widget());
    EXPECT_EQ(sub->x(), -100);
    EXPECT_EQ(sub->y(), -30);
}

} // namespace
} // namespace orvalt::test
