// The graph window and the chart window's temperature plot, in a host of the
// test's own (an MDI area in a main window, fake message and print
// services): the series hold the calculation's own numbers, the critical
// span and maximum tension lines sit where they belong or are absent, the
// axes hold every point, long tables are thinned to exact points, hovering
// names a point, and the plots reach PNG and PDF files.
//
// Known digits come from the worked examples' reports: the 50 mm wire over
// 100 to 400 m by 50 m (critical span 308.33 m) and the 18.2 mm wire over 100
// to 400 m by 10 m (no critical span).
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "engine/calculation/calculation.h"
#include "engine/calculation/curves.h"
#include "engine/number/number_format.h"
#include "engine/calculation/stringing_chart.h"
#include "support/fake_services.h"
#include "support/wire_records.h"
#include "ui/base/image_export.h"
#include "ui/base/printing.h"
#include "ui/base/window_host.h"
#include "ui/windows/chart_window_plot.h"
#include "ui/windows/graph_window.h"

namespace orvalt::test {
namespace {

// A host as small as a host can be: the child windows live in an MDI area
// that is the central widget of a main window.
class FakeHost final : public WindowHost {
public:
    FakeHost() {
        area_ = new QMdiArea;
        window_.setCentralWidget(area_);
        window_.resize(1400, 1000);
        window_.show();
    }

    CalculationState& state() override { return state_; }
    MessageService& messages() override { return messages_; }
    PrintService& printService() override { return printing_; }
    QWidget* hostWidget() override { return &window_; }
    QMdiArea* mdiArea() const override { return area_; }
    QMdiSubWindow* addChildWindow(QWidget* child) override {
        QMdiSubWindow* sub = area_->addSubWindow(child);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        return sub;
    }
    void setCommandEnabled(HostCommand command, bool enabled) override {
        commands[command] = enabled;
    }
    void setCaption(const QString& caption) override { window_.setWindowTitle(caption); }
    QString programFilePath(const QString& fileName) const override {
        return QDir::temp().filePath(fileName);
    }

    std::map<HostCommand, bool> commands;
    FakeMessageService messages_;
    FakePrintService printing_;

private:
    CalculationState state_;
    QMainWindow window_;
    QMdiArea* area_ = nullptr;
};

const WireRecord kWire50mm = WorkedExample2();
const WireRecord kWire18mm = WorkedExample1();

void Calculate(CalculationState& state, const WireRecord& wire, float start, float end,
               float step) {
    state.currentWire = wire;
    state.spanStart = start;
    state.spanEnd = end;
    state.spanStep = step;
    RunCalculation(state);
}

QString Digits(double value, const char* pattern) {
    return QString::fromStdString(FormatWithPattern(static_cast<float>(value), pattern));
}

void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

QValueAxis* Axis(QChart* chart, Qt::Orientation orientation) {
    const auto axes = chart->axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.first());
}

QStringList SeriesNames(QChart* chart) {
    QStringList names;
    for (QAbstractSeries* series : chart->series()) names << series->name();
    return names;
}

// The texts written on the plot itself (the labels of the lines).
std::vector<QGraphicsSimpleTextItem*> PlotTexts(QChart* chart) {
    std::vector<QGraphicsSimpleTextItem*> texts;
    for (QGraphicsItem* item : chart->childItems())
        if (auto* text = qgraphicsitem_cast<QGraphicsSimpleTextItem*>(item)) texts.push_back(text);
    return texts;
}

QGraphicsSimpleTextItem* PlotText(QChart* chart, const QString& text) {
    for (QGraphicsSimpleTextItem* item : PlotTexts(chart))
        if (item->text() == text) return item;
    return nullptr;
}

QStringList LegendNames(QChart* chart) {
    QStringList names;
    for (QLegendMarker* marker : chart->legend()->markers())
        if (marker->isVisible()) names << marker->label();
    return names;
}

class GraphWindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        QToolTip::hideText();
        host_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    frmGraph* open() {
        frmGraph* window = ShowGraphWindow(*host_, host_->state());
        Settle();
        return window;
    }

    std::unique_ptr<FakeHost> host_ = std::make_unique<FakeHost>();
};

