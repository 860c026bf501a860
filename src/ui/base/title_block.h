// The title block of a printed or saved drawing: a framed band across the
// top of the page naming the case, the wire and the conditions, with the
// date on the right, as a drawing office would letter it.
#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace orvalt {

struct TitleBlock {
    QString heading;    // the case's title, or what the drawing is
    QString drawing;    // "区間計算 縦断図"
    QString wire;       // "電線 計算例2"
    QString conditions; // "高温季 15℃・低温季 -15℃・検討条件 90℃"
    QString date;       // "2026-12-08"
};

// Draws `block` across the top of `page` and returns the part of the page
// below it, for the drawing itself.
QRectF DrawTitleBlock(QPainter& painter, const QRectF& page, const TitleBlock& block);

} // namespace orvalt
