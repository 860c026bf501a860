// The numbers behind the graphs: the result table and the stringing chart as
// curves of plain points, and the thinning of a long curve to what a plot of
// a given width can show. The windows turn these into chart series; nothing
// here knows about drawing.
//
// Every point is a value the calculation stored (a float, held exactly in a
// double), never an interpolated one, so that a point picked on the screen
// reports the same digits as the report.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/number/units.h"

namespace orvalt {

struct CurvePoint {
    double x = 0.0;
    double y = 0.0;

    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

struct Curve {
    std::string name;               // UTF-8, shown in the legend
    std::vector<CurvePoint> points; // ascending x
};

// Sag and tension against span, one curve per load condition in the order of
// the report's column groups (高温季, 低温季, 検討条件).
struct SpanCurves {
    std::array<Curve, 3> sag;     // x: span [m], y: sag [m]
    std::array<Curve, 3> tension; // x: span [m], y: tension [kg]
    // The critical span as the calculation compares spans with it (rounded
    // to float); empty when the calculation found none.
    std::optional<double> criticalSpan;
    // "臨界径間 308.33 m": the value written as the report writes it.
    std::string criticalSpanLabel;
    double maxTension = 0.0;     // [kg], the wire's maximum working tension
    std::string maxTensionLabel; // "最大使用張力"
};

// Sag against stringing temperature, one curve per chosen span.
struct TemperatureCurves {
    std::vector<Curve> sag; // x: temperature [degC], y: sag [m]; named "300 m"
};

// The curves of a calculated state's result table. The points run in
// ascending span whatever the sign of the span step.
SpanCurves CurvesOfResultTable(const CalculationState& state);

// `curves` with the tensions (the curves' y and the maximum tension) in
// `units`: kN in SI, as they are in kg units. Spans and sags stay.
SpanCurves TensionsInUnits(SpanCurves curves, UnitSystem units);

// One sag curve per row of `chart` listed in `rows` (indices into
// chart.rows, in the order given), named by its span as the report writes a
// span. Indices past the end are skipped.
TemperatureCurves CurvesOfChart(const StringingChart& chart, const std::vector<std::size_t>& rows);

// `count` row indices spread evenly over 0 .. rowCount - 1, the first and the
// last included, ascending and without repeats: all rows when there are no
// more than `count`, none when rowCount is 0.
std::vector<std::size_t> SpreadRows(std::size_t rowCount, std::size_t count = 6);

// Rows first .. last of a table, both included.
struct RowRange {
    std::size_t first = 0;
    std::size_t last = 0;
};

// What a selection of rows gives a plot that draws no more than a few of
// them: how many different rows the selection holds, and at most `count` of
// those rows spread over them as SpreadRows spreads them (the first and the
// last selected row included, ascending, without repeats).
struct RowsToDraw {
    std::size_t selected = 0;
    std::vector<std::size_t> rows;
};

// The rows to draw of the rows in `ranges`, which may come in any order and
// overlap; a range whose first row lies past its last is empty. Takes time
// in the number of ranges, not of rows, so that a whole table of 32,767
// rows costs no more than one row.
RowsToDraw SpreadOverRanges(std::vector<RowRange> ranges, std::size_t count);

// The points of `points` (ascending x) that a plot `pixelColumns` wide over
// xMin .. xMax needs to draw the same line: per pixel column the first, the
// lowest, the highest and the last point of that column, in their original
// order, each kept once. Points left or right of the range count in the
// first or last column. A curve with no more points than columns, a range
// that is empty, or no columns at all comes back whole.
std::vector<CurvePoint> ReduceForDisplay(const std::vector<CurvePoint>& points, double xMin,
                                         double xMax, int pixelColumns);

// The index of the point of `points` (ascending x) nearest to `target` on
// the screen, where one pixel is `xPerPixel` along x and `yPerPixel` along
// y (both positive); empty for no points. Used to name the point under the
// mouse with its stored values.
std::optional<std::size_t> NearestPoint(const std::vector<CurvePoint>& points, CurvePoint target,
                                        double xPerPixel, double yPerPixel);

} // namespace orvalt