TEST_F(GraphWindowTest, CaptionTagAndTheSeriesHoldTheTableOfTheReport) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    const CalculationState& state = host_->state();
    ASSERT_EQ(state.resultTable.size(), 7u);
    frmGraph* window = open();

    EXPECT_EQ(window->windowTitle(), QStringLiteral("グラフ : 計算例2 90℃"));
    EXPECT_EQ(window->objectName(), QStringLiteral("frmGraph"));
    EXPECT_EQ(window->property("tag").toString(), QStringLiteral("graph"));
    EXPECT_EQ(host_->mdiArea()->activeSubWindow()->widget(), window);

    const QString names[] = {QStringLiteral("高温季"), QStringLiteral("低温季"),
                             QStringLiteral("検討条件")};
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(names[c].toStdString());
        QLineSeries* sag = window->sagSeries(c);
        QLineSeries* tension = window->tensionSeries(c);
        ASSERT_NE(sag, nullptr);
        ASSERT_NE(tension, nullptr);
        EXPECT_EQ(sag->name(), names[c]);
        EXPECT_EQ(tension->name(), names[c]);
        ASSERT_EQ(sag->count(), 7);
        ASSERT_EQ(tension->count(), 7);
        for (int i = 0; i < 7; ++i) {
            const ConditionResult& block = state.resultTable[static_cast<std::size_t>(i)].block[c];
            EXPECT_EQ(sag->at(i), QPointF(block.span, block.sag));
            EXPECT_EQ(tension->at(i), QPointF(block.span, block.tension));
        }
    }
    // The report's digits at the first span, the last, and 300 m.
    EXPECT_EQ(window->sagSeries(0)->at(0).x(), 100.0);
    EXPECT_EQ(Digits(window->sagSeries(0)->at(0).y(), "#0.000"), QStringLiteral("1.452"));
    EXPECT_EQ(Digits(window->sagSeries(2)->at(6).y(), "#0.000"), QStringLiteral("18.950"));
    EXPECT_EQ(Digits(window->tensionSeries(0)->at(4).y(), "####.00"), QStringLiteral("5975.14"));
    EXPECT_EQ(Digits(window->tensionSeries(2)->at(0).y(), "####.00"), QStringLiteral("1149.99"));

    // The legend names the curves; the lines are named on the plot.
    for (QChart* chart : {window->sagChart(), window->tensionChart()}) {
        EXPECT_TRUE(chart->legend()->isVisible());
        EXPECT_EQ(LegendNames(chart), QStringList({names[0], names[1], names[2]}));
    }
    EXPECT_EQ(SeriesNames(window->sagChart()).size(), 4);
    EXPECT_EQ(SeriesNames(window->tensionChart()).size(), 5);

    EXPECT_EQ(Axis(window->sagChart(), Qt::Horizontal)->titleText(), QStringLiteral("径間 [m]"));
    EXPECT_EQ(Axis(window->sagChart(), Qt::Vertical)->titleText(), QStringLiteral("弛度 [m]"));
    EXPECT_EQ(Axis(window->tensionChart(), Qt::Horizontal)->titleText(),
              QStringLiteral("径間 [m]"));
    EXPECT_EQ(Axis(window->tensionChart(), Qt::Vertical)->titleText(), QStringLiteral("張力 [kg]"));
}

