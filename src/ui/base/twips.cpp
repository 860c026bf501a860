// Twips to pixels through the logical DPI of the primary screen. Every window
// layout of the program passes through here, so a high-DPI screen scales the
// whole program alike.
#include "ui/base/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace orvalt {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double LogicalDpi() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double dpi = screen->logicalDotsPerInchY();
        if (dpi > 0.0) return dpi;
    }
    return 96.0; // no screen yet: the common desktop value
}

} // namespace

int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips * LogicalDpi() / kTwipsPerInch));
}

QRect TwipsRect(double left, double top, double width, double height) {
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                 TwipsToPixels(height));
}

QSize TwipsSize(double width, double height) {
    return QSize(TwipsToPixels(width), TwipsToPixels(height));
}

} // namespace orvalt
