// The program's icon comes from its own resources and draws at the sizes a
// title bar, a task bar and a menu ask for: a missing resource or a missing
// SVG plug-in gives a null pixmap, and Qt's logo would show instead.
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "ui/base/program_icon.h"

namespace orvalt::test {
namespace {

TEST(ProgramIcon, DrawsAtEverySizeAWindowAsksFor) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 64, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_FALSE(image.isNull()) << size;
        EXPECT_EQ(image.width(), size);
        // The corners are outside the rounded frame (transparent), the middle
        // is painted.
        EXPECT_LT(qAlpha(image.pixel(0, 0)), 64) << size;
        EXPECT_GT(qAlpha(image.pixel(size / 2, size / 2)), 0) << size;
    }
}

} // namespace
} // namespace orvalt::test
