#include "engine/calculation/curves.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "engine/number/number_format.h"
#include "engine/number/table_patterns.h"

namespace orvalt {

namespace {

// The report writes the critical span with this pattern on its load-factor
// line, under 臨界径間[m].
constexpr std::string_view kCriticalSpanPattern = "####0.00";

constexpr std::string_view kCriticalSpanName = "臨界径間 ";
constexpr std::string_view kMaxTensionName = "最大使用張力";
constexpr std::string_view kMetres = " m";

} // namespace

SpanCurves CurvesOfResultTable(const CalculationState& state) {
    SpanCurves curves;
    const std::vector<SpanRow>& table = state.resultTable;
    for (std::size_t c = 0; c < 3; ++c) {
        curves.sag[c].name = kConditionNames[c];
        curves.tension[c].name = kConditionNames[c];
        curves.sag[c].points.reserve(table.size());
        curves.tension[c].points.reserve(table.size());
    }
    // A descending table (negative step) is read from its end.
    const bool descending = table.size() > 1 && table.front().block[kHighSeason].span >
                                                    table.back().block[kHighSeason].span;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SpanRow& row = table[descending ? table.size() - 1 - i : i];
        for (std::size_t c = 0; c < 3; ++c) {
            const ConditionResult& block = row.block[c];
            curves.sag[c].points.push_back({block.span, block.sag});
            curves.tension[c].points.push_back({block.span, block.tension});
        }
    }

    // The calculation compares spans with the critical span rounded to float,
    // and the report shows that value; a value beyond the float range is
    // never stored by the calculation and is not drawn.
    if (state.hasCriticalSpan && std::isfinite(state.criticalSpan) &&
        std::fabs(state.criticalSpan) <= std::numeric_limits<float>::max()) {
        const float critical = static_cast<float>(state.criticalSpan);
        curves.criticalSpan = critical;
        curves.criticalSpanLabel = std::string(kCriticalSpanName) +
                                   FormatWithPattern(critical, kCriticalSpanPattern) +
                                   std::string(kMetres);
    }
    curves.maxTension = state.currentWire.maxTension;
    curves.maxTensionLabel = kMaxTensionName;
    return curves;
}

SpanCurves TensionsInUnits(SpanCurves curves, UnitSystem units) {
    const double factor = UnitFactor(UnitQuantity::kTension, units);
    if (factor == 1.0) return curves;
    for (Curve& curve : curves.tension)
        for (CurvePoint& point : curve.points) point.y *= factor;
    curves.maxTension *= factor;
    return curves;
}

TemperatureCurves CurvesOfChart(const StringingChart& chart, const std::vector<std::size_t>& rows) {
    TemperatureCurves curves;
    curves.sag.reserve(rows.size());
    for (const std::size_t index : rows) {
        if (index >= chart.rows.size()) {
            continue;
        }
        const StringingChart::Row& row = chart.rows[index];
        Curve curve;
        curve.name = FormatWithPattern(row.span, table_pattern::kSpan) + std::string(kMetres);
        const std::size_t count = std::min(chart.temperatures.size(), row.sag.size());
        curve.points.reserve(count);
        for (std::size_t t = 0; t < count; ++t) {
            curve.points.push_back({static_cast<double>(chart.temperatures[t]), row.sag[t]});
        }
        curves.sag.push_back(std::move(curve));
    }
    return curves;
}

std::vector<std::size_t> SpreadRows(std::size_t rowCount, std::size_t count) {
    std::vector<std::size_t> rows;
    if (rowCount == 0 || count == 0) {
        return rows;
    }
    if (rowCount <= count) {
        for (std::size_t i = 0; i < rowCount; ++i) {
            rows.push_back(i);
        }
        return rows;
    }
    if (count == 1) {
        rows.push_back(0);
        return rows;
    }
    // Row k of count - 1 intervals, rounded to the nearest row; with more
    // rows than picks the rounded positions are strictly increasing.
    const std::size_t last = rowCount - 1;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t row = (k * last * 2 + (count - 1)) / (2 * (count - 1));
        rows.push_back(row);
    }
    return rows;
}

