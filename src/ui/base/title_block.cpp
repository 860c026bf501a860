#include "ui/base/title_block.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>

#include "ui/base/fonts.h"

namespace orvalt {

QRectF DrawTitleBlock(QPainter& painter, const QRectF& page, const TitleBlock& block) {
    painter.save();
    // Sizes follow the page, so a 50 dpi test page and a 600 dpi printer
    // page look alike.
    const double line = page.height() / 28.0;
    QFont big = FormFont();
    big.setPixelSize(std::max(1, static_cast<int>(line * 0.9)));
    QFont small = big;
    small.setPixelSize(std::max(1, static_cast<int>(line * 0.6)));
    const QRectF band(page.left(), page.top(), page.width(), line * 2.2);
    painter.setPen(QPen(Qt::black, std::max(1.0, line / 20.0)));
    painter.drawRect(band);
    const double pad = line * 0.3;
    painter.setFont(big);
    painter.drawText(QRectF(band.left() + pad, band.top(), band.width() * 0.6, line * 1.2),
                     Qt::AlignLeft | Qt::AlignVCenter, block.heading);
    painter.setFont(small);
    painter.drawText(
        QRectF(band.left() + band.width() * 0.6, band.top(), band.width() * 0.4 - pad, line * 1.2),
        Qt::AlignRight | Qt::AlignVCenter, block.drawing + QStringLiteral("　") + block.date);
    painter.drawText(
        QRectF(band.left() + pad, band.top() + line * 1.2, band.width() - 2 * pad, line * 0.9),
        Qt::AlignLeft | Qt::AlignVCenter, block.wire + QStringLiteral("　　") + block.conditions);
    painter.restore();
    return QRectF(page.left(), band.bottom() + pad, page.width(),
                  page.bottom() - band.bottom() - pad);
}

} // namespace orvalt
