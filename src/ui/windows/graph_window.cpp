#include "ui/windows/graph_window.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "engine/case/case_document.h"
#include "engine/number/number_text.h"
#include "engine/number/result_columns.h"
#include "engine/number/table_patterns.h"
#include "engine/output/long_span_check.h"
#include "ui/base/field_check_view.h"
#include "ui/base/fonts.h"
#include "ui/base/mdi_child.h"
#include "ui/base/plot_style.h"
#include "ui/base/printing.h"
#include "ui/base/text.h"
#include "ui/base/window_host.h"

namespace orvalt {

namespace {

// Plot text is sized in plot pixels, not points: printed and exported plots
// are drawn at a scale, which a point size would take again on top.
constexpr int kCaptionPixels = 16;
constexpr double kLinePenWidth = 1.2;
constexpr double kScreenDpi = 96.0;
const QMargins kChartMargins(6, 4, 10, 4);
// Until its first layout gives a plot a width, its curves have this many columns.
constexpr int kColumnsBeforeLayout = 1024;

// Per load condition: warm for high season, cold for the iced low, green for study.
const std::array<QColor, 3> kConditionColours = {QColor(0xd6, 0x27, 0x28), QColor(0x1f, 0x77, 0xb4),
                                                 QColor(0x2c, 0xa0, 0x2c)};
const QColor kCriticalSpanColour(0x40, 0x40, 0x40);
const QColor kMaxTensionColour(0xe0, 0x7b, 0x00);
constexpr double kHeadroom = 1.08;

enum class Quantity { Sag, Tension };

QString Number(double value, std::string_view pattern) {
    return FromUtf8(FormatWithPattern(static_cast<float>(value), pattern));
}

QList<QPointF> ToPointList(const std::vector<CurvePoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const CurvePoint& p : points) list.append(QPointF(p.x, p.y));
    return list;
}

struct Range {
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    void include(double value) {
        if (!std::isfinite(value)) return;
        min = std::min(min, value);
        max = std::max(max, value);
    }
};

// A chart view that reports its resizes after the chart has followed them.
class PlotView final : public QChartView {
public:
    explicit PlotView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {}
    std::function<void()> resized;

protected:
    void resizeEvent(QResizeEvent* event) override {
        QChartView::resizeEvent(event);
        if (resized) resized();
    }
};

} // namespace

// One plot: chart, axes, curves, lines, and the points shown at its width.
struct frmGraph::Plot {
    Quantity quantity = Quantity::Sag;
    QChart* chart = nullptr;
    QValueAxis* xAxis = nullptr;
    QValueAxis* yAxis = nullptr;
    std::array<QLineSeries*, 3> series{};
    std::array<const Curve*, 3> curves{};
    std::array<std::vector<CurvePoint>, 3> shown;
    QLineSeries* criticalLine = nullptr;
    QGraphicsSimpleTextItem* criticalLabel = nullptr;
    QLineSeries* maxTensionLine = nullptr;
    QGraphicsSimpleTextItem* maxTensionLabel = nullptr;
    double pixelsPerUnit = 1.0; // device pixels per unit of the chart's geometry
    int columns = 0;            // the pixel columns the curves are thinned to

    // A new chart of `quantity`; the caller gives it a scene or a view.
    static std::unique_ptr<Plot> Build(const SpanCurves& curves, Quantity quantity,
                                       UnitSystem units) {
        auto plot = std::make_unique<Plot>();
        plot->quantity = quantity;
        plot->chart = new QChart;
        QChart* chart = plot->chart;
        StylePlainChart(*chart, Qt::AlignTop, kChartMargins);

        const bool sag = quantity == Quantity::Sag;
        plot->xAxis = NewPlotAxis(QStringLiteral("径間 [m]"));
        plot->yAxis = NewPlotAxis(
            sag ? QStringLiteral("弛度 [m]")
                : QStringLiteral("張力 ") + FromUtf8(BracketedUnit(ResultColumn::kTension, units)));
        chart->addAxis(plot->xAxis, Qt::AlignBottom);
        chart->addAxis(plot->yAxis, Qt::AlignLeft);
        plot->setRanges(curves);
        // The labelled lines first, so that the curves are drawn over them.
        plot->addLabelledLines(curves);
        plot->addCurves(sag ? curves.sag : curves.tension);
        plot->reduceTo(kColumnsBeforeLayout);

        Plot* raw = plot.get();
        QObject::connect(chart, &QChart::plotAreaChanged, chart, [raw](const QRectF& area) {
            raw->reduceTo(static_cast<int>(std::ceil(area.width() * raw->pixelsPerUnit)));
            raw->placeLabels();
        });
        return plot;
    }