// The critical span is where the load case that decides the tension changes:
// below it the iced low season is held at the maximum tension, above it the
// windy high season. The lines must sit on those places.
TEST_F(GraphWindowTest, CriticalSpanAndMaximumTensionLinesSitWhereTheCurvesMeetThem) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    frmGraph* window = open();
    const float critical = static_cast<float>(host_->state().criticalSpan);

    for (bool onTension : {false, true}) {
        SCOPED_TRACE(onTension ? "tension plot" : "sag plot");
        QLineSeries* line = window->criticalSpanLine(onTension);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->name(), QStringLiteral("臨界径間 308.33 m"));
        EXPECT_EQ(line->pen().style(), Qt::DashLine);
        ASSERT_EQ(line->count(), 2);
        EXPECT_EQ(line->at(0).x(), critical);
        EXPECT_EQ(line->at(1).x(), critical);
        // From the bottom of the plot to its top.
        QValueAxis* y = Axis(onTension ? window->tensionChart() : window->sagChart(), Qt::Vertical);
        EXPECT_EQ(std::min(line->at(0).y(), line->at(1).y()), y->min());
        EXPECT_EQ(std::max(line->at(0).y(), line->at(1).y()), y->max());
    }

    QLineSeries* maxLine = window->maxTensionLine();
    ASSERT_NE(maxLine, nullptr);
    ASSERT_EQ(maxLine->count(), 2);
    EXPECT_EQ(maxLine->at(0).y(), 6000.0);
    EXPECT_EQ(maxLine->at(1).y(), 6000.0);
    QValueAxis* x = Axis(window->tensionChart(), Qt::Horizontal);
    EXPECT_EQ(maxLine->at(0).x(), x->min());
    EXPECT_EQ(maxLine->at(1).x(), x->max());

    // 高温季 tension reaches the maximum only past the critical span, 低温季
    // stays on it only before it.
    QLineSeries* high = window->tensionSeries(0);
    QLineSeries* low = window->tensionSeries(1);
    for (int i = 0; i < high->count(); ++i) {
        const double span = high->at(i).x();
        SCOPED_TRACE(span);
        if (span < critical) {
            EXPECT_EQ(low->at(i).y(), maxLine->at(0).y());
            EXPECT_LT(high->at(i).y(), maxLine->at(0).y());
        } else {
            EXPECT_EQ(high->at(i).y(), maxLine->at(0).y());
            EXPECT_LT(low->at(i).y(), maxLine->at(0).y());
        }
    }

    // Drawn where the axes put them: the critical line at its span's x on the
    // screen, between the 300 m and 350 m points, with its label beside it
    // at the top of each plot; the maximum tension's label just above its line.
    for (QChart* chart : {window->sagChart(), window->tensionChart()}) {
        QLineSeries* line = window->criticalSpanLine(chart == window->tensionChart());
        const double lineX = chart->mapToPosition(line->at(0), line).x();
        QLineSeries* curve = chart == window->tensionChart() ? high : window->sagSeries(0);
        EXPECT_GT(lineX, chart->mapToPosition(curve->at(4), curve).x());
        EXPECT_LT(lineX, chart->mapToPosition(curve->at(5), curve).x());
        const QRectF area = chart->plotArea();
        EXPECT_TRUE(area.contains(QPointF(lineX, area.center().y())));
        QGraphicsSimpleTextItem* label = PlotText(chart, QStringLiteral("臨界径間 308.33 m"));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible());
        const QRectF box = label->mapRectToParent(label->boundingRect());
        EXPECT_NEAR(box.left(), lineX, 10.0);
        EXPECT_NEAR(box.top(), area.top(), 10.0);
        EXPECT_TRUE(area.contains(box));
    }
    QChart* chart = window->tensionChart();
    QGraphicsSimpleTextItem* maxLabel = PlotText(chart, QStringLiteral("最大使用張力"));
    ASSERT_NE(maxLabel, nullptr);
    EXPECT_TRUE(maxLabel->isVisible());
    const QRectF maxBox = maxLabel->mapRectToParent(maxLabel->boundingRect());
    const double maxY = chart->mapToPosition(maxLine->at(0), maxLine).y();
    EXPECT_NEAR(maxBox.bottom(), maxY, 3.0);
    EXPECT_TRUE(chart->plotArea().contains(maxBox));
}

TEST_F(GraphWindowTest, NoCriticalSpanMeansNoCriticalSpanLine) {
    Calculate(host_->state(), kWire18mm, 100.0f, 400.0f, 10.0f);
    ASSERT_FALSE(host_->state().hasCriticalSpan);
    frmGraph* window = open();
    EXPECT_EQ(window->criticalSpanLine(false), nullptr);
    EXPECT_EQ(window->criticalSpanLine(true), nullptr);
    for (QChart* chart : {window->sagChart(), window->tensionChart()}) {
        for (const QString& name : SeriesNames(chart))
            EXPECT_FALSE(name.startsWith(QStringLiteral("臨界径間")));
        for (QGraphicsSimpleTextItem* text : PlotTexts(chart))
            EXPECT_FALSE(text->text().startsWith(QStringLiteral("臨界径間")));
    }
    EXPECT_NE(PlotText(window->tensionChart(), QStringLiteral("最大使用張力")), nullptr);
    ASSERT_NE(window->maxTensionLine(), nullptr);
    EXPECT_EQ(window->maxTensionLine()->at(0).y(), 1500.0);
    EXPECT_EQ(window->sagSeries(0)->count(), 31);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("グラフ : 計算例1 90℃"));
}

struct RangeCase {
    const char* name;
    WireRecord wire;
    float start, end, step;
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }

