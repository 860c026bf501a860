// Twips (1440 per inch) to pixels through the screen's logical DPI, rounded
// to whole pixels, halves away from zero.
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSize>

#include <gtest/gtest.h>

#include <cmath>

#include "ui/base/twips.h"

namespace orvalt::test {
namespace {

double LogicalDpi() { return QGuiApplication::primaryScreen()->logicalDotsPerInchY(); }

TEST(TwipsTest, AnInchIsTheLogicalDpi) {
    const double dpi = LogicalDpi();
    EXPECT_EQ(TwipsToPixels(1440), static_cast<int>(std::lround(dpi)));
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(TwipsToPixels(-1440), -static_cast<int>(std::lround(dpi)));
}

// At the common 96 DPI (the test's X server and the offscreen platform) a
// pixel is 15 twips: the windows' sizes in whole pixels.
TEST(TwipsTest, LayoutSizesAt96DpiInWholePixels) {
    if (LogicalDpi() != 96.0) GTEST_SKIP() << "the screen has " << LogicalDpi() << " DPI, not 96";
    EXPECT_EQ(TwipsToPixels(15), 1);
    EXPECT_EQ(TwipsToPixels(7), 0);    // 0.47 pixel
    EXPECT_EQ(TwipsToPixels(8), 1);    // 0.53 pixel
    EXPECT_EQ(TwipsToPixels(22.5), 2); // 1.5 pixels: away from zero
    EXPECT_EQ(TwipsToPixels(-22.5), -2);
    EXPECT_EQ(TwipsRect(1440, 720, 2880, 360), QRect(96, 48, 192, 24));
    EXPECT_EQ(TwipsRect(2760, 4320, 1215, 495), QRect(184, 288, 81, 33)); // 条件設定's OK
    EXPECT_EQ(TwipsSize(5295, 4860), QSize(353, 324));                    // 条件設定
    EXPECT_EQ(TwipsSize(5190, 4005), QSize(346, 267));                    // 電線種類設定
}

} // namespace
} // namespace orvalt::test
