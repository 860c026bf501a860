// How the plots look, in one place: the face of their text, sized in pixels
// so that a printed or saved plot keeps the proportions of the window's, and
// their value axes.
#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QString>
#include <QValueAxis>

#include "ui/base/fonts.h"

namespace orvalt {

inline constexpr int kLabelPixels = 12; // tick labels, legend
inline constexpr int kTitlePixels = 13; // axis titles

inline QFont PlotFont(int pixels) {
    QFont font = EntryFont(9.0);
    font.setPixelSize(pixels);
    return font;
}

// A value axis titled `title` (with its unit), plain number labels and a
// light grid; its owner sets the range.
inline QValueAxis* NewPlotAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(PlotFont(kTitlePixels));
    axis->setLabelsFont(PlotFont(kLabelPixels));
    axis->setLabelFormat(QStringLiteral("%g"));
    QPen grid(QColor(0xd4, 0xd4, 0xd4));
    grid.setWidthF(0.8);
    axis->setGridLinePen(grid);
    return axis;
}

} // namespace orvalt