RowsToDraw SpreadOverRanges(std::vector<RowRange> ranges, std::size_t count) {
    std::sort(ranges.begin(), ranges.end(),
              [](const RowRange& a, const RowRange& b) { return a.first < b.first; });
    // Overlapping and touching ranges become one, so that no row counts twice.
    std::vector<RowRange> merged;
    for (const RowRange& range : ranges) {
        if (range.first > range.last) {
            continue;
        }
        if (!merged.empty() && range.first <= merged.back().last + 1) {
            merged.back().last = std::max(merged.back().last, range.last);
        } else {
            merged.push_back(range);
        }
    }
    RowsToDraw draw;
    for (const RowRange& range : merged) {
        draw.selected += range.last - range.first + 1;
    }
    // The picks are positions among the selected rows, ascending: one walk
    // over the ranges turns them into rows.
    auto range = merged.begin();
    std::size_t before = 0; // selected rows in the ranges before `range`
    for (const std::size_t position : SpreadRows(draw.selected, count)) {
        while (position - before > range->last - range->first) {
            before += range->last - range->first + 1;
            ++range;
        }
        draw.rows.push_back(range->first + (position - before));
    }
    return draw;
}

std::vector<CurvePoint> ReduceForDisplay(const std::vector<CurvePoint>& points, double xMin,
                                         double xMax, int pixelColumns) {
    if (pixelColumns <= 0 || points.size() <= static_cast<std::size_t>(pixelColumns) ||
        !(xMax > xMin) || !std::isfinite(xMax - xMin)) {
        return points;
    }
    const double columnsPerUnit = pixelColumns / (xMax - xMin);
    const auto columnOf = [&](double x) {
        const double column = std::floor((x - xMin) * columnsPerUnit);
        if (!(column >= 0.0)) {
            return 0;
        }
        return column >= pixelColumns ? pixelColumns - 1 : static_cast<int>(column);
    };

    std::vector<CurvePoint> kept;
    kept.reserve(std::min(points.size(), static_cast<std::size_t>(pixelColumns) * 4));
    std::size_t first = 0;
    while (first < points.size()) {
        const int column = columnOf(points[first].x);
        std::size_t end = first + 1;
        std::size_t lowest = first;
        std::size_t highest = first;
        while (end < points.size() && columnOf(points[end].x) == column) {
            if (points[end].y < points[lowest].y) {
                lowest = end;
            }
            if (points[end].y > points[highest].y) {
                highest = end;
            }
            ++end;
        }
        const std::size_t last = end - 1;
        // first <= min(lowest, highest) <= max(lowest, highest) <= last.
        std::array<std::size_t, 4> keep = {first, std::min(lowest, highest),
                                           std::max(lowest, highest), last};
        for (std::size_t k = 0; k < keep.size(); ++k) {
            if (k == 0 || keep[k] != keep[k - 1]) {
                kept.push_back(points[keep[k]]);
            }
        }
        first = end;
    }
    return kept;
}

std::optional<std::size_t> NearestPoint(const std::vector<CurvePoint>& points, CurvePoint target,
                                        double xPerPixel, double yPerPixel) {
    if (points.empty() || !(xPerPixel > 0.0) || !(yPerPixel > 0.0)) {
        return std::nullopt;
    }
    const auto distance = [&](const CurvePoint& p) {
        return std::hypot((p.x - target.x) / xPerPixel, (p.y - target.y) / yPerPixel);
    };
    // Walk out from the target's place in x both ways; stop a side once its
    // x distance alone is beyond the best distance found.
    const auto start = std::lower_bound(points.begin(), points.end(), target.x,
                                        [](const CurvePoint& p, double x) { return p.x < x; });
    const std::size_t middle = static_cast<std::size_t>(start - points.begin());
    std::size_t best = middle < points.size() ? middle : points.size() - 1;
    double bestDistance = distance(points[best]);
    for (std::size_t i = middle; i < points.size(); ++i) {
        if ((points[i].x - target.x) / xPerPixel > bestDistance) {
            break;
        }
        const double d = distance(points[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    for (std::size_t i = middle; i-- > 0;) {
        if ((target.x - points[i].x) / xPerPixel > bestDistance) {
            break;
        }
        const double d = distance(points[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace orvalt
