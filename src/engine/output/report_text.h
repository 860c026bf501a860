// The fixed-column result report of one calculation, composed from the state.
#pragma once

#include <string>

#include "engine/calculation/calculation_state.h"
#include "engine/number/units.h"

namespace orvalt {

// The whole report in UTF-8, every line ending in CR LF. In SI the same
// layout with SI labels and values (wind in Pa, unit weight in N/m, the
// elastic modulus in N/mm2, tensions in kN) and the results' units named
// after 計算結果; in kg units the design's report byte for byte.
std::string ComposeResultReport(const CalculationState& state,
                                UnitSystem units = UnitSystem::kKgf);

// The report's head after its title: the wire constants under
// "///// 架渉線定数 /////" and the design conditions under "///// 基本条件 /////",
// ending with the 検討条件 line (lines 2 to 15 of the report), each line ending
// in CR LF. Other printouts of a calculation head their pages with it.
void AppendWireAndConditionLines(std::string& out, const CalculationState& state,
                                 UnitSystem units = UnitSystem::kKgf);

} // namespace orvalt