    // Both axes from zero (sags and tensions read from zero) to the curves'
    // extent, with room above the maximum tension for its label.
    void setRanges(const SpanCurves& curves) {
        const bool sag = quantity == Quantity::Sag;
        Range xRange;
        Range yRange;
        yRange.include(0.0);
        for (const Curve& curve : curves.sag)
            for (const CurvePoint& p : curve.points) xRange.include(p.x);
        for (const Curve& curve : sag ? curves.sag : curves.tension)
            for (const CurvePoint& p : curve.points) yRange.include(p.y);
        if (!sag && curves.maxTension > 0.0) yRange.include(curves.maxTension * kHeadroom);
        SetNiceRange(xAxis, xRange.min, xRange.max);
        SetNiceRange(yAxis, yRange.min, yRange.max);
    }

    // The critical span on both plots and the maximum tension on the tension
    // plot, named on the plot itself, not in the legend.
    void addLabelledLines(const SpanCurves& curves) {
        if (curves.criticalSpan) {
            const double x = *curves.criticalSpan;
            criticalLine =
                addLine(FromUtf8(curves.criticalSpanLabel), kCriticalSpanColour, Qt::DashLine,
                        {QPointF(x, yAxis->min()), QPointF(x, yAxis->max())});
            criticalLabel = addLabel(FromUtf8(curves.criticalSpanLabel), kCriticalSpanColour);
        }
        if (quantity == Quantity::Tension && curves.maxTension > 0.0) {
            const double y = curves.maxTension;
            maxTensionLine =
                addLine(FromUtf8(curves.maxTensionLabel), kMaxTensionColour, Qt::DashDotLine,
                        {QPointF(xAxis->min(), y), QPointF(xAxis->max(), y)});
            maxTensionLabel = addLabel(FromUtf8(curves.maxTensionLabel), kMaxTensionColour);
        }
    }

    // One series per load condition, in the condition's colour.
    void addCurves(const std::array<Curve, 3>& source) {
        for (std::size_t c = 0; c < source.size(); ++c) {
            auto* line = new QLineSeries;
            line->setName(FromUtf8(source[c].name));
            QPen pen(kConditionColours[c]);
            pen.setWidthF(kCurvePenWidth);
            line->setPen(pen);
            series[c] = line;
            curves[c] = &source[c];
            chart->addSeries(line);
            line->attachAxis(xAxis);
            line->attachAxis(yAxis);
        }
    }

    QLineSeries* addLine(const QString& name, const QColor& colour, Qt::PenStyle style,
                         const QList<QPointF>& points) {
        auto* line = new QLineSeries;
        line->setName(name);
        QPen pen(colour);
        pen.setWidthF(kLinePenWidth);
        pen.setStyle(style);
        line->setPen(pen);
        line->replace(points);
        chart->addSeries(line);
        line->attachAxis(xAxis);
        line->attachAxis(yAxis);
        for (QLegendMarker* marker : chart->legend()->markers(line)) marker->setVisible(false);
        return line;
    }

    QGraphicsSimpleTextItem* addLabel(const QString& text, const QColor& colour) {
        auto* label = new QGraphicsSimpleTextItem(text, chart);
        label->setFont(PlotFont(kLabelPixels));
        label->setBrush(colour);
        label->setZValue(100.0);
        label->hide();
        return label;
    }

    // Thins every curve to `pixelColumns` columns over the x axis; nothing
    // to do when the width is the one the curves already have.
    void reduceTo(int pixelColumns) {
        if (pixelColumns <= 0 || pixelColumns == columns) return;
        columns = pixelColumns;
        for (std::size_t c = 0; c < series.size(); ++c) {
            shown[c] = ReduceForDisplay(curves[c]->points, xAxis->min(), xAxis->max(), columns);
            series[c]->replace(ToPointList(shown[c]));
        }
    }

