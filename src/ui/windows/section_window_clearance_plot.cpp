#include "ui/windows/section_window_clearance_plot.h"

#include <QPaintDevice>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "ui/base/plot_style.h"
#include "ui/base/result_marks.h"

namespace orvalt {

namespace {

const QColor kGroundLine(0x7a, 0x52, 0x2a);
const QColor kGroundFill(0xf1, 0xe6, 0xd2);
const QColor kPole(0x40, 0x40, 0x40);
const QColor kCrossing(0x1f, 0x4e, 0x9c);
const QColor kWire(0x2c, 0xa0, 0x2c); // the profile's 検討条件 green
const QColor kLeast(0x30, 0x30, 0x30);
const QColor kGrid(0xd4, 0xd4, 0xd4);

// The least of `factors` times a power of ten that is not below `value`.
double RoundUp(double value, std::initializer_list<double> factors) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double factor : factors)
        if (factor * power >= value * (1.0 - 1e-9)) return factor * power;
    return 10.0 * power;
}

// Tick steps: 1, 2 or 5 times a power of ten.
constexpr std::initializer_list<double> kTickFactors = {1.0, 2.0, 5.0, 10.0};
// A drawing's scales, as a drawing office letters them (1:1500, 1:2500...).
constexpr std::initializer_list<double> kScaleFactors = {1.0, 1.5, 2.0, 2.5, 3.0,
                                                         4.0, 5.0, 6.0, 8.0, 10.0};

// 1, 2 or 5 times a power of ten, the greatest not above `value` (>= 1).
double RoundDown(double value) {
    if (!(value > 1.0)) return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double factor : {5.0, 2.0, 1.0})
        if (factor * power <= value * (1.0 + 1e-9)) return factor * power;
    return power;
}

struct Extent {
    double length = 1.0;
    double low = 0.0, high = 1.0;
};

Extent ExtentOf(const ClearanceDrawing& d) {
    Extent e;
    e.length = std::max(1.0, d.supports.back().distance);
    e.low = d.supports.front().ground;
    e.high = e.low;
    const auto take = [&e](double z) {
        e.low = std::min(e.low, z);
        e.high = std::max(e.high, z);
    };
    for (const QPointF& p : d.ground) take(p.y());
    for (const QPointF& p : d.wire) take(p.y());
    for (const auto& s : d.supports) {
        take(s.ground);
        take(s.clamp);
    }
    for (const auto& c : d.crossings) {
        take(c.elevation);
        take(c.elevation + c.required);
    }
    const double pad = std::max(0.5, (e.high - e.low) * 0.06);
    e.low -= pad;
    e.high += pad;
    return e;
}

// The font unit of a drawing in `area`: the plot style's on a window, in
// proportion on a page.
int FontPixels(const QRectF& area) {
    return std::max(kLabelPixels, static_cast<int>(area.height() / 34.0));
}

// The plot area inside `area`, room left for the labels.
QRectF PlotArea(const QRectF& area) {
    const double u = FontPixels(area);
    return area.adjusted(6.6 * u, 3.9 * u, -1.5 * u, -3.4 * u);
}

struct Frame {
    QRectF plot;
    double x0 = 0.0, y0 = 0.0; // the values at the plot's bottom left
    double sx = 1.0, sy = 1.0; // device units per metre
    ProfileScale scale;
    QPointF at(double distance, double elevation) const {
        return {plot.left() + (distance - x0) * sx, plot.bottom() - (elevation - y0) * sy};
    }
};

Frame FrameOf(const ClearanceDrawing& d, const QRectF& area, bool roundScale, double dpi) {
    Frame f;
    f.plot = PlotArea(area);
    const Extent e = ExtentOf(d);
    const double width = std::max(1.0, f.plot.width()), height = std::max(1.0, f.plot.height());
    // A little room beyond the end supports, so that their poles show.
    const double drawn = e.length * 1.04;
    f.sx = width / drawn;
    if (roundScale && dpi > 0.0) {
        const double dotsPerMm = dpi / 25.4;
        const double n = RoundUp(drawn * 1000.0 / (width / dotsPerMm), kScaleFactors);
        f.sx = dotsPerMm * 1000.0 / n;
        f.scale.horizontal = n;
        f.plot.setWidth(drawn * f.sx); // the frame ends with the section
    }
    const double most = (height / (e.high - e.low)) / f.sx;
    if (most < 1.0) { // too tall to draw even at 1:1: the heights decide
        f.sx = height / (e.high - e.low);
        f.scale.horizontal = 0.0;
    }
    f.scale.exaggeration = RoundDown(most);
    f.sy = f.sx * f.scale.exaggeration;
    f.x0 = -e.length * 0.02;
    f.y0 = (e.low + e.high) / 2.0 - height / f.sy / 2.0;
    return f;
}

double TickStep(double span, double intervals) { return RoundUp(span / intervals, kTickFactors); }

QString Metres(double value) { return QString::number(value, 'f', 2); }

