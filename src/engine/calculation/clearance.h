// Clearance of a tension section over its ground and the things it crosses:
// is every span high enough where it hangs lowest?
//
// The profile: each support may carry the elevation of its ground and the
// height of the wire's clamp above that ground (for a suspension string,
// the clamp at rest). When every support has both, the clamps stand at
// ground + height and the spans' height differences follow from them;
// survey points (distance from the first support, elevation) and the
// supports' ground points, in order of distance, joined by straight lines,
// are the ground. Crossings (a road, a railway...) stand at a distance with
// the elevation of their surface or top and a required clearance.
//
// The wire: in each of the three load conditions, each span hangs as the
// catenary of parameter C = H / w between its clamps, H the horizontal
// tension of the span and w the load per metre in the wire's plane. With
// wind, that plane is blown out of the vertical; the wire's vertical drop
// below the chord is then the in-plane sag times the vertical load over the
// resultant load (cos of the blow-out angle).
//
// The clearance is the vertical distance from the wire down to the ground
// or the crossing; a span's least clearance is found exactly, segment by
// segment of the ground (the wire is convex, the ground straight between
// points, so each segment has one least point, solved in closed form).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation_error.h"
#include "engine/calculation/calculation_state.h"

namespace orvalt {

// 電圧区分: the voltage class of the line, which sets the default heights.
enum class VoltageClass { kLow, kHigh, kExtraHigh };
inline constexpr std::array<std::string_view, 3> kVoltageClassNames = {"低圧", "高圧", "特別高圧"};

// What a crossing is; the names are the texts of the tables, the files and
// the CSV.
enum class CrossingKind { kRoad, kRailway, kFootbridge, kBuilding, kLine, kOther };
inline constexpr std::array<std::string_view, 6> kCrossingKindNames = {
    "道路", "鉄道", "横断歩道橋", "建造物", "電線・通信線", "その他"};

// The kind or class of a name above; nullopt for any other text.
std::optional<CrossingKind> CrossingKindFromName(std::string_view name);
std::optional<VoltageClass> VoltageClassFromName(std::string_view name);

// The line's voltage: the class and, for 特別高圧, the working voltage [kV].
struct LineVoltage {
    VoltageClass voltageClass = VoltageClass::kHigh;
    double voltage = 0.0; // [kV], read only for kExtraHigh (above 7 kV)

    friend bool operator==(const LineVoltage&, const LineVoltage&) = default;
};

// The least height of the wire above a crossing of `kind` (its surface, the
// rail, its top), and above the ground elsewhere, by the technical
// standard's interpretation (see clearance_defaults.cpp for the articles).
// Throws CalculationError for 特別高圧 without a voltage above 7 kV.
double DefaultRequiredClearance(const LineVoltage& voltage, CrossingKind kind);
double DefaultGroundClearance(const LineVoltage& voltage);
// The article a default comes from, for the usage text and the table's note.
std::string_view DefaultClearanceSource(const LineVoltage& voltage, CrossingKind kind);

// One support on the ground; both values or neither.
struct SupportGround {
    std::optional<double> groundElevation;  // [m]
    std::optional<double> attachmentHeight; // [m], clamp above the ground

    friend bool operator==(const SupportGround&, const SupportGround&) = default;
};

struct GroundPoint {
    double distance = 0.0;  // [m] from the first support, along the line
    double elevation = 0.0; // [m]

    friend bool operator==(const GroundPoint&, const GroundPoint&) = default;
};

struct Crossing {
    double distance = 0.0; // [m] from the first support
    CrossingKind kind = CrossingKind::kRoad;
    double elevation = 0.0;                  // [m], its surface or top
    std::optional<double> requiredClearance; // [m]; none: the default