    // The labels sit just inside the plot next to their lines: the critical
    // span's at the top, right of its line (left of it near the right edge);
    // the maximum tension's at the right end, above its line (below it near
    // the top).
    void placeLabels() const {
        const QRectF area = chart->plotArea();
        constexpr double kGap = 4.0;
        if (criticalLabel != nullptr) {
            const QPointF at = chart->mapToPosition(criticalLine->at(1), criticalLine);
            const QRectF box = criticalLabel->boundingRect();
            QPointF pos(at.x() + kGap, area.top() + kGap);
            if (pos.x() + box.width() > area.right()) pos.setX(at.x() - kGap - box.width());
            criticalLabel->setPos(pos);
            criticalLabel->setVisible(area.isValid() && at.x() >= area.left() - 0.5 &&
                                      at.x() <= area.right() + 0.5);
        }
        if (maxTensionLabel != nullptr) {
            const QPointF at = chart->mapToPosition(maxTensionLine->at(1), maxTensionLine);
            const QRectF box = maxTensionLabel->boundingRect();
            QPointF pos(area.right() - kGap - box.width(), at.y() - box.height() - 1.0);
            if (pos.y() < area.top()) pos.setY(at.y() + 1.0);
            maxTensionLabel->setPos(pos);
            maxTensionLabel->setVisible(area.isValid());
        }
    }

    // The shown point of curve `c` nearest on the screen to `value`.
    std::optional<CurvePoint> nearestShown(int c, QPointF value) const {
        if (c < 0 || c >= static_cast<int>(shown.size())) return std::nullopt;
        const std::vector<CurvePoint>& points = shown[static_cast<std::size_t>(c)];
        const QPointF perPixel = UnitsPerPixel(*chart, *xAxis, *yAxis);
        const auto nearest =
            NearestPoint(points, {value.x(), value.y()}, perPixel.x(), perPixel.y());
        if (!nearest) return std::nullopt;
        return points[*nearest];
    }

    int indexOf(const QXYSeries* curve) const {
        for (std::size_t c = 0; c < series.size(); ++c)
            if (series[c] == curve) return static_cast<int>(c);
        return -1;
    }
};

namespace {

// Lines up the span axes of the two plots: the plot whose area starts
// further left (its value labels are narrower) gets that much more margin,
// and the same on the right. The charts keep laying themselves out.
template <typename PlotT>
void AlignPlotAreas(PlotT& upper, PlotT& lower) {
    const auto layOut = [](QChart* chart, const QMargins& margins) {
        chart->setMargins(margins);
        if (chart->layout() != nullptr) chart->layout()->activate();
        return chart->plotArea();
    };
    const QRectF a = layOut(upper.chart, kChartMargins);
    const QRectF b = layOut(lower.chart, kChartMargins);
    if (a.isEmpty() || b.isEmpty()) return;
    QMargins upperMargins = kChartMargins;
    QMargins lowerMargins = kChartMargins;
    const int left = static_cast<int>(std::lround(b.left() - a.left()));
    const int right = static_cast<int>(std::lround(a.right() - b.right()));
    QMargins& shiftRight = left > 0 ? upperMargins : lowerMargins;
    shiftRight.setLeft(shiftRight.left() + std::abs(left));
    QMargins& shiftLeft = right > 0 ? upperMargins : lowerMargins;
    shiftLeft.setRight(shiftLeft.right() + std::abs(right));
    layOut(upper.chart, upperMargins);
    layOut(lower.chart, lowerMargins);
}

QString GraphCaption(const CalculationState& state) {
    return QStringLiteral("グラフ : ") + FromUtf8(state.currentWire.wireName) +
           FromUtf8(FormatPlainNumber(state.temperatureStudy)) + QStringLiteral("℃");
}

} // namespace