void DrawAxes(QPainter& p, const Frame& f, double u) {
    QPen grid(kGrid);
    grid.setWidthF(std::max(0.8, u / 15.0));
    const QFont font = PlotFont(static_cast<int>(u));
    p.setFont(font);
    const double xMax = f.x0 + f.plot.width() / f.sx;
    const double xStep = TickStep(xMax - f.x0, 8.0);
    for (double x = std::ceil(f.x0 / xStep) * xStep; x <= xMax + 1e-9; x += xStep) {
        const QPointF at = f.at(x, f.y0);
        p.setPen(grid);
        p.drawLine(QPointF(at.x(), f.plot.top()), QPointF(at.x(), f.plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(at.x() - 3.0 * u, f.plot.bottom() + 0.2 * u, 6.0 * u, 1.3 * u),
                   Qt::AlignHCenter | Qt::AlignTop, QString::number(x, 'g', 6));
    }
    const double yMax = f.y0 + f.plot.height() / f.sy;
    const double yStep = TickStep(yMax - f.y0, 6.0);
    for (double y = std::ceil(f.y0 / yStep) * yStep; y <= yMax + 1e-9; y += yStep) {
        const QPointF at = f.at(f.x0, y);
        p.setPen(grid);
        p.drawLine(QPointF(f.plot.left(), at.y()), QPointF(f.plot.right(), at.y()));
        p.setPen(Qt::black);
        p.drawText(QRectF(f.plot.left() - 4.8 * u, at.y() - 0.7 * u, 4.5 * u, 1.4 * u),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(y, 'g', 6));
    }
    p.setPen(QPen(Qt::black, std::max(1.0, u / 12.0)));
    p.drawRect(f.plot);
    p.setFont(PlotFont(static_cast<int>(u * kTitlePixels / kLabelPixels)));
    p.drawText(QRectF(f.plot.left(), f.plot.bottom() + 1.6 * u, f.plot.width(), 1.6 * u),
               Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("距離 [m]"));
    p.save();
    p.translate(f.plot.left() - 5.0 * u, f.plot.center().y());
    p.rotate(-90.0);
    p.drawText(QRectF(-f.plot.height() / 2.0, -1.5 * u, f.plot.height(), 1.5 * u),
               Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("標高 [m]"));
    p.restore();
}

void DrawGround(QPainter& p, const Frame& f, const ClearanceDrawing& d, double u) {
    QPolygonF line;
    for (const QPointF& g : d.ground) line << f.at(g.x(), g.y());
    if (line.size() < 2) return;
    QPolygonF fill = line;
    fill << QPointF(line.back().x(), f.plot.bottom()) << QPointF(line.front().x(), f.plot.bottom());
    p.setPen(Qt::NoPen);
    p.setBrush(kGroundFill);
    p.drawPolygon(fill);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGroundLine, u * kCurvePenWidth / kLabelPixels));
    p.drawPolyline(line);
}

void DrawSupports(QPainter& p, const Frame& f, const ClearanceDrawing& d, double u) {
    p.setPen(QPen(kPole, u / 4.0, Qt::SolidLine, Qt::FlatCap));
    for (const auto& s : d.supports) p.drawLine(f.at(s.distance, s.ground), f.at(s.distance, s.clamp));
    p.setBrush(Qt::white);
    p.setPen(QPen(kPole, u / 10.0));
    for (const auto& s : d.supports) p.drawEllipse(f.at(s.distance, s.clamp), u / 4.0, u / 4.0);
    p.setBrush(Qt::NoBrush);
}

void DrawCrossings(QPainter& p, const Frame& f, const ClearanceDrawing& d, double u) {
    p.setFont(PlotFont(static_cast<int>(u * 0.85)));
    for (const auto& c : d.crossings) {
        const QPointF top = f.at(c.distance, c.elevation);
        const QPointF need = f.at(c.distance, c.elevation + c.required);
        p.setPen(Qt::NoPen);
        p.setBrush(kCrossing);
        p.drawRect(QRectF(top.x() - u / 3.0, top.y() - u / 3.0, u / 1.5, u / 1.5));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kCrossing, u / 12.0, Qt::DashLine));
        p.drawLine(top, need);
        p.setPen(QPen(kCrossing, u / 6.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(need.x() - 1.1 * u, need.y()), QPointF(need.x() + 1.1 * u, need.y()));
        p.setPen(kCrossing);
        p.drawText(QRectF(need.x() + 1.2 * u, need.y(), 12.0 * u, 1.2 * u),
                   Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("%1 必要 %2 m").arg(c.kind, Metres(c.required)));
    }
}

void DrawWire(QPainter& p, const Frame& f, const ClearanceDrawing& d, double u) {
    QPolygonF line;
    for (const QPointF& w : d.wire) line << f.at(w.x(), w.y());
    p.setPen(QPen(kWire, u * kCurvePenWidth / kLabelPixels));
    p.drawPolyline(line);
}

