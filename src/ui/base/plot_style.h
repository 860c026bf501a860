// How the plots look, in one place: the face of their text, sized in pixels
// so that a printed or saved plot keeps the proportions of the window's.
#pragma once

#include <QFont>

#include "ui/base/fonts.h"

namespace orvalt {

inline QFont PlotFont(int pixels) {
    QFont font = EntryFont(9.0);
    font.setPixelSize(pixels);
    return font;
}

} // namespace orvalt