frmGraph::frmGraph(WindowHost& host, std::shared_ptr<const CalculationState> calculation)
    : host_(host),
      calculation_(std::move(calculation)),
      curves_(TensionsInUnits(CurvesOfResultTable(*calculation_), host.document().units())),
      units_(host.document().units()) {
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(GraphCaption(*calculation_));

    sag_ = Plot::Build(curves_, Quantity::Sag, units_);
    tension_ = Plot::Build(curves_, Quantity::Tension, units_);
    auto* sagView = new PlotView(sag_->chart, this);
    auto* tensionView = new PlotView(tension_->chart, this);
    sagView_ = sagView;
    tensionView_ = tensionView;
    sagView_->setObjectName(QStringLiteral("chvSag"));
    tensionView_->setObjectName(QStringLiteral("chvTension"));
    for (PlotView* view : {sagView, tensionView}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(240, 160);
        view->viewport()->installEventFilter(this);
        view->resized = [this] { alignPlots(); };
    }

    connectHovering(*sag_);
    connectHovering(*tension_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(sagView_, 1);
    layout->addWidget(tensionView_, 1);
    if (QLabel* note = LongSpanNoteLabel(LongSpanNote(*calculation_), this))
        layout->addWidget(note);
}

// The views (and the charts, whose signals reach the plots) go before the plots.
frmGraph::~frmGraph() {
    delete sagView_;
    delete tensionView_;
}

void frmGraph::connectHovering(const Plot& plot) {
    for (QLineSeries* series : plot.series) {
        connect(series, &QXYSeries::hovered, this,
                [this, series](const QPointF& value, bool entered) {
                    Series_Hovered(series, value, entered);
                });
    }
}

// The tension plot is built again from the curves in the new units and
// takes the old one's place in its view.
void frmGraph::showUnits(UnitSystem units) {
    if (units == units_) return;
    const SpanCurves converted =
        TensionsInUnits(CurvesOfResultTable(*calculation_), units);
    curves_.tension = converted.tension;
    curves_.maxTension = converted.maxTension;
    units_ = units;
    if (hovered_ != nullptr && tension_->indexOf(hovered_) >= 0) {
        hovered_ = nullptr;
        QToolTip::hideText();
    }
    std::unique_ptr<Plot> old = std::move(tension_);
    tension_ = Plot::Build(curves_, Quantity::Tension, units_);
    tensionView_->setChart(tension_->chart); // the view lets go of the old chart
    delete old->chart;
    connectHovering(*tension_);
    alignPlots();
}

QChartView* frmGraph::sagView() const { return sagView_; }
QChartView* frmGraph::tensionView() const { return tensionView_; }
QChart* frmGraph::sagChart() const { return sag_->chart; }
QChart* frmGraph::tensionChart() const { return tension_->chart; }

QLineSeries* frmGraph::sagSeries(int condition) const {
    return condition >= 0 && condition < 3 ? sag_->series[static_cast<std::size_t>(condition)]
                                           : nullptr;
}

QLineSeries* frmGraph::tensionSeries(int condition) const {
    return condition >= 0 && condition < 3 ? tension_->series[static_cast<std::size_t>(condition)]
                                           : nullptr;
}

QLineSeries* frmGraph::criticalSpanLine(bool onTensionPlot) const {
    return onTensionPlot ? tension_->criticalLine : sag_->criticalLine;
}

QLineSeries* frmGraph::maxTensionLine() const { return tension_->maxTensionLine; }

const frmGraph::Plot* frmGraph::plotOf(const QXYSeries* series) const {
    for (const Plot* plot : {sag_.get(), tension_.get()})
        if (plot->indexOf(series) >= 0) return plot;
    return nullptr;
}

QString frmGraph::pointText(const QXYSeries* series, QPointF value) const {
    const Plot* plot = plotOf(series);
    if (plot == nullptr) return {};
    const int c = plot->indexOf(series);
    const std::optional<CurvePoint> p = plot->nearestShown(c, value);
    if (!p) return {};
    const bool sag = plot->quantity == Quantity::Sag;
    return FromUtf8(plot->curves[static_cast<std::size_t>(c)]->name) + QStringLiteral("\n径間 ") +
           Number(p->x, table_pattern::kSpan) + QStringLiteral(" m\n") +
           (sag ? QStringLiteral("弛度 ") + Number(p->y, table_pattern::kSag) + QStringLiteral(" m")
                : QStringLiteral("張力 ") +
                      Number(p->y, ColumnPattern(ResultColumn::kTension, units_)) +
                      QStringLiteral(" ") + FromUtf8(std::string(ColumnUnit(ResultColumn::kTension, units_))));
}

void frmGraph::Series_Hovered(QXYSeries* series, QPointF value, bool entered) {
    const Plot* plot = plotOf(series);
    if (plot == nullptr) return;
    if (entered) {
        hovered_ = series;
        showPointTip(*plot, series, value);
    } else if (hovered_ == series) {
        hovered_ = nullptr;
        QToolTip::hideText();
    }
}

// Shows the text of the nearest stored point at that point itself.
void frmGraph::showPointTip(const Plot& plot, QXYSeries* series, QPointF value) {
    const QString text = pointText(series, value);
    const std::optional<CurvePoint> p = plot.nearestShown(plot.indexOf(series), value);
    if (text.isEmpty() || !p) return;
    QChartView* view = &plot == sag_.get() ? sagView_ : tensionView_;
    ShowPointTip(*view, series, QPointF(p->x, p->y), text);
}

// While the mouse is on a curve, the tip follows it from point to point.
bool frmGraph::eventFilter(QObject* watched, QEvent* event) {
    if (hovered_ != nullptr && event->type() == QEvent::MouseMove) {
        const Plot* plot = plotOf(hovered_);
        QChartView* view = plot == sag_.get() ? sagView_ : tensionView_;
        if (plot != nullptr && watched == view->viewport()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            const QPointF inChart =
                plot->chart->mapFromScene(view->mapToScene(move->position().toPoint()));
            showPointTip(*plot, hovered_, plot->chart->mapToValue(inChart, hovered_));
        }
    } else if (event->type() == QEvent::Leave) {
        hovered_ = nullptr;
    }
    return QWidget::eventFilter(watched, event);
}

void frmGraph::alignPlots() {
    for (Plot* plot : {sag_.get(), tension_.get()}) {
        QChartView* view = plot == sag_.get() ? sagView_ : tensionView_;
        plot->pixelsPerUnit = view->devicePixelRatioF();
    }
    AlignPlotAreas(*sag_, *tension_);
}

void frmGraph::renderPlots(QPainter& painter, const QRectF& target) const {
    if (target.isEmpty()) return;
    // Laid out in pixels of a 96 dpi screen, then scaled to the device: a
    // printed page gets the proportions of a window of the page's size.
    const QPaintDevice* device = painter.device();
    const double dpi =
        device != nullptr && device->logicalDpiX() > 0 ? device->logicalDpiX() : kScreenDpi;
    const double scale = dpi / kScreenDpi;
    const QSizeF size = target.size() / scale;
    constexpr double kMargin = 8.0;

    // The plots outlive the scene that owns their charts: the charts (and
    // their signals to the plots) go first.
    const std::unique_ptr<Plot> sag = Plot::Build(curves_, Quantity::Sag, units_);
    const std::unique_ptr<Plot> tension = Plot::Build(curves_, Quantity::Tension, units_);
    // Thinned to the device's own pixels, so that a 1200 dpi page keeps
    // every detail a 96 dpi window would drop.
    const double pixelsPerUnit = scale * std::max(std::abs(painter.worldTransform().m11()), 1e-6);
    sag->pixelsPerUnit = pixelsPerUnit;
    tension->pixelsPerUnit = pixelsPerUnit;

    QGraphicsScene scene;
    scene.setSceneRect(QRectF(QPointF(0.0, 0.0), size));
    QGraphicsSimpleTextItem* caption = scene.addSimpleText(windowTitle(), PlotFont(kCaptionPixels));
    caption->setPos(kMargin, kMargin);
    const double top = kMargin + caption->boundingRect().height() + kMargin / 2.0;
    const double half = std::max(1.0, (size.height() - top) / 2.0);
    scene.addItem(sag->chart);
    scene.addItem(tension->chart);
    sag->chart->setGeometry(QRectF(0.0, top, size.width(), half));
    tension->chart->setGeometry(QRectF(0.0, top + half, size.width(), half));
    AlignPlotAreas(*sag, *tension);

    scene.render(&painter, target, scene.sceneRect(), Qt::IgnoreAspectRatio);
}

void frmGraph::Form_Place(QMdiSubWindow& sub) {
    SizeChildWindow(host_.mdiArea(), sub, QSize(820, 760));
}

void frmGraph::print() {
    PrintPageWithDialog(
        host_.printService(), host_.messages(), host_.hostWidget(),
        [this](QPainter& painter, const QRectF& page) { renderPlots(painter, page); });
}

std::optional<ChildWindow::Image> frmGraph::image() const {
    return Image{[this](QPainter& painter, const QRectF& target) { renderPlots(painter, target); },
                 QStringLiteral("_グラフ")};
}

frmGraph* ShowGraphWindow(WindowHost& host, std::shared_ptr<const CalculationState> calculation) {
    return OpenChildWindow<frmGraph>(host, std::move(calculation));
}

} // namespace orvalt
