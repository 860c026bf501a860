// The fixed-column result report of one calculation, composed from the state.
#pragma once

#include <string>

#include "core/calculation_state.h"

namespace orvalt {

// The whole report in UTF-8, every line ending in CR LF.
std::string ComposeResultReport(const CalculationState& state);

} // namespace orvalt
