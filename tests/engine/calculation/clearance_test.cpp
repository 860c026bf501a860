// Clearance over the ground and crossings: hand-computed catenaries over
// flat ground, crossings, survey points on the supports, the vertical drop
// under wind, the closed-form least point against a dense search over
// uneven ground, the creep allowance, the default heights' voltage steps,
// and every refusal.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/calculation/clearance.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

// One level 200 m span, supports on ground at 100 m, clamps 12 m up.
ClearanceProfile LevelSpan() {
    ClearanceProfile p;
    p.spanLengths = {200.0};
    p.supports = {{100.0, 12.0}, {100.0, 12.0}};
    return p;
}

std::array<WireCondition, 3> SameWire(double H, double load, double vertical, std::size_t spans) {
    WireCondition w;
    w.load = load;
    w.verticalLoad = vertical;
    w.horizontalTension.assign(spans, H);
    return {w, w, w};
}

// The sag of a level catenary span at midspan: C (cosh(S / 2C) - 1).
double LevelCatenarySag(double S, double C) { return C * (std::cosh(S / (2.0 * C)) - 1.0); }

struct GeometryCase {
    const char* name;
    std::vector<GroundPoint> ground;
    std::vector<Crossing> crossings;
    double load, vertical; // [kg/m]
    double wantClearance;  // least over the ground [m]
    double wantDistance;   // where [m]
    double wantCrossing;   // at the first crossing, if any [m]
};

TEST(Clearance, HandComputedLevelSpans) {
    const double S = 200.0, H = 1000.0;
    const double sag1 = LevelCatenarySag(S, H / 1.0); // 5.0042 m
    const double sag2 = LevelCatenarySag(S, H / 2.0); // 10.033 m in the blown-out plane
    const GeometryCase cases[] = {
        {"flat ground: clamp height less sag", {}, {}, 1.0, 1.0, 12.0 - sag1, 100.0, 0.0},
        {"crossing at midspan, 1 m up",
         {},
         {{100.0, CrossingKind::kRoad, 101.0, std::nullopt}},
         1.0,
         1.0,
         12.0 - sag1,
         100.0,
         11.0 - sag1},
        {"survey points on the supports at their elevation change nothing",
         {{0.0, 100.0}, {200.0, 100.0}},
         {},
         1.0,
         1.0,
         12.0 - sag1,
         100.0,
         0.0},
        {"a survey point on a support, higher: the step counts there",
         {{200.0, 110.0}},
         {},
         1.0,
         1.0,
         2.0,
         200.0,
         0.0},
        {"wind: half the load vertical drops half the in-plane sag",
         {},
         {{50.0, CrossingKind::kOther, 100.0, 1.0}},
         2.0,
         1.0,
         12.0 - 0.5 * sag2,
         100.0,
         12.0 - 0.5 * 500.0 * (std::cosh(0.2) - std::cosh(0.1))},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClearanceProfile p = LevelSpan();
        p.ground = c.ground;
        p.crossings = c.crossings;
        const ClearanceTable t = CheckClearance(p, SameWire(H, c.load, c.vertical, 1));
        ASSERT_EQ(t.spans.size(), 1u);
        EXPECT_NEAR(t.spans[0].minimumClearance, c.wantClearance, 1e-9);
        EXPECT_NEAR(t.spans[0].distance, c.wantDistance, 1e-6);
        EXPECT_EQ(t.spans[0].required, 5.0); // 高圧, elsewhere
        EXPECT_EQ(t.spans[0].ok, c.wantClearance >= 5.0);
        if (!c.crossings.empty()) {
            ASSERT_EQ(t.crossings.size(), 1u);
            EXPECT_NEAR(t.crossings[0].clearance, c.wantCrossing, 1e-9);
            const double required = c.crossings[0].requiredClearance.value_or(6.0);
            EXPECT_EQ(t.crossings[0].required, required);
            EXPECT_NEAR(t.crossings[0].margin, c.wantCrossing - required, 1e-9);
        }
    }
}

