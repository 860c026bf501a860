// The curves behind the graphs: the result table and the stringing chart as
// points, the choice of chart rows, the thinning of long curves for display
// and the pick of the point under the mouse.
//
// Known digits come from the worked examples' reports (the 50 mm wire: spans
// 100 to 400 m by 50 m, critical span 308.33 m; its stringing chart at -10
// to 90 ℃ by 25 ℃).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/calculation/calculation_state.h"
#include "engine/calculation/curves.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/number/number_format.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

CalculationState Example50mm(float start = 100.0f, float end = 400.0f, float step = 50.0f) {
    CalculationState state;
    state.currentWire = test::WorkedExample2();
    state.spanStart = start;
    state.spanEnd = end;
    state.spanStep = step;
    RunCalculation(state);
    return state;
}

CalculationState Example18mm() {
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    RunCalculation(state);
    return state;
}

std::string Sag(double value) { return FormatWithPattern(static_cast<float>(value), "#0.000"); }
std::string Tension(double value) {
    return FormatWithPattern(static_cast<float>(value), "####.00");
}

// ---- The result table as curves -------------------------------------------

TEST(CurvesOfResultTable, HoldTheTableOfTheReportInItsColumnOrder) {
    const CalculationState state = Example50mm();
    ASSERT_EQ(state.resultTable.size(), 7u);
    const SpanCurves curves = CurvesOfResultTable(state);

    const char* const names[] = {"高温季", "低温季", "検討条件"};
    for (std::size_t c = 0; c < 3; ++c) {
        SCOPED_TRACE(names[c]);
        EXPECT_EQ(curves.sag[c].name, names[c]);
        EXPECT_EQ(curves.tension[c].name, names[c]);
        ASSERT_EQ(curves.sag[c].points.size(), 7u);
        ASSERT_EQ(curves.tension[c].points.size(), 7u);
        for (std::size_t i = 0; i < 7; ++i) {
            const ConditionResult& block = state.resultTable[i].block[c];
            // The stored floats themselves, not values near them.
            EXPECT_EQ(curves.sag[c].points[i], (CurvePoint{block.span, block.sag}));
            EXPECT_EQ(curves.tension[c].points[i], (CurvePoint{block.span, block.tension}));
        }
    }

    // Digits of the report: the first and last lines, and the line at 300 m.
    struct Digits {
        std::size_t row;
        double span;
        const char* sag[3];
        const char* tension[3];
    };
    const Digits lines[] = {
        {0, 100.0, {"1.452", "1.017", "2.174"}, {"4637.53", "6000.00", "1149.99"}},
        {4, 300.0, {"10.139", "9.151", "11.097"}, {"5975.14", "6000.00", "2027.60"}},
        {6, 400.0, {"17.951", "16.890", "18.950"}, {"6000.00", "5779.28", "2110.80"}},
    };
    for (const Digits& line : lines) {
        for (std::size_t c = 0; c < 3; ++c) {
            SCOPED_TRACE(testing::Message() << line.span << " m, condition " << c);
            EXPECT_EQ(curves.sag[c].points[line.row].x, line.span);
            EXPECT_EQ(Sag(curves.sag[c].points[line.row].y), line.sag[c]);
            EXPECT_EQ(Tension(curves.tension[c].points[line.row].y), line.tension[c]);
        }
    }
}

TEST(CurvesOfResultTable, CriticalSpanAndMaximumTensionAsTheReportWritesThem) {
    const CalculationState with = Example50mm();
    ASSERT_TRUE(with.hasCriticalSpan);
    const SpanCurves curves = CurvesOfResultTable(with);
    ASSERT_TRUE(curves.criticalSpan.has_value());
    // The value the calculation compares spans with: the critical span in float.
    EXPECT_EQ(*curves.criticalSpan, static_cast<double>(static_cast<float>(with.criticalSpan)));
    EXPECT_EQ(curves.criticalSpanLabel, "臨界径間 308.33 m");
    EXPECT_EQ(curves.maxTension, 6000.0);
    EXPECT_EQ(curves.maxTensionLabel, "最大使用張力");

    const SpanCurves without = CurvesOfResultTable(Example18mm());
    EXPECT_FALSE(without.criticalSpan.has_value());
    EXPECT_EQ(without.criticalSpanLabel, "");
    EXPECT_EQ(without.maxTension, 1500.0);
    EXPECT_EQ(without.sag[0].points.size(), 31u);
}

