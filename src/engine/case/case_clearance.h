// The case file's keys for the ground, the crossings and the voltage of a
// tension section, kept apart from the rest of the file's reading so that
// the section's own keys and these grow independently:
//
//   "section": {
//     ...,
//     "supports": [ { ..., "groundElevation": 101.5, "attachmentHeight": 12.0 } ],
//     "ground": [ { "distance": 35.0, "elevation": 97.2 } ],
//     "crossings": [ { "distance": 210.0, "kind": "道路", "elevation": 96.0,
//                      "requiredClearance": 6.0 } ],        (requiredClearance optional)
//     "voltageClass": "高圧",          (低圧, 高圧 or 特別高圧)
//     "voltage": 66,                   (kV, for 特別高圧)
//     "groundClearance": 5.0,          (optional: overrides the default)
//     "creepAllowance": 10             (degC, a whole number, optional)
//   }
//
// Every key is optional. Values are checked for their type here (a number,
// a known kind); whether they fit the section (a distance inside it) is the
// clearance calculation's check.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/calculation/clearance.h"

namespace orvalt {

struct CaseClearance {
    std::vector<SupportGround> supports; // one per support, or empty
    std::vector<GroundPoint> ground;
    std::vector<Crossing> crossings;
    std::optional<LineVoltage> voltage; // none: not chosen (高圧 is assumed)
    std::optional<double> groundClearance;
    std::int16_t creepAllowance = 0;

    friend bool operator==(const CaseClearance&, const CaseClearance&) = default;
};

namespace case_keys {
inline constexpr std::array<std::string_view, 2> kSupportGround = {"groundElevation",
                                                                   "attachmentHeight"};
inline constexpr std::array<std::string_view, 6> kSectionClearance = {
    "ground", "crossings", "voltageClass", "voltage", "groundClearance", "creepAllowance"};
inline constexpr std::array<std::string_view, 2> kGroundPoint = {"distance", "elevation"};
inline constexpr std::array<std::string_view, 4> kCrossing = {"distance", "kind", "elevation",
                                                              "requiredClearance"};
} // namespace case_keys

// A key of the file that cannot be used: its path ("section.crossings[0].kind")
// and why, in the windows' voice.
struct CaseFieldError {
    std::string field;
    std::string detail;
};

// The profile the clearance check takes: the case's spans' lengths with its
// ground, crossings and voltage.
ClearanceProfile ClearanceProfileOf(const CaseClearance& clearance,
                                    const std::vector<double>& spanLengths);

// Members of the section object and of one support, as "key": value texts in
// the order above, for the file's writer; absent values give no member.
using CaseMembers = std::vector<std::pair<std::string_view, std::string>>;
CaseMembers SectionClearanceMembers(const CaseClearance& clearance, std::string_view indent);
CaseMembers SupportGroundMembers(const SupportGround& support);

} // namespace orvalt
