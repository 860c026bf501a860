// The wires the tests calculate with and write into catalogues: the
// program's two worked examples and ACSR Linnet. Fields are named, since the
// struct's order (d1, d2, A, Wc, α, E, T) is not the catalogue file's
// (α, E, Wc, A, d1, d2, T) and a positional list mixes them up unnoticed.
#pragma once

#include <ostream>

#include "engine/calculation/calculation.h"
#include "engine/calculation/calculation_state.h"

namespace orvalt {

// Readable failures: the record with its fields named.
inline void PrintTo(const WireRecord& r, std::ostream* os) {
    *os << "{\"" << r.wireName << "\" d1=" << r.diameterHigh << " d2=" << r.diameterLow
        << " A=" << r.area << " Wc=" << r.unitWeight << " alpha=" << r.expansionCoeff
        << " E=" << r.elasticModulus << " T=" << r.maxTension << "}";
}

namespace test {

// 18.2 mm, strung in the low season at every span (no critical span).
inline WireRecord WorkedExample1() {
    return {.wireName = "計算例1",
            .diameterHigh = 18.2f,
            .diameterLow = 18.2f,
            .area = 160.0f,
            .unitWeight = 0.6f,
            .expansionCoeff = 18.0f,
            .elasticModulus = 9000.0f,
            .maxTension = 1500.0f};
}

// 50 mm, with a critical span of 308.33 m.
inline WireRecord WorkedExample2() {
    return {.wireName = "計算例2",
            .diameterHigh = 50.0f,
            .diameterLow = 50.0f,
            .area = 600.0f,
            .unitWeight = 2.0f,
            .expansionCoeff = 19.0f,
            .elasticModulus = 8000.0f,
            .maxTension = 6000.0f};
}

inline WireRecord AcsrLinnet() {
    return {.wireName = "ACSR Linnet",
            .diameterHigh = 18.29f,
            .diameterLow = 18.29f,
            .area = 198.1f,
            .unitWeight = 0.6885f,
            .expansionCoeff = 19.2f,
            .elasticModulus = 8902.0f,
            .maxTension = 2557.0f};
}

// The tension-section examples' wire: 297.6 mm2, 1.1 kg/m, E 8000,
// alpha 18.9, T = 3000 kg.
inline WireRecord Wire240() {
    return {.wireName = "240",
            .diameterHigh = 22.4f,
            .diameterLow = 22.4f,
            .area = 297.6f,
            .unitWeight = 1.1f,
            .expansionCoeff = 18.9f,
            .elasticModulus = 8000.0f,
            .maxTension = 3000.0f};
}

// `wire` calculated over the one span of 100 m: all a tension section needs.
inline CalculationState CalculatedAt100m(const WireRecord& wire) {
    CalculationState state;
    state.currentWire = wire;
    state.spanStart = 100.0f;
    state.spanEnd = 100.0f;
    RunCalculation(state);
    return state;
}

// Worked example 2 from the start-up conditions in 50 m steps, calculated:
// the state behind the 50 mm report, chart, CSV and sheet goldens.
inline CalculationState CalculatedExample50mm() {
    CalculationState state;
    state.currentWire = WorkedExample2();
    state.spanStep = 50.0f;
    RunCalculation(state);
    return state;
}

} // namespace test
} // namespace orvalt
