// The 長径間 check: how far the parabola behind every sag of this program
// may be trusted for a span. At the same horizontal tension H under w kg/m
// the catenary sags D_c = C (cosh(S / 2C) - 1), C = H / w, a little more than
// the parabola's w S^2 / 8H, and the supports carry H + w D_c. Where the two
// sags differ by more than kLongSpanLimit the windows mark the span.
#pragma once

#include <string>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/number/units.h"

namespace orvalt {

inline constexpr double kLongSpanLimit = 0.01; // 1 %

struct LongSpanCheck {
    double parabolicSag = 0.0;   // [m], w S^2 / 8H
    double catenarySag = 0.0;    // [m]
    double supportTension = 0.0; // [kg], H + w D_c
    bool marked = false;         // the sags differ by more than kLongSpanLimit
};

// Throws CalculationError (CatenarySag's refusals) for a span, tension or
// load that is not a positive finite number.
LongSpanCheck CheckLongSpan(double span, double horizontalTension, double loadPerMetre);

// "懸垂線弛度 29.870 m（放物線 29.652 m より 0.73 % 大）、支持点張力 1566.43 kg"
// In SI the support tension in kN ("支持点張力 15.358 kN").
std::string LongSpanText(const LongSpanCheck& check, UnitSystem units = UnitSystem::kKgf);

// The note line under a table or plot: "長径間（懸垂線の弛度が放物線と 1 % を
// 超えて違う径間）: " and the shortest to the longest marked span, "480～600 m"
// (for a chart, at any of its temperatures), per condition "高温季 480～600 m、
// 低温季 …" (for the result table, each condition's load factor times the
// wire's unit weight). Empty when no span is marked.
std::string LongSpanNote(const StringingChart& chart, double loadPerMetre);
std::string LongSpanNote(const CalculationState& state);

} // namespace orvalt
