// The exact tension section (精算): every span with a tension of its own.
//
// The ruling-span result (ComputeTensionSection) gives the whole section one
// horizontal tension. That holds only where the supports let the tension
// equalise and only at the temperature the wire was clamped. Here the
// section is balanced span by span:
//
// - Clamped state: bare wire in still air at the stringing temperature t_s,
//   every span at the section's ruling tension H_s at t_s (the cell of the
//   section's stringing chart at t_s), suspension strings hanging vertical.
//   This fixes each span's wire length L_s and mean tension T_s.
// - Each span is an elastic catenary between its clamps: with C = H / w,
//   horizontal distance S and height difference h its length is
//   L = sqrt(h^2 + (2 C sinh(S / 2C))^2) and its mean tension the arc
//   average of H cosh(x / C). In a state of temperature t and load w per
//   metre of wire (load factor times the wire's weight, in the plane of the
//   wire), L = L_s (1 + alpha (t - t_s)) (1 + (T - T_s) / (E A)).
// - Dead-end and fixed supports do not move. A suspension clamp swings along
//   the line by phi on a string of length l: it moves d = l sin(phi) and rises
//   l (1 - cos(phi)), and is in balance when
//   H_right - H_left = (V + W / 2) tan(phi), V the two spans' downward pull.
//
// The swings are found by Newton's method on the clamps (a tridiagonal
// system), each span's H by Newton's method on its length; both to 1e-9
// relative.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/calculation/calculation_error.h"
#include "engine/calculation/calculation_state.h"
#include "engine/calculation/tension_section.h"

namespace orvalt {

enum class SupportType { kDeadEnd, kFixed, kSuspension };

// One support of the section; a section of n spans has n + 1, the first and
// the last dead ends. The string only matters for a suspension support.
struct SectionSupport {
    SupportType type = SupportType::kFixed;
    double stringLength = 0.0; // l [m], clamp below the insulator's hanging point
    double stringWeight = 0.0; // W [kg]

    friend bool operator==(const SectionSupport&, const SectionSupport&) = default;
};

// One span in one state.
struct BalancedSpan {
    double horizontalTension = 0.0;   // H [kg]
    double sag = 0.0;                 // [m], vertical, from the chord to the wire at midspan
    double lowPointOffset = 0.0;      // [m], from midspan toward the lower support
    bool lowPointOutside = false;     // the lowest point lies beyond the lower support
    double upperSupportTension = 0.0; // [kg], H cosh at the higher clamp
    double lowerSupportTension = 0.0; // [kg], H cosh at the lower clamp
    bool overMaxTension = false;      // a support tension above the wire's 最大使用張力
};

// One support in one state (all zero for dead-end and fixed supports).
struct BalancedSupport {
    double displacement = 0.0; // d [m] along the line, toward the later spans
    double swing = 0.0;        // phi [degrees] from the vertical, the sign of d
    double rise = 0.0;         // [m], the clamp's rise l (1 - cos(phi))
};

struct BalancedState {
    double temperature = 0.0;              // t [degC]
    double load = 0.0;                     // w [kg/m], load factor times the wire's weight
    std::vector<BalancedSpan> spans;       // in the section's order
    std::vector<BalancedSupport> supports; // one per support
};

struct BalancedSection {
    double stringingTemperature = 0.0;         // t_s [degC]
    double clampedTension = 0.0;               // H_s [kg], every span's in the clamped state
    std::array<BalancedState, 3> conditions{}; // high, low, study: as ComputeTensionSection
    std::vector<BalancedState> chart;          // one per stringing chart temperature
};

// The stringing temperature used when a case gives none.
inline constexpr std::int16_t kDefaultStringingTemperature = 15;

// Reads a state on which RunCalculation has succeeded (as
// ComputeTensionSection does). The chart temperatures are those of
// ChartTemperatures(chartFrom, chartTo, chartStep). Throws CalculationError
// with a message for the user: the refusals of ComputeTensionSection and
// ChartTemperatures; supports not one more than spans, ends that are not
// dead ends, a string length not above 0 or a string weight below 0 (naming
// the support, 支持点 1, 2, ...); and, naming the state, a section that does
// not balance (a string lifted or swung out, a span that does not settle).
BalancedSection ComputeBalancedSection(const CalculationState& state,
                                       const std::vector<SectionSpan>& spans,
                                       const std::vector<SectionSupport>& supports,
                                       std::int16_t stringingTemperature, std::int16_t chartFrom,
                                       std::int16_t chartTo, std::int16_t chartStep);

// The section's supports when a case gives none: dead ends at both ends,
// fixed supports between.
std::vector<SectionSupport> DefaultSectionSupports(std::size_t spanCount);

// One elastic-catenary span, for the balance and its tests.
struct CatenarySpan {
    double length = 0.0;      // L [m], along the wire
    double meanTension = 0.0; // T [kg], the arc average of H cosh(x / C)
};
// H [kg] > 0, w [kg/m] > 0, S [m] > 0, h [m].
CatenarySpan Catenary(double H, double w, double S, double h);

} // namespace orvalt