class GraphAxesTest : public GraphWindowTest, public ::testing::WithParamInterface<RangeCase> {};

// Both plots show the same spans on the same axis, lined up on the screen,
// and every point of every curve (and the maximum tension) is inside.
TEST_P(GraphAxesTest, AxesHoldEveryPointAndTheSpanAxisIsShared) {
    const RangeCase& c = GetParam();
    Calculate(host_->state(), c.wire, c.start, c.end, c.step);
    frmGraph* window = open();

    QValueAxis* sagX = Axis(window->sagChart(), Qt::Horizontal);
    QValueAxis* tensionX = Axis(window->tensionChart(), Qt::Horizontal);
    EXPECT_EQ(sagX->min(), tensionX->min());
    EXPECT_EQ(sagX->max(), tensionX->max());
    EXPECT_EQ(sagX->tickCount(), tensionX->tickCount());
    const QRectF sagArea = window->sagChart()->plotArea();
    const QRectF tensionArea = window->tensionChart()->plotArea();
    EXPECT_FALSE(sagArea.isEmpty());
    // Lined up to the pixel (margins are whole pixels).
    EXPECT_NEAR(sagArea.left(), tensionArea.left(), 1.0);
    EXPECT_NEAR(sagArea.right(), tensionArea.right(), 1.0);
    EXPECT_LT(sagArea.bottom(), window->sagView()->height() + 1);

    for (QChart* chart : {window->sagChart(), window->tensionChart()}) {
        QValueAxis* x = Axis(chart, Qt::Horizontal);
        QValueAxis* y = Axis(chart, Qt::Vertical);
        for (int cond = 0; cond < 3; ++cond) {
            QLineSeries* series =
                chart == window->sagChart() ? window->sagSeries(cond) : window->tensionSeries(cond);
            for (const QPointF& p : series->points()) {
                ASSERT_GE(p.x(), x->min());
                ASSERT_LE(p.x(), x->max());
                ASSERT_GE(p.y(), y->min());
                ASSERT_LE(p.y(), y->max());
            }
        }
    }
    QValueAxis* tensionY = Axis(window->tensionChart(), Qt::Vertical);
    EXPECT_LE(window->maxTensionLine()->at(0).y(), tensionY->max());
    EXPECT_GE(window->maxTensionLine()->at(0).y(), tensionY->min());
}

