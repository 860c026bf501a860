// Saving a drawing (the graph window's plots) as a picture file: a PNG image
// of a given pixel size, or a one-page PDF of the same proportions in which
// lines and text stay sharp at any zoom. The file is written whole or not
// at all (QSaveFile), so a failed save leaves an existing file as it was.
#pragma once

#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QPainter;

namespace orvalt {

// Paints into `target`, given in the painter's device units.
using DrawingFunction = std::function<void(QPainter&, const QRectF&)>;

// Writes the drawing to `path`, chosen by its extension (either case):
//   ".png"  an image of `size` pixels on white;
//   ".pdf"  one page of `size` at 96 pixels per inch (1000 x 700 pixels is
//           a page of 264.6 x 185.2 mm), drawn at 300 dots per inch.
// nullopt when written; otherwise the reason, for the user, in Japanese.
std::optional<QString> SaveDrawingAsImage(const QString& path, QSize size,
                                          const DrawingFunction& draw);

} // namespace orvalt