// A swung suspension clamp moves along the line and rises: the span hangs
// between the clamps where they are.
TEST(Clearance, SpansHangFromTheClampsWhereTheStringsMovedThem) {
    ClearanceProfile p = LevelSpan();
    auto wire = SameWire(1000.0, 1.0, 1.0, 1);
    for (WireCondition& w : wire) {
        w.clampShift = {0.0, -20.0}; // the far clamp swung back: a 180 m span
        w.clampRise = {0.0, 0.5};
    }
    const ClearanceTable t = CheckClearance(p, wire);
    // Level catenary of 180 m raised by the chord from 112 to 112.5 m: the
    // least point lies near midspan; check against the curve itself.
    const double S = 180.0, h = 0.5, C = 1000.0;
    const double um = S / 2.0 - C * std::asinh(h / (2.0 * C * std::sinh(S / (2.0 * C))));
    double least = 1e9;
    for (double u = 0.0; u <= S; u += 0.01) {
        const double y = C * (std::cosh((u - um) / C) - std::cosh(um / C));
        least = std::min(least, 12.0 + y);
    }
    EXPECT_NEAR(t.spans[0].minimumClearance, least, 1e-6);
    EXPECT_LT(t.spans[0].distance, 90.0);
}

TEST(Clearance, LeastPointMatchesADenseSearchOverUnevenGround) {
    ClearanceProfile p;
    p.spanLengths = {180.0, 260.0, 140.0};
    p.supports = {{100.0, 14.0}, {112.0, 18.0}, {96.0, 12.0}, {104.0, 16.0}};
    p.ground = {{40.0, 101.0}, {90.0, 105.5}, {150.0, 103.0}, {230.0, 109.0},
                {300.0, 99.0}, {380.0, 95.5}, {470.0, 99.0},  {520.0, 102.5}};
    auto wire = SameWire(900.0, 1.2, 1.0, 3);
    wire[1].horizontalTension = {1400.0, 1400.0, 1400.0};
    wire[2].load = 1.0; // still air: hangs lowest with the least tension
    wire[2].horizontalTension = {700.0, 700.0, 700.0};
    const ClearanceTable t = CheckClearance(p, wire);
    const double starts[] = {0.0, 180.0, 440.0, 580.0};
    for (std::size_t i = 0; i < 3; ++i) {
        double least = 1e9;
        for (int c = 0; c < 3; ++c) {
            for (double x = starts[i]; x <= starts[i + 1]; x += 0.05) {
                least = std::min(least, WireElevation(p, wire, c, x) - GroundElevation(p, x));
            }
        }
        SCOPED_TRACE(i);
        EXPECT_LE(t.spans[i].minimumClearance, least + 1e-9);
        EXPECT_NEAR(t.spans[i].minimumClearance, least, 1e-5);
        EXPECT_EQ(t.spans[i].condition, 2);
        EXPECT_NEAR(WireElevation(p, wire, 2, t.spans[i].distance) -
                        GroundElevation(p, t.spans[i].distance),
                    t.spans[i].minimumClearance, 1e-9);
    }
}

CalculationState Calculated(std::int16_t studyTemperature) {
    CalculationState s;
    s.currentWire = test::AcsrLinnet();
    s.temperatureStudy = studyTemperature;
    RunCalculation(s);
    return s;
}

TEST(Clearance, CreepAllowanceActsAsAHotterStudyCondition) {
    ClearanceProfile p;
    p.spanLengths = {150.0, 220.0};
    p.supports = {{50.0, 12.0}, {48.0, 12.0}, {53.0, 13.0}};
    p.crossings = {{260.0, CrossingKind::kRoad, 47.0, std::nullopt}};
    ClearanceProfile crept = p;
    crept.creepAllowance = 20;
    const ClearanceTable plain = ComputeClearance(Calculated(60), p);
    const ClearanceTable withCreep = ComputeClearance(Calculated(60), crept);
    const ClearanceTable hotter = ComputeClearance(Calculated(80), p);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(withCreep.spans[i].minimumClearance, hotter.spans[i].minimumClearance);
        EXPECT_LT(withCreep.spans[i].minimumClearance, plain.spans[i].minimumClearance);
    }
    EXPECT_EQ(withCreep.crossings[0].clearance, hotter.crossings[0].clearance);
    EXPECT_EQ(hotter.crossings[0].condition, 2);
}

