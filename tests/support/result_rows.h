// Result table blocks written by hand, for tests that compose text from a
// table they choose rather than from a calculation.
#pragma once

#include <cstdint>

#include "engine/calculation/calculation_state.h"

namespace orvalt::test {

inline ConditionResult Block(float span, float sag, float tension, std::int16_t kValue,
                             std::int16_t templateNumber) {
    return ConditionResult{.span = span,
                           .sag = sag,
                           .tension = tension,
                           .kValue = kValue,
                           .templateNumber = templateNumber};
}

} // namespace orvalt::test
