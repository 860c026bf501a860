// The one record that the windows and the calculation share for a whole run:
// the selected wire, the design conditions, what the last calculation derived
// and its result table. The windows' own bookkeeping (the catalogue's path,
// the open result windows, whether the conditions window is open) belongs to
// the window host.
//
// Storage types are part of the arithmetic: wire constants, wind pressures and
// spans are float; temperatures and ice thickness are 16-bit; the double fields
// are double. A default-constructed state holds exactly the start-up values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/load_classes.h"

namespace orvalt {

// One wire type: its name and seven single-precision constants, in the order
// the windows show them. The catalogue file stores them in another order.
struct WireRecord {
    std::string wireName;        // UTF-8
    float diameterHigh = 0.0f;   // d1 [mm], high-temperature season and study
    float diameterLow = 0.0f;    // d2 [mm], low-temperature season
    float area = 0.0f;           // A [mm2]
    float unitWeight = 0.0f;     // Wc [kg/m]
    float expansionCoeff = 0.0f; // alpha, as a number of 1e-6 per degC
    float elasticModulus = 0.0f; // E [kg/mm2]
    float maxTension = 0.0f;     // T [kg]

    friend bool operator==(const WireRecord&, const WireRecord&) = default;
};

// Load condition index: selects the block of a SpanRow and the column group of
// the report.
enum : std::int16_t {
    kHighSeason = 0,    // 高温季
    kLowSeason = 1,     // 低温季
    kStudyCondition = 2 // 検討条件
};

// The load conditions' names, by condition index: the curves, the CSV headings
// and the calculation's messages all name a condition this way.
inline constexpr std::array<std::string_view, 3> kConditionNames = {"高温季", "低温季", "検討条件"};

struct ConditionResult {
    float span = 0.0f;    // [m], the same in all three blocks of a row
    float sag = 0.0f;     // [m] at mid-span
    float tension = 0.0f; // [kg], A * stress
    std::int16_t kValue = 0;
    std::int16_t templateNumber = 0;
};

struct SpanRow {
    std::array<ConditionResult, 3> block{}; // indexed by load condition
};

// Sag template (定規) numbers, ascending; the last is also the lookup's limit.
inline constexpr std::array<std::int16_t, 12> templateTable = {71, 74,  77,  80,  85,  90,
                                                               98, 106, 114, 120, 140, 160};

struct CalculationState {
    // Design conditions (whole numbers once the conditions window stored them).
    float windPressureHigh = 100.0f;    // [kg/m2]
    float windPressureLow = 50.0f;      // [kg/m2], on the iced wire
    float windPressureStudy = 0.0f;     // [kg/m2]
    std::int16_t temperatureHigh = 15;  // [degC]
    std::int16_t temperatureLow = -15;  // [degC]
    std::int16_t temperatureStudy = 90; // [degC]
    std::int16_t iceThickness = 9;      // [mm], low-temperature season
    std::int16_t iceThicknessStudy = 0; // [mm], only listed in the report
    float iceSpecificGravity = 0.9f;
    float spanStart = 100.0f; // [m]
    float spanEnd = 400.0f;   // [m]
    float spanStep = 10.0f;   // [m], negative for a descending table
    // Where the wind and ice came from (第58条), as the conditions window
    // last filled them; the numbers above stay the authority.
    LoadClass loadClassHigh = LoadClass::kCustom;
    LoadClass loadClassLow = LoadClass::kCustom;
    bool bundle = false; // 多導体: a bundle conductor's pressures

    WireRecord currentWire; // empty until the conditions window's OK

    // Derived by the last calculation.
    float loadFactorHigh = 0.0f;  // QH
    float loadFactorLow = 0.0f;   // QL
    float loadFactorStudy = 1.0f; // Qs
    double weightPerArea = 0.0;   // delta = Wc / A
    float maxStress = 0.0f;       // sigma = T / A [kg/mm2]
    bool hasCriticalSpan = false;
    double criticalSpan = 0.0; // [m], 0 when there is none
    std::vector<SpanRow> resultTable;
};

} // namespace orvalt