TEST(Clearance, ExtraHighDefaultsStepWithVoltage) {
    struct Case {
        double kV;
        CrossingKind kind;
        double want;
    } const cases[] = {
        {22.0, CrossingKind::kFootbridge, 4.0}, {22.0, CrossingKind::kRailway, 5.5},
        {66.0, CrossingKind::kRailway, 6.0},    {160.0, CrossingKind::kOther, 6.0},
        {161.0, CrossingKind::kRoad, 6.12},     {187.0, CrossingKind::kRoad, 6.36},
        {275.0, CrossingKind::kOther, 7.44},    {77.0, CrossingKind::kLine, 2.24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kV);
        EXPECT_NEAR(DefaultRequiredClearance({VoltageClass::kExtraHigh, c.kV}, c.kind), c.want,
                    1e-12);
    }
}

std::string Refusal(const ClearanceProfile& p) {
    try {
        CheckClearance(p, SameWire(1000.0, 1.0, 1.0, p.spanLengths.size()));
    } catch (const CalculationError& e) {
        return e.what();
    }
    return "(no refusal)";
}

TEST(Clearance, Refusals) {
    struct Case {
        const char* want;
        void (*change)(ClearanceProfile&);
    } const cases[] = {
        {"横断物 1（道路）の距離 250 m が区間（0～200 m）の外です。",
         [](ClearanceProfile& p) {
             p.crossings = {{250.0, CrossingKind::kRoad, 100.0, {}}};
         }},
        {"地表の測点 2 の距離 -3 m が区間（0～200 m）の外です。",
         [](ClearanceProfile& p) {
             p.ground = {{10.0, 100.0}, {-3.0, 100.0}};
         }},
        {"支持点 2 の地盤高と取付高さがありません。",
         [](ClearanceProfile& p) { p.supports[1].attachmentHeight.reset(); }},
        {"支持点 1 の取付高さは 0 以上にしてください。",
         [](ClearanceProfile& p) { p.supports[0].attachmentHeight = -1.0; }},
        {"横断物 1（鉄道）の必要離隔は 0 以上にしてください。",
         [](ClearanceProfile& p) {
             p.crossings = {{50.0, CrossingKind::kRailway, 99.0, -5.5}};
         }},
        {"地表の測点 1 の標高が数になっていません。",
         [](ClearanceProfile& p) {
             p.ground = {{10.0, NAN}};
         }},
        {"特別高圧の使用電圧 [kV] を 7 より大きい数で入力してください。",
         [](ClearanceProfile& p) {
             p.voltage = {VoltageClass::kExtraHigh, 6.6};
         }},
        {"クリープ補正温度は 0 以上にしてください。",
         [](ClearanceProfile& p) { p.creepAllowance = -5; }},
    };
    for (const Case& c : cases) {
        ClearanceProfile p = LevelSpan();
        c.change(p);
        const std::string message = Refusal(p);
        EXPECT_NE(message.find(c.want), std::string::npos) << message;
        EXPECT_EQ(message.rfind("離隔の計算ができませんでした。\n", 0), 0u) << message;
    }
}

TEST(Clearance, HeightDifferencesFollowTheGround) {
    const std::vector<SupportGround> supports = {{100.0, 12.0}, {103.0, 12.5}, {98.0, 10.0}};
    const std::vector<double> h = HeightDifferencesFromGround(supports, {std::nullopt, -7.504});
    ASSERT_EQ(h.size(), 2u);
    EXPECT_NEAR(h[0], 3.5, 1e-12);
    EXPECT_NEAR(h[1], -7.5, 1e-12);
    try {
        HeightDifferencesFromGround(supports, {3.506, std::nullopt});
        FAIL() << "a height difference 6 mm off was accepted";
    } catch (const CalculationError& e) {
        EXPECT_NE(std::string(e.what()).find("径間 1 の高低差 3.506 m が、地盤高と取付高さから求め"
                                             "た 3.5 m と 5 mm を超えて違います。"),
                  std::string::npos)
            << e.what();
    }
}

} // namespace
} // namespace orvalt