INSTANTIATE_TEST_SUITE_P(
    Tables, GraphAxesTest,
    ::testing::Values(RangeCase{"wire50mm", kWire50mm, 100.0f, 400.0f, 50.0f},
                      RangeCase{"wire18mm", kWire18mm, 100.0f, 400.0f, 10.0f},
                      RangeCase{"descending", kWire50mm, 400.0f, 100.0f, -25.0f},
                      RangeCase{"oneSpan", kWire18mm, 250.0f, 250.0f, 10.0f},
                      RangeCase{"longSpans", kWire18mm, 10.0f, 3000.0f, 7.0f}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

TEST_F(GraphWindowTest, EachWindowKeepsTheCalculationItCameFrom) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    frmGraph* first = open();
    const QList<QPointF> before = first->sagSeries(2)->points();
    Calculate(host_->state(), kWire18mm, 100.0f, 400.0f, 10.0f);
    frmGraph* second = open();
    EXPECT_EQ(first->sagSeries(2)->points(), before);
    EXPECT_EQ(first->windowTitle(), QStringLiteral("グラフ : 計算例2 90℃"));
    EXPECT_EQ(second->sagSeries(2)->count(), 31);
    EXPECT_EQ(first->calculation().currentWire.wireName, "計算例2");
}

// The largest table: 32,767 spans. What is drawn is thinned to the plot's
// width, and every point drawn is a point of the table; the ends and the
// extremes are kept. A narrower window thins further.
TEST_F(GraphWindowTest, LargestTableIsThinnedToExactPointsOfTheTable) {
    Calculate(host_->state(), kWire50mm, 1.0f, 32767.0f, 1.0f);
    const std::vector<SpanRow>& table = host_->state().resultTable;
    ASSERT_EQ(table.size(), 32767u);
    frmGraph* window = open();

    const auto checkThinned = [&](QChart* chart, QLineSeries* series, int condition, bool sag) {
        const int columns = static_cast<int>(
            std::ceil(chart->plotArea().width() * window->sagView()->devicePixelRatioF()));
        ASSERT_GT(columns, 100);
        ASSERT_GT(series->count(), columns / 2);
        ASSERT_LE(series->count(), 4 * columns);
        double extreme = 0.0;
        for (const SpanRow& row : table)
            extreme = std::max<double>(
                extreme, sag ? row.block[condition].sag : row.block[condition].tension);
        bool hasExtreme = false;
        for (const QPointF& p : series->points()) {
            // Spans are 1, 2, ... 32767: the span names the row.
            const auto row = static_cast<std::size_t>(p.x()) - 1;
            ASSERT_EQ(static_cast<double>(row + 1), p.x());
            const ConditionResult& block = table[row].block[condition];
            ASSERT_EQ(p.y(), sag ? block.sag : block.tension) << "span " << p.x();
            hasExtreme |= p.y() == extreme;
        }
        EXPECT_EQ(series->at(0).x(), 1.0);
        EXPECT_EQ(series->at(series->count() - 1).x(), 32767.0);
        EXPECT_TRUE(hasExtreme);
    };
    for (int c = 0; c < 3; ++c) {
        checkThinned(window->sagChart(), window->sagSeries(c), c, true);
        checkThinned(window->tensionChart(), window->tensionSeries(c), c, false);
    }

    const int wide = window->sagSeries(0)->count();
    window->parentWidget()->resize(500, 600);
    Settle();
    EXPECT_LT(window->sagSeries(0)->count(), wide);
    checkThinned(window->sagChart(), window->sagSeries(0), 0, true);

    // A point picked anywhere is one the table holds.
    const QString text = window->pointText(window->sagSeries(2), QPointF(16000.4, 0.0));
    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    const QString span = lines[1].section(u' ', 1, 1);
    const auto row = static_cast<std::size_t>(span.toInt()) - 1;
    ASSERT_LT(row, table.size());
    EXPECT_EQ(lines[2], QStringLiteral("弛度 ") + Digits(table[row].block[2].sag, "#0.000") +
                            QStringLiteral(" m"));
}

TEST_F(GraphWindowTest, HoveringACurveShowsTheSpanAndTheValueOfItsNearestPoint) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    frmGraph* window = open();

    // The mouse a little right of the 300 m point of a curve, on the line
    // towards 350 m: the tip names that point as the report writes it.
    const auto hoverNear300 = [](QChartView* view, QLineSeries* series) {
        const QPointF at300 = series->at(4);
        const QPointF towards350 = at300 + (series->at(5) - at300) * 0.1;
        QChart* chart = view->chart();
        QTest::mouseMove(
            view->viewport(),
            view->mapFromScene(chart->mapToScene(chart->mapToPosition(towards350, series))));
    };
    hoverNear300(window->sagView(), window->sagSeries(0));
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return QToolTip::text() == QStringLiteral("高温季\n径間 300 m\n弛度 10.139 m"); },
        3000))
        << QToolTip::text().toStdString();

    hoverNear300(window->tensionView(), window->tensionSeries(2));
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return QToolTip::text() == QStringLiteral("検討条件\n径間 300 m\n張力 2027.60 kg"); },
        3000))
        << QToolTip::text().toStdString();

    // Off the curves, in the plot's corner, the tip goes.
    QTest::mouseMove(window->tensionView()->viewport(), QPoint(2, 2));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));

    EXPECT_EQ(window->pointText(window->tensionSeries(1), QPointF(120.0, 5000.0)),
              QStringLiteral("低温季\n径間 100 m\n張力 6000.00 kg"));
    // Lines that are not curves name no point.
    EXPECT_TRUE(window->pointText(window->maxTensionLine(), QPointF(120.0, 6000.0)).isEmpty());
}

// The mouse itself: moved onto the study condition's sag curve near 300 m,
// the tip names that point; moved along the curve, it follows to 350 m.
TEST_F(GraphWindowTest, MovingTheMouseAlongACurveNamesThePointsUnderIt) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    frmGraph* window = open();
    QChartView* view = window->sagView();
    QLineSeries* study = window->sagSeries(2);
    const auto onScreen = [&](QPointF value) {
        return view->mapFromScene(
            window->sagChart()->mapToScene(window->sagChart()->mapToPosition(value, study)));
    };
    // A little right of the 300 m point, on the line towards 350 m.
    const QPointF at300 = study->at(4);
    const QPointF at350 = study->at(5);
    QTest::mouseMove(view->viewport(), onScreen(at300 + (at350 - at300) * 0.1));
    ASSERT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("検討条件\n径間 300 m\n弛度 11.097 m"));

    QTest::mouseMove(view->viewport(), onScreen(at300 + (at350 - at300) * 0.9));
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return QToolTip::text() == QStringLiteral("検討条件\n径間 350 m\n弛度 14.725 m"); },
        3000))
        << QToolTip::text().toStdString();
}

