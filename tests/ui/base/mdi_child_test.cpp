// Placing child windows in the MDI area: centring ((client size - outer
// size) / 2, halves away from zero, not clamped to the area), and a sized
// window kept wholly inside the area.
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

TEST_F(CenterTest, ASizedWindowIsMovedIntoTheAreaAndNoLargerThanIt) {
    QMdiSubWindow* first = ChildOfSize(QSize(200, 100));
    first->move(Client().width() - 150, Client().height() - 50);

    auto* wide = new QWidget;
    QMdiSubWindow* sub = area_.addSubWindow(wide);
    sub->move(Client().width() - 300, 40);
    SizeChildWindow(&area_, *sub, QSize(500, 300));
    EXPECT_EQ(sub->size(), QSize(500, 300));
    EXPECT_EQ(sub->pos(), QPoint(Client().width() - 500, 40)) << "moved left just enough";

    auto* huge = new QWidget;
    QMdiSubWindow* big = area_.addSubWindow(huge);
    big->move(80, 90);
    SizeChildWindow(&area_, *big, Client() + QSize(400, 400));
    EXPECT_EQ(big->size(), Client());
    EXPECT_EQ(big->pos(), QPoint(0, 0));
}

} // namespace
} // namespace orvalt::test