void DrawSpots(QPainter& p, const Frame& f, const ClearanceDrawing& d, double u) {
    const QColor fails = MarkStyle(ResultMark::NotAllowed).colour;
    const QColor failsLine = fails.darker(220);
    p.setFont(PlotFont(static_cast<int>(u)));
    for (const auto& s : d.spots) {
        const QPointF top = f.at(s.distance, s.wire), bottom = f.at(s.distance, s.bottom);
        const QColor line = s.ok ? kLeast : failsLine;
        p.setPen(QPen(line, u / 8.0));
        p.drawLine(top, bottom);
        p.setBrush(s.ok ? QColor(Qt::white) : fails);
        p.drawEllipse(top, u / 2.5, u / 2.5);
        const QString text = (s.ok ? QStringLiteral("最小 %1 m") : QStringLiteral("不可 %1 m"))
                                 .arg(Metres(s.wire - s.bottom));
        const QRectF box(top.x() - 4.0 * u, top.y() - 2.9 * u, 8.0 * u, 1.4 * u);
        p.setBrush(s.ok ? QColor(Qt::white) : fails);
        p.setPen(QPen(line, u / 12.0));
        p.drawRect(box);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, text);
    }
    p.setBrush(Qt::NoBrush);
}

// Above the plot, in one or two rows: what each line is.
void DrawLegend(QPainter& p, const Frame& f, const ClearanceDrawing& d, double u) {
    p.setFont(PlotFont(static_cast<int>(u)));
    double y = f.plot.top() - 3.4 * u;
    double x = f.plot.left();
    const auto item = [&](const QColor& colour, const QString& text, bool box) {
        const double needed =
            (box ? 1.1 : 1.9) * u + p.fontMetrics().horizontalAdvance(text) + 1.2 * u;
        if (x > f.plot.left() && x + needed > f.plot.right()) {
            x = f.plot.left();
            y += 1.6 * u;
        }
        if (box) {
            p.setPen(QPen(colour.darker(220), u / 12.0));
            p.setBrush(colour);
            p.drawRect(QRectF(x, y + 0.3 * u, 0.8 * u, 0.8 * u));
            p.setBrush(Qt::NoBrush);
        } else {
            p.setPen(QPen(colour, u / 5.0));
            p.drawLine(QPointF(x, y + 0.7 * u), QPointF(x + 1.6 * u, y + 0.7 * u));
        }
        x += (box ? 1.1 : 1.9) * u;
        p.setPen(Qt::black);
        const double width = p.fontMetrics().horizontalAdvance(text) + 1.2 * u;
        p.drawText(QRectF(x, y, width, 1.4 * u), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += width;
    };
    item(kGroundLine, QStringLiteral("地表"), false);
    item(kPole, QStringLiteral("支持点"), false);
    item(kCrossing, QStringLiteral("横断物と必要な高さ"), false);
    item(kWire, d.wireName, false);
    // The 不可 mark is named only where the drawing shows one.
    const bool fails = std::any_of(d.spots.begin(), d.spots.end(),
                                   [](const ClearanceDrawing::Spot& s) { return !s.ok; });
    if (fails)
        item(MarkStyle(ResultMark::NotAllowed).colour, MarkStyle(ResultMark::NotAllowed).text, true);
    else if (!d.spots.empty())
        item(Qt::white, QStringLiteral("最小離隔"), true);
}

} // namespace

ProfileScale ClearanceProfileScale(const ClearanceDrawing& drawing, const QRectF& area,
                                   bool roundScale, double dotsPerInch) {
    if (drawing.empty()) return {};
    return FrameOf(drawing, area, roundScale, dotsPerInch).scale;
}

ProfileScale DrawClearanceProfile(QPainter& painter, const QRectF& area,
                                  const ClearanceDrawing& drawing, bool roundScale) {
    if (drawing.empty()) return {};
    const double dpi = painter.device() != nullptr ? painter.device()->logicalDpiX() : 96.0;
    const Frame f = FrameOf(drawing, area, roundScale, dpi);
    const double u = FontPixels(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    DrawAxes(painter, f, u);
    painter.setClipRect(f.plot);
    DrawGround(painter, f, drawing, u);
    DrawSupports(painter, f, drawing, u);
    DrawWire(painter, f, drawing, u);
    DrawSpots(painter, f, drawing, u);
    // Over the marks: a required height close to the wire stays in sight.
    DrawCrossings(painter, f, drawing, u);
    painter.setClipping(false);
    DrawLegend(painter, f, drawing, u);
    painter.setPen(Qt::black);
    painter.setFont(PlotFont(static_cast<int>(u)));
    painter.drawText(QRectF(f.plot.left(), f.plot.bottom() + 1.6 * u, f.plot.width(), 1.6 * u),
                     Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("縦は横の %1 倍に拡大").arg(f.scale.exaggeration, 0, 'g', 6));
    painter.restore();
    return f.scale;
}

ClearanceProfilePlot::ClearanceProfilePlot(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pltClearance"));
    setMinimumHeight(220);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void ClearanceProfilePlot::showDrawing(ClearanceDrawing drawing) {
    drawing_ = std::move(drawing);
    update();
}

void ClearanceProfilePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (drawing_.empty()) {
        painter.drawText(rect(), Qt::AlignCenter,
                         QStringLiteral("地盤が入力された区間を計算すると、ここに縦断が描かれます"));
        return;
    }
    DrawClearanceProfile(painter, QRectF(rect()), drawing_, false);
}

} // namespace orvalt
