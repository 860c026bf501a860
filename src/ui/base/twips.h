// Window geometry is given in twips (1440 per inch), as the windows were
// drawn; these turn it into pixels at the screen's logical DPI.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvalt {

// Pixels for a length in twips at the screen's logical DPI.
int TwipsToPixels(double twips);
QRect TwipsRect(double left, double top, double width, double height);
QSize TwipsSize(double width, double height);

} // namespace orvalt