// In SI the tensions are in kN (6000 kg = 58.8399 kN); spans and sags stay.
TEST(TensionsInUnits, ScalesTheTensionsOnly) {
    const SpanCurves kg = CurvesOfResultTable(Example50mm());
    EXPECT_EQ(TensionsInUnits(kg, UnitSystem::kKgf).tension[1].points[3].y,
              kg.tension[1].points[3].y);
    const SpanCurves si = TensionsInUnits(kg, UnitSystem::kSi);
    EXPECT_DOUBLE_EQ(si.maxTension, 58.8399);
    for (std::size_t c = 0; c < 3; ++c) {
        ASSERT_EQ(si.tension[c].points.size(), kg.tension[c].points.size());
        for (std::size_t i = 0; i < kg.tension[c].points.size(); ++i) {
            EXPECT_EQ(si.tension[c].points[i].x, kg.tension[c].points[i].x);
            EXPECT_NEAR(si.tension[c].points[i].y, kg.tension[c].points[i].y * 0.00980665, 1e-9);
            EXPECT_EQ(si.sag[c].points[i].y, kg.sag[c].points[i].y);
        }
    }
    EXPECT_EQ(si.criticalSpan, kg.criticalSpan);
}

TEST(CurvesOfResultTable, DescendingTableGivesTheSamePointsInAscendingSpan) {
    const SpanCurves up = CurvesOfResultTable(Example50mm(100.0f, 400.0f, 50.0f));
    const SpanCurves down = CurvesOfResultTable(Example50mm(400.0f, 100.0f, -50.0f));
    ASSERT_EQ(down.sag[0].points.size(), 7u);
    EXPECT_EQ(down.sag[0].points.front().x, 100.0);
    EXPECT_EQ(down.sag[0].points.back().x, 400.0);
    for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(down.sag[c].points, up.sag[c].points);
        EXPECT_EQ(down.tension[c].points, up.tension[c].points);
    }
}

TEST(CurvesOfResultTable, EmptyTableGivesEmptyCurves) {
    CalculationState state; // never calculated
    const SpanCurves curves = CurvesOfResultTable(state);
    for (std::size_t c = 0; c < 3; ++c) {
        EXPECT_TRUE(curves.sag[c].points.empty());
        EXPECT_TRUE(curves.tension[c].points.empty());
    }
    EXPECT_FALSE(curves.criticalSpan.has_value());
}

// ---- The stringing chart as curves ----------------------------------------

TEST(CurvesOfChart, OneSagCurvePerChosenRowNamedBySpan) {
    const CalculationState state = Example50mm();
    const StringingChart chart = ComputeStringingChart(state, -10, 90, 25);
    ASSERT_EQ(chart.temperatures.size(), 5u);

    // Row 9 does not exist and is left out; the order given is kept.
    const TemperatureCurves curves = CurvesOfChart(chart, {4, 0, 9, 6});
    ASSERT_EQ(curves.sag.size(), 3u);
    EXPECT_EQ(curves.sag[0].name, "300 m");
    EXPECT_EQ(curves.sag[1].name, "100 m");
    EXPECT_EQ(curves.sag[2].name, "400 m");

    // The chart's sag table: 300 m reads 8.029 8.867 9.654 10.396 11.097.
    const char* const at300[] = {"8.029", "8.867", "9.654", "10.396", "11.097"};
    const double temperatures[] = {-10.0, 15.0, 40.0, 65.0, 90.0};
    ASSERT_EQ(curves.sag[0].points.size(), 5u);
    for (std::size_t t = 0; t < 5; ++t) {
        EXPECT_EQ(curves.sag[0].points[t].x, temperatures[t]);
        EXPECT_EQ(Sag(curves.sag[0].points[t].y), at300[t]);
        EXPECT_EQ(curves.sag[0].points[t].y, static_cast<double>(chart.rows[4].sag[t]));
    }
    EXPECT_EQ(Sag(curves.sag[2].points.back().y), "18.950");

    EXPECT_TRUE(CurvesOfChart(chart, {}).sag.empty());
}