    friend bool operator==(const Crossing&, const Crossing&) = default;
};

// Everything the check needs besides the wire's calculation.
struct ClearanceProfile {
    std::vector<double> spanLengths;     // [m], one per span
    std::vector<SupportGround> supports; // one per support: spans + 1
    std::vector<GroundPoint> ground;     // survey points, any order
    std::vector<Crossing> crossings;
    LineVoltage voltage;
    std::optional<double> groundClearance; // [m]; none: the default
    std::int16_t creepAllowance = 0;       // [degC], added to the 検討条件 temperature
    // How the section hangs, for its exact calculation: the supports (empty:
    // DefaultSectionSupports, dead ends and fixed supports) and the
    // temperature the wire was clamped at.
    std::vector<SectionSupport> sectionSupports;
    std::int16_t stringingTemperature = kDefaultStringingTemperature;
};

// True when every support has its ground elevation and its clamp height:
// then the height differences follow from the ground and it can be checked.
bool HasGroundProfile(const std::vector<SupportGround>& supports);

// The spans' height differences from the supports (far clamp minus near
// clamp). `typed` holds what the user typed per span (nullopt: nothing);
// a typed value more than 5 mm from the ground's is refused naming the span.
// Throws CalculationError unless HasGroundProfile.
std::vector<double> HeightDifferencesFromGround(const std::vector<SupportGround>& supports,
                                                const std::vector<std::optional<double>>& typed);

// The wire of the whole section in one load condition, as the section's
// calculation leaves it.
struct WireCondition {
    double load = 0.0;                     // w [kg/m] in the wire's plane
    double verticalLoad = 0.0;             // [kg/m], weight (and ice) only
    std::vector<double> horizontalTension; // H [kg], one per span
    // How far each support's clamp has moved from rest, along the line
    // [m] and up [m]; empty means none moved.
    std::vector<double> clampShift;
    std::vector<double> clampRise;
};

struct SpanClearance {
    double minimumClearance = 0.0; // [m], wire above ground
    double distance = 0.0;         // [m] from the first support, where it is least
    int condition = 0;             // the governing load condition
    double required = 0.0;         // [m]
    double margin = 0.0;           // minimumClearance - required
    bool ok = false;               // 可 / 不可
};

struct CrossingClearance {
    double distance = 0.0;
    CrossingKind kind = CrossingKind::kRoad;
    std::size_t span = 0; // index of the span it lies in
    double clearance = 0.0;
    int condition = 0;
    double required = 0.0;
    double margin = 0.0;
    bool ok = false;
};

struct ClearanceTable {
    std::vector<SpanClearance> spans;         // in span order
    std::vector<CrossingClearance> crossings; // in the order given
};

// The check on a wire given per condition (high, low, study). Throws
// CalculationError naming the support, survey point, crossing or span that
// makes it impossible: a support without its ground, a point or crossing
// outside the section, a value that is not a finite number, a negative
// clamp height or required clearance, a load or tension that is not
// positive.
ClearanceTable CheckClearance(const ClearanceProfile& profile,
                              const std::array<WireCondition, 3>& wire);

// The wire's elevation [m] at `distance` in condition `c`, for the profile
// drawing: the same curve CheckClearance measures.
double WireElevation(const ClearanceProfile& profile, const std::array<WireCondition, 3>& wire,
                     int condition, double distance);

// The ground's elevation [m] at `distance` (the highest where points share
// a distance).
double GroundElevation(const ClearanceProfile& profile, double distance);

// The loads per metre of each condition: resultant (q Wc) and vertical (Wc,
// with the ice in the low season). Reads a state RunCalculation has set.
std::array<std::array<double, 2>, 3> ConditionLoads(const CalculationState& state);

// The whole check on a calculated state: the section solved exactly
// (ComputeBalancedSection) with the 検討条件 temperature raised by the creep
// allowance, each span's own tension and each suspension clamp's swing,
// then CheckClearance. The spans' height differences come from the ground.
ClearanceTable ComputeClearance(const CalculationState& state, const ClearanceProfile& profile);

// The wire ComputeClearance checks, for drawing it.
std::array<WireCondition, 3> ClearanceWire(const CalculationState& state,
                                           const ClearanceProfile& profile);

} // namespace orvalt
