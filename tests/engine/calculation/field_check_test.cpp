// The crew's field checks and the catenary, against values worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "engine/calculation/calculation_error.h"
#include "engine/calculation/field_check.h"

namespace orvalt::test {
namespace {

TEST(FieldCheck, ReturnWavesTimeTheSag) {
    // D = 1.23 m: sqrt(32 x 1.23 / 9.80665) = 2.00340 s a wave.
    EXPECT_NEAR(ReturnWaveSeconds(1.23, 1), 2.0034, 5e-5);
    EXPECT_NEAR(ReturnWaveSeconds(1.23, 3), 6.0102, 5e-5);
    // And back: D = g t^2 / (32 N^2).
    const double t = ReturnWaveSeconds(7.5, 4);
    EXPECT_NEAR(kStandardGravity * t * t / (32.0 * 16.0), 7.5, 1e-12);
    EXPECT_EQ(ReturnWaveSeconds(0.0, 2), 0.0);
}

TEST(FieldCheck, SightingTargetsTouchTheWire) {
    const double sag = 2.5;
    EXPECT_NEAR(*SightingTarget(sag, sag), sag, 1e-12); // equal sighting
    EXPECT_NEAR(*SightingTarget(sag, 4.0 * sag), 0.0, 1e-12);
    EXPECT_NEAR(*SightingTarget(sag, 0.0), 4.0 * sag, 1e-12);
    const double b = *SightingTarget(sag, 1.0);
    EXPECT_NEAR(std::pow(std::sqrt(1.0) + std::sqrt(b), 2) / 4.0, sag, 1e-12);
    EXPECT_FALSE(SightingTarget(sag, 4.0 * sag + 1e-9));
    EXPECT_FALSE(SightingTarget(sag, -0.1));
}

TEST(FieldCheck, CatenaryAgainstHandValuesAndTheParabola) {
    // S = 400 m, H = 1500 kg, w = 2.223906 kg/m: C = 674.49 m, D_c = 29.870 m
    // against the parabola's 29.652 m.
    EXPECT_NEAR(CatenarySag(400.0, 1500.0, 2.223906), 29.870, 5e-4);
    // A short, tight span: the two agree to far below a millimetre.
    const double parabola = 0.6 * 50.0 * 50.0 / (8.0 * 2000.0);
    EXPECT_NEAR(CatenarySag(50.0, 2000.0, 0.6) / parabola, 1.0, 1e-5);
}

TEST(FieldCheck, RefusesWhatNoWireCouldMean) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::function<void()> refused[] = {
        [] { ReturnWaveSeconds(-0.1, 3); },    [] { ReturnWaveSeconds(1.0, 0); },
        [&] { ReturnWaveSeconds(nan, 3); },    [] { SightingTarget(-1.0, 0.5); },
        [] { CatenarySag(0.0, 1500.0, 0.6); }, [&] { CatenarySag(inf, 1500.0, 0.6); },
        [] { CatenarySag(100.0, -1.0, 0.6); }, [] { CatenarySag(100.0, 1500.0, 0.0); },
        [] { CatenarySag(1e6, 1.0, 100.0); }, // cosh beyond the double range
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_THROW(refused[i](), CalculationError) << "case " << i;
    }
}

} // namespace
} // namespace orvalt::test