// ---- Pictures -------------------------------------------------------------

// Pixels of the high-season curve's red: strong red, little green and blue.
int RedPixels(const QImage& image, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 170 && c.green() < 110 && c.blue() < 110) ++count;
        }
    return count;
}

int LeftmostRed(const QImage& image, int top, int bottom) {
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y < bottom; ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 170 && c.green() < 110 && c.blue() < 110) return x;
        }
    return -1;
}

TEST_F(GraphWindowTest, PngHasBothPlotsDrawnOnWhite) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    frmGraph* window = open();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("グラフ.PNG"));
    const auto error = SaveDrawingAsImage(path, QSize(1200, 900),
                                          [window](QPainter& painter, const QRectF& target) {
                                              window->renderPlots(painter, target);
                                          });
    ASSERT_FALSE(error.has_value()) << error->toStdString();

    QImage image(path, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1200, 900));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    // The red curve is drawn in the upper plot and in the lower one, and
    // starts at the same x in both: the span axes line up.
    EXPECT_GT(RedPixels(image, 60, 450), 200);
    EXPECT_GT(RedPixels(image, 480, 900), 200);
    EXPECT_NEAR(LeftmostRed(image, 60, 450), LeftmostRed(image, 480, 900), 2);
}

TEST_F(GraphWindowTest, PdfHoldsTheAxisTitlesAsText) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    frmGraph* window = open();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("graph.pdf"));
    const auto error = SaveDrawingAsImage(path, QSize(1100, 780),
                                          [window](QPainter& painter, const QRectF& target) {
                                              window->renderPlots(painter, target);
                                          });
    ASSERT_FALSE(error.has_value()) << error->toStdString();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    file.close();

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess process;
    process.start(pdftotext, {path, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& word :
         {QStringLiteral("径間"), QStringLiteral("弛度"), QStringLiteral("張力"),
          QStringLiteral("グラフ"), QStringLiteral("308.33")})
        EXPECT_TRUE(text.contains(word)) << word.toStdString() << " not in:\n"
                                         << text.toStdString();
}

TEST_F(GraphWindowTest, UnknownExtensionsAndUnwritablePlacesAreRefusedWithAReason) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    int drawn = 0;
    const auto draw = [&drawn](QPainter&, const QRectF&) { ++drawn; };
    for (const char* name : {"graph.jpg", "graph", "graph.png.txt"}) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        const auto error = SaveDrawingAsImage(path, QSize(100, 100), draw);
        ASSERT_TRUE(error.has_value()) << name;
        EXPECT_TRUE(error->contains(QStringLiteral(".png"))) << error->toStdString();
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(drawn, 0);

    const auto missing = SaveDrawingAsImage(
        folder.filePath(QStringLiteral("no/such/folder/graph.png")), QSize(100, 100), draw);
    ASSERT_TRUE(missing.has_value());
    EXPECT_TRUE(missing->contains(QStringLiteral("保存できませんでした")))
        << missing->toStdString();

    // An existing file is kept when the new one cannot be drawn.
    const QString kept = folder.filePath(QStringLiteral("kept.png"));
    {
        QFile file(kept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    EXPECT_TRUE(SaveDrawingAsImage(kept, QSize(0, 100), draw).has_value());
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
}

// The printed page: landscape for the plots, the printer's own orientation
// back afterwards for the next text printout.
TEST_F(GraphWindowTest, PlotsPrintOnOneLandscapePage) {
    Calculate(host_->state(), kWire50mm, 100.0f, 400.0f, 50.0f);
    frmGraph* window = open();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);

    QRectF drawnInto;
    ASSERT_TRUE(PrintDrawingToPrinter(printer, [&](QPainter& painter, const QRectF& target) {
        drawnInto = target;
        window->renderPlots(painter, target);
    }));
    EXPECT_GT(drawnInto.width(), drawnInto.height());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    ASSERT_FALSE(pdfinfo.isEmpty()) << "pdfinfo (poppler-utils) is needed";
    QProcess process;
    process.start(pdfinfo, {path});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString info = QString::fromUtf8(process.readAllStandardOutput());
    // A4 turned: 842 x 595 points, one page.
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
}