// ---- Rows spread over a chart ---------------------------------------------

struct SpreadCase {
    std::size_t rowCount;
    std::size_t count;
    std::vector<std::size_t> rows;
};

class SpreadRowsTest : public testing::TestWithParam<SpreadCase> {};

TEST_P(SpreadRowsTest, FirstAndLastIncludedEvenlyBetween) {
    const SpreadCase& c = GetParam();
    EXPECT_EQ(SpreadRows(c.rowCount, c.count), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpreadRowsTest,
    testing::Values(SpreadCase{0, 6, {}}, SpreadCase{1, 6, {0}}, SpreadCase{3, 6, {0, 1, 2}},
                    SpreadCase{6, 6, {0, 1, 2, 3, 4, 5}},
                    // 6 / 5 = 1.2 rows apart: 0, 1.2, 2.4, 3.6, 4.8, 6.
                    SpreadCase{7, 6, {0, 1, 2, 4, 5, 6}},
                    // 30 / 5 = 6 rows apart exactly.
                    SpreadCase{31, 6, {0, 6, 12, 18, 24, 30}},
                    // 32,766 / 5 = 6553.2 rows apart.
                    SpreadCase{32767, 6, {0, 6553, 13106, 19660, 26213, 32766}},
                    SpreadCase{10, 2, {0, 9}}, SpreadCase{10, 1, {0}}, SpreadCase{10, 0, {}}));

TEST(SpreadRows, DefaultIsSixRows) {
    EXPECT_EQ(SpreadRows(11), (std::vector<std::size_t>{0, 2, 4, 6, 8, 10}));
}

// ---- Rows to draw of a selection ------------------------------------------

struct SelectionCase {
    std::vector<RowRange> ranges;
    std::size_t count;
    std::size_t selected;
    std::vector<std::size_t> rows;
};

class SpreadOverRangesTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(SpreadOverRangesTest, CountsEachRowOnceAndSpreadsThePicksOverAllOfThem) {
    const SelectionCase& c = GetParam();
    const RowsToDraw draw = SpreadOverRanges(c.ranges, c.count);
    EXPECT_EQ(draw.selected, c.selected);
    EXPECT_EQ(draw.rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpreadOverRangesTest,
    testing::Values(
        SelectionCase{{}, 10, 0, {}}, SelectionCase{{{4, 3}}, 10, 0, {}},
        SelectionCase{{{5, 5}, {5, 5}}, 10, 1, {5}}, SelectionCase{{{2, 4}}, 10, 3, {2, 3, 4}},
        // Out of order, overlapping and touching: rows 3, 4 and 10 to 15.
        SelectionCase{{{10, 12}, {3, 4}, {11, 15}}, 10, 8, {3, 4, 10, 11, 12, 13, 14, 15}},
        SelectionCase{{{0, 1}, {2, 3}}, 10, 4, {0, 1, 2, 3}},
        // Ten rows in two blocks: the middle pick is the second block's first row.
        SelectionCase{{{100, 104}, {0, 4}}, 3, 10, {0, 100, 104}},
        SelectionCase{{{0, 9}, {20, 29}}, 2, 20, {0, 29}},
        // The whole largest table: 32,766 / 9 = 3640.7 rows apart.
        SelectionCase{{{0, 32766}},
                      10,
                      32767,
                      {0, 3641, 7281, 10922, 14563, 18203, 21844, 25485, 29125, 32766}}));

// ---- Thinning for display -------------------------------------------------

std::vector<CurvePoint> Points(std::initializer_list<std::pair<double, double>> list) {
    std::vector<CurvePoint> points;
    for (const auto& [x, y] : list) {
        points.push_back({x, y});
    }
    return points;
}

TEST(ReduceForDisplay, KeepsFirstLowestHighestAndLastOfEachColumnInOrder) {
    // Two columns over 0 .. 2: x below 1 is column 0.
    const auto points = Points({{0.0, 5.0},
                                {0.25, 1.0},
                                {0.5, 9.0},
                                {0.75, 3.0}, // column 0
                                {1.0, 2.0},
                                {1.2, 2.0},
                                {1.5, 2.0}}); // column 1, flat
    const auto kept = ReduceForDisplay(points, 0.0, 2.0, 2);
    EXPECT_EQ(kept,
              Points({{0.0, 5.0}, {0.25, 1.0}, {0.5, 9.0}, {0.75, 3.0}, {1.0, 2.0}, {1.5, 2.0}}));

    // The highest before the lowest keeps that order.
    const auto falling = Points({{0.0, 5.0}, {0.1, 9.0}, {0.2, 7.0}, {0.3, 1.0}, {0.4, 4.0}});
    EXPECT_EQ(ReduceForDisplay(falling, 0.0, 1.0, 1),
              Points({{0.0, 5.0}, {0.1, 9.0}, {0.3, 1.0}, {0.4, 4.0}}));

    // A column whose first point is its lowest and last its highest keeps two.
    const auto rising = Points({{0.0, 1.0}, {0.1, 2.0}, {0.2, 3.0}, {0.3, 4.0}});
    EXPECT_EQ(ReduceForDisplay(rising, 0.0, 1.0, 1), Points({{0.0, 1.0}, {0.3, 4.0}}));
}

TEST(ReduceForDisplay, PointsOutsideTheRangeCountInTheEdgeColumns) {
    const auto points =
        Points({{-5.0, 1.0}, {-1.0, 8.0}, {0.5, 3.0}, {10.0, 4.0}, {12.0, 0.0}, {20.0, 6.0}});
    // Columns [0, 5) and [5, 10]: everything left of 0 joins the first,
    // everything right of 10 the last.
    EXPECT_EQ(
        ReduceForDisplay(points, 0.0, 10.0, 2),
        Points({{-5.0, 1.0}, {-1.0, 8.0}, {0.5, 3.0}, {10.0, 4.0}, {12.0, 0.0}, {20.0, 6.0}}));
    const auto many = Points({{-5.0, 1.0}, {-4.0, 1.0}, {-3.0, 1.0}, {-2.0, 1.0}, {11.0, 2.0}});
    EXPECT_EQ(ReduceForDisplay(many, 0.0, 10.0, 2),
              Points({{-5.0, 1.0}, {-2.0, 1.0}, {11.0, 2.0}}));
}

TEST(ReduceForDisplay, ShortCurvesAndDegenerateRangesComeBackWhole) {
    const auto three = Points({{0.0, 1.0}, {0.1, 5.0}, {0.2, 2.0}});
    EXPECT_EQ(ReduceForDisplay(three, 0.0, 1.0, 3), three); // no more points than columns
    EXPECT_EQ(ReduceForDisplay(three, 0.0, 1.0, 0), three);
    EXPECT_EQ(ReduceForDisplay(three, 0.0, 1.0, -4), three);
    EXPECT_EQ(ReduceForDisplay(three, 1.0, 1.0, 1), three);
    EXPECT_EQ(ReduceForDisplay(three, 2.0, 1.0, 1), three);
    EXPECT_TRUE(ReduceForDisplay({}, 0.0, 1.0, 10).empty());
}

// 100,000 points of a jagged curve over 0 .. 100,000 into 1,000 columns of
// exactly 100 points each: what is kept is a subsequence of the curve, at
// most four points a column, and each column keeps its own extremes and ends,
// so the line drawn covers the same pixels.
TEST(ReduceForDisplay, LongCurveKeepsEveryColumnsExtremesAsExactPoints) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> noise(-50.0, 50.0);
    std::vector<CurvePoint> points;
    for (int i = 0; i < 100000; ++i) {
        points.push_back(
            {static_cast<double>(i), std::sqrt(static_cast<double>(i)) + noise(random)});
    }
    const int columns = 1000;
    const auto kept = ReduceForDisplay(points, 0.0, 100000.0, columns);
    ASSERT_LE(kept.size(), 4u * columns);
    ASSERT_GE(kept.size(), 2u * columns);

    // A subsequence: every kept point is found, in order, among the points.
    std::size_t at = 0;
    for (const CurvePoint& p : kept) {
        while (at < points.size() && !(points[at] == p)) {
            ++at;
        }
        ASSERT_LT(at, points.size()) << "kept a point that is not on the curve: " << p.x;
        ++at;
    }

    for (int column = 0; column < columns; ++column) {
        const std::size_t first = static_cast<std::size_t>(column) * 100;
        double lowest = points[first].y;
        double highest = points[first].y;
        for (std::size_t i = first; i < first + 100; ++i) {
            lowest = std::min(lowest, points[i].y);
            highest = std::max(highest, points[i].y);
        }
        bool hasFirst = false, hasLast = false, hasLowest = false, hasHighest = false;
        for (const CurvePoint& p : kept) {
            if (p.x < first || p.x >= first + 100) {
                continue;
            }
            hasFirst |= p == points[first];
            hasLast |= p == points[first + 99];
            hasLowest |= p.y == lowest;
            hasHighest |= p.y == highest;
        }
        ASSERT_TRUE(hasFirst && hasLast && hasLowest && hasHighest) << "column " << column;
    }
}

// ---- The point under the mouse --------------------------------------------

TEST(NearestPoint, MeasuresInPixelsOfEachAxis) {
    const auto points = Points({{0.0, 0.0}, {10.0, 0.0}, {20.0, 100.0}});
    struct Case {
        CurvePoint target;
        double xPerPixel, yPerPixel;
        std::size_t expected;
    };
    const Case cases[] = {
        // One unit a pixel both ways: (20, 100) is 12.8 pixels away, (10, 0) 90.
        {{12.0, 90.0}, 1.0, 1.0, 2},
        // 100 units of y a pixel: the same target is now 2.2 pixels from (10, 0).
        {{12.0, 90.0}, 1.0, 100.0, 1},
        {{-50.0, 0.0}, 1.0, 1.0, 0},   // left of every point
        {{500.0, 100.0}, 1.0, 1.0, 2}, // right of every point
        {{10.0, 0.0}, 1.0, 1.0, 1},    // exactly on a point
        {{4.0, 0.0}, 1.0, 1.0, 0},
        {{6.0, 0.0}, 1.0, 1.0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.target.x << ", " << c.target.y);
        const auto found = NearestPoint(points, c.target, c.xPerPixel, c.yPerPixel);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, c.expected);
    }
    EXPECT_FALSE(NearestPoint({}, {0.0, 0.0}, 1.0, 1.0).has_value());
    EXPECT_FALSE(NearestPoint(points, {0.0, 0.0}, 0.0, 1.0).has_value());
}

