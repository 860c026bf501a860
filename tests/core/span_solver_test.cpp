// The Newton solver and the template lookup on their own.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/span_solver.h"

namespace orvalt {
namespace {

TEST(TemplateLookup, FollowsTheTemplateTable) {
    const std::pair<int, int> cases[] = {
        {0, 0},     {-5, -5},   {69, 69},   {70, 71},   {71, 71},   {72, 74},   {74, 74},
        {75, 77},   {80, 80},   {81, 85},   {86, 90},   {87, 90},   {91, 98},   {99, 106},
        {107, 114}, {115, 120}, {121, 140}, {140, 140}, {141, 160}, {159, 160}, {160, 160},
        {161, 161}, {32767, 32767},
    };
    for (auto [k, expected] : cases) {
        EXPECT_EQ(LookupTemplateNumber(static_cast<std::int16_t>(k)), expected) << "k = " << k;
    }
}

TEST(StateEquation, ReferenceConditionSolvesToTheMaximumStress) {
    // With K = sigma - M / sigma^2 the root is sigma itself: one step.
    const float q = 2.44026f, S = 300.0f, E = 8000.0f, sigma = 10.0f;
    const double delta = 2.0 / 600.0;
    const double M = static_cast<double>(q) * q * delta * delta * S * S * E / 24.0;
    const float K = static_cast<float>(sigma - M / (static_cast<double>(sigma) * sigma));
    EXPECT_NEAR(SolveStateEquation(q, delta, S, E, K, sigma), sigma, 1e-4);
}

TEST(StateEquation, RootSatisfiesTheCubic) {
    const float q = 1.0f, S = 250.0f, E = 9000.0f, K = -20.0f, sigma = 9.375f;
    const double delta = 0.00375;
    const float x = SolveStateEquation(q, delta, S, E, K, sigma);
    const double M = static_cast<double>(q) * q * delta * delta * S * S * E / 24.0;
    EXPECT_NEAR(x * x * (x - K), M, M * 1e-5);
    EXPECT_GT(x, 0.0f);
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
