// The profile of the 離隔 page: the ground, the supports as poles from their
// ground to the clamp, the crossings with their required heights as short
// marks above them, the wire of the governing load condition (the exact
// curve the clearance check measures), and a mark at every clearance that
// fails (不可, in the result marks' colour) or, when none fails, at the least
// one. Heights are drawn a round number of times larger than distances
// (縦は横の 10 倍), stated on the drawing; drawn on a page, the distances are
// at a round scale (1:2000) as well, which the title block states.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <vector>

class QPainter;

namespace orvalt {

struct ClearanceDrawing {
    struct Support {
        double distance = 0.0; // [m] from the first support
        double ground = 0.0;   // [m] elevation of its ground
        double clamp = 0.0;    // [m] elevation of the wire's clamp
    };
    struct Crossing {
        double distance = 0.0;
        double elevation = 0.0; // its surface or top
        double required = 0.0;  // [m] above it
        QString kind;
    };
    // A clearance marked: from `bottom` (ground or crossing) up to the wire.
    struct Spot {
        double distance = 0.0;
        double bottom = 0.0;
        double wire = 0.0;
        bool ok = true;
    };
    std::vector<QPointF> ground; // (distance, elevation), in order of distance
    std::vector<Support> supports;
    std::vector<Crossing> crossings;
    std::vector<QPointF> wire;
    QString wireName; // "電線（検討条件 90℃）"
    std::vector<Spot> spots;

    bool empty() const { return supports.size() < 2; }
};

// How a drawing is scaled into its area.
struct ProfileScale {
    double exaggeration = 1.0; // heights drawn this many times the distances
    double horizontal = 0.0;   // 1 : horizontal on a page; 0 when not round
};

// The scale DrawClearanceProfile uses for `drawing` in `area`; with
// `roundScale`, distances at a round 1:N on a device of `dotsPerInch`.
ProfileScale ClearanceProfileScale(const ClearanceDrawing& drawing, const QRectF& area,
                                   bool roundScale, double dotsPerInch);

// Draws `drawing` into `area` (axes, legend and the statement of the
// exaggeration inside it) and returns the scale it used.
ProfileScale DrawClearanceProfile(QPainter& painter, const QRectF& area,
                                  const ClearanceDrawing& drawing, bool roundScale);

class ClearanceProfilePlot final : public QWidget {
    Q_OBJECT

public:
    explicit ClearanceProfilePlot(QWidget* parent);

    void showDrawing(ClearanceDrawing drawing);
    const ClearanceDrawing& drawing() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ClearanceDrawing drawing_;
};

} // namespace orvalt