// The walk from the target's place stops early; it must find what a look at
// every point finds, on curves that double back in y.
TEST(NearestPoint, AgreesWithLookingAtEveryPoint) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> y(0.0, 1000.0);
    std::uniform_real_distribution<double> step(0.0, 3.0);
    std::vector<CurvePoint> points;
    double x = 0.0;
    for (int i = 0; i < 2000; ++i) {
        x += step(random);
        points.push_back({x, y(random)});
    }
    std::uniform_real_distribution<double> tx(-100.0, x + 100.0);
    for (int trial = 0; trial < 500; ++trial) {
        const CurvePoint target{tx(random), y(random)};
        const double xPerPixel = 0.5, yPerPixel = 2.0;
        std::size_t best = 0;
        double bestDistance = INFINITY;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double d = std::hypot((points[i].x - target.x) / xPerPixel,
                                        (points[i].y - target.y) / yPerPixel);
            if (d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        const auto found = NearestPoint(points, target, xPerPixel, yPerPixel);
        ASSERT_TRUE(found.has_value());
        const CurvePoint& p = points[*found];
        EXPECT_DOUBLE_EQ(std::hypot((p.x - target.x) / xPerPixel, (p.y - target.y) / yPerPixel),
                         bestDistance)
            << "trial " << trial << ": " << *found << " instead of " << best;
    }
}

} // namespace
} // namespace orvalt