TEST(PrintServiceTest, AServiceWithoutPagePrintingSaysNo) {
    // A print service that only knows text jobs.
    class TextOnly final : public PrintService {
    public:
        int ChoosePrinter(QWidget*) override { return 1; }
        bool PrintDocument(const QString&) override { return true; }
    } textOnly;
    int drawn = 0;
    EXPECT_FALSE(textOnly.PrintPage([&drawn](QPainter&, const QRectF&) { ++drawn; }));
    EXPECT_EQ(drawn, 0);
}

// ---- The chart window's temperature plot ----------------------------------

TEST(SagTemperaturePlotTest, OneCurvePerChosenSpanWithEveryPointInside) {
    CalculationState state;
    Calculate(state, kWire50mm, 100.0f, 400.0f, 50.0f);
    const StringingChart chart = ComputeStringingChart(state, -10, 90, 25);
    ASSERT_EQ(chart.rows.size(), 7u);

    SagTemperaturePlot plot;
    plot.resize(700, 450);
    plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
    plot.showCurves(CurvesOfChart(chart, SpreadRows(chart.rows.size())));
    Settle();

    EXPECT_EQ(plot.temperatureAxis()->titleText(), QStringLiteral("温度 [℃]"));
    EXPECT_EQ(plot.sagAxis()->titleText(), QStringLiteral("弛度 [m]"));
    EXPECT_EQ(
        SeriesNames(plot.chart()),
        QStringList({QStringLiteral("100 m"), QStringLiteral("150 m"), QStringLiteral("200 m"),
                     QStringLiteral("300 m"), QStringLiteral("350 m"), QStringLiteral("400 m")}));
    QLineSeries* at300 = plot.series(3);
    ASSERT_NE(at300, nullptr);
    ASSERT_EQ(at300->count(), 5);
    const char* const sags[] = {"8.029", "8.867", "9.654", "10.396", "11.097"};
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(at300->at(t).x(), -10.0 + 25.0 * t);
        EXPECT_EQ(Digits(at300->at(t).y(), "#0.000"), QString::fromLatin1(sags[t]));
        EXPECT_EQ(at300->at(t).y(), chart.rows[4].sag[static_cast<std::size_t>(t)]);
    }
    for (int i = 0; i < 6; ++i)
        for (const QPointF& p : plot.series(i)->points()) {
            EXPECT_GE(p.x(), plot.temperatureAxis()->min());
            EXPECT_LE(p.x(), plot.temperatureAxis()->max());
            EXPECT_GE(p.y(), plot.sagAxis()->min());
            EXPECT_LE(p.y(), plot.sagAxis()->max());
        }

    // The mouse on the 300 m curve just past 15 ℃, then along it near 40 ℃.
    const auto onScreen = [&](QPointF value) {
        return plot.mapFromScene(
            plot.chart()->mapToScene(plot.chart()->mapToPosition(value, at300)));
    };
    const QPointF at15 = at300->at(1);
    const QPointF at40 = at300->at(2);
    QTest::mouseMove(plot.viewport(), onScreen(at15 + (at40 - at15) * 0.1));
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return QToolTip::text() == QStringLiteral("300 m\n温度 15 ℃\n弛度 8.867 m"); }, 3000))
        << QToolTip::text().toStdString();
    QTest::mouseMove(plot.viewport(), onScreen(at15 + (at40 - at15) * 0.9));
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return QToolTip::text() == QStringLiteral("300 m\n温度 40 ℃\n弛度 9.654 m"); }, 3000))
        << QToolTip::text().toStdString();
    QToolTip::hideText();

    // New curves replace the old ones.
    plot.showCurves(CurvesOfChart(chart, {6}));
    Settle();
    EXPECT_EQ(SeriesNames(plot.chart()), QStringList({QStringLiteral("400 m")}));
    EXPECT_EQ(plot.series(1), nullptr);
    EXPECT_LE(plot.sagAxis()->min(), 0.0);
    EXPECT_GE(plot.sagAxis()->max(), 18.950);
}

} // namespace
} // namespace orvalt::test
