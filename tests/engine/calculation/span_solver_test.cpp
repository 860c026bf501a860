// The Newton solver and the template lookup on their own.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/calculation/span_solver.h"

namespace orvalt {
namespace {

TEST(TemplateLookup, FollowsTheTemplateTable) {
    const std::pair<int, int> cases[] = {
        {0, 0},     {-5, -5},   {69, 69},   {70, 71},   {71, 71},       {72, 74},
        {74, 74},   {75, 77},   {80, 80},   {81, 85},   {86, 90},       {87, 90},
        {91, 98},   {99, 106},  {107, 114}, {115, 120}, {121, 140},     {140, 140},
        {141, 160}, {159, 160}, {160, 160}, {161, 161}, {32767, 32767},
    };
    for (auto [k, expected] : cases) {
        EXPECT_EQ(LookupTemplateNumber(static_cast<std::int16_t>(k)), expected) << "k = " << k;
    }
}

TEST(StateEquation, ReferenceConditionSolvesToTheMaximumStress) {
    // The 50 mm example at 300 m in the low season: M = q² δ² S² E / 24 =
    // 2.44026² (1/300)² 300² 8000 / 24 = 1984.9563, and K = σ - M / σ² =
    // -9.849563 makes σ = 10 kg/mm2 itself the root.
    EXPECT_NEAR(SolveStateEquation(2.44026f, 2.0 / 600.0, 300.0f, 8000.0f, -9.849563f, 10.0f),
                10.0f, 1e-4);
}

TEST(StateEquation, FindsTheRootFarFromTheStart) {
    // M = 1² 0.00375² 250² 9000 / 24 = 329.58984375; x³ + 20 x² = M has its
    // one positive root at 3.7270486 (by bisection), well below the start 9.375.
    const float x = SolveStateEquation(1.0f, 0.00375, 250.0f, 9000.0f, -20.0f, 9.375f);
    EXPECT_NEAR(x, 3.7270486f, 2e-6f);
}

TEST(StateEquation, ZeroDerivativeIsAnError) {
    // Starting at x = 0 makes f'(x) = 0.
    EXPECT_THROW(SolveStateEquation(1.0f, 0.00375, 100.0f, 9000.0f, 5.0f, 0.0f), CalculationError);
}

TEST(StateEquation, IterationThatComesBackToAValueEndsWithAnError) {
    // A wire with a negative elastic modulus (a broken catalogue entry) sends
    // Newton's method round a cycle: it must stop with a message, not hang.
    try {
        SolveStateEquation(1.0f, 1.0, 1.0f, -28.56f, 1.0f, 0.3f);
        FAIL() << "expected a failure";
    } catch (const CalculationError& e) {
        EXPECT_NE(std::string(e.what()).find("収束しませんでした"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace orvalt
