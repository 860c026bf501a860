// The case file's keys for the wire and the conditions, in the file's order,
// each with the box of the window that holds the same value: the reader
// feeds the forms through them, and names a refused box by its key.
#pragma once

#include <array>
#include <string_view>

#include "engine/forms/conditions_form.h"
#include "engine/forms/wire_form.h"

namespace orvalt::case_keys {

struct KeyBox {
    std::string_view key;
    int box; // Text1(box) of the conditions window
};

inline constexpr std::array<KeyBox, 7> kWire = {{
    {"diameterHigh", kBoxDiameterHigh},
    {"diameterLow", kBoxDiameterLow},
    {"area", kBoxArea},
    {"unitWeight", kBoxUnitWeight},
    {"expansionCoeff", kBoxExpansionCoeff},
    {"elasticModulus", kBoxElasticModulus},
    {"maxTension", kBoxMaxTension},
}};

inline constexpr std::array<KeyBox, 9> kConditions = {{
    {"windPressureHigh", kBoxWindPressureHigh},
    {"windPressureLow", kBoxWindPressureLow},
    {"windPressureStudy", kBoxWindPressureStudy},
    {"temperatureHigh", kBoxTemperatureHigh},
    {"temperatureLow", kBoxTemperatureLow},
    {"temperatureStudy", kBoxTemperatureStudy},
    {"spanStart", kBoxSpanStart},
    {"spanEnd", kBoxSpanEnd},
    {"spanStep", kBoxSpanStep},
}};

inline constexpr std::array<std::string_view, 3> kChart = {"from", "to", "step"};
inline constexpr std::array<std::string_view, 2> kSpan = {"length", "heightDifference"};
inline constexpr std::array<std::string_view, 2> kIce = {"iceThickness", "iceSpecificGravity"};
// Written only when not 任意 / not a bundle / not kg units, so that a case
// without them is written as before.
inline constexpr std::string_view kLoadClassHigh = "loadClassHigh";
inline constexpr std::string_view kLoadClassLow = "loadClassLow";
inline constexpr std::string_view kBundle = "bundle";
inline constexpr std::string_view kUnits = "units";
inline constexpr std::array<std::string_view, 3> kSection = {"stringingTemperature", "spans",
                                                             "supports"};
inline constexpr std::array<std::string_view, 3> kSupport = {"type", "stringLength",
                                                             "stringWeight"};
// The words of "type", by SupportType.
inline constexpr std::array<std::string_view, 3> kSupportTypes = {"deadEnd", "fixed",
                                                                  "suspension"};
inline constexpr std::array<std::string_view, 2> kFieldCheck = {"waves", "sightingA"};
inline constexpr std::array<std::string_view, 8> kTop = {
    "format", "version", "title", "wire", "conditions", "chart", "section", "fieldCheck"};

inline bool IsTemperatureBox(int box) {
    return box == kBoxTemperatureHigh || box == kBoxTemperatureLow || box == kBoxTemperatureStudy;
}

} // namespace orvalt::case_keys
