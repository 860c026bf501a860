// The load classes of 第58条: what each fills into the conditions window's
// boxes, single wire and bundle, kg units and SI, and the choice of the
// larger of 甲種 and 乙種 that turns at a 12 mm wire.
#include "engine/calculation/load_classes.h"

#include <gtest/gtest.h>

#include <ostream>

namespace orvalt {
namespace {

struct FillCase {
    LoadClass loadClass;
    bool bundle;
    double diameter;
    UnitSystem units;
    LoadClassFill expected;
};

void PrintTo(const FillCase& c, std::ostream* os) {
    *os << InfoOf(c.loadClass).name << (c.bundle ? " 多導体" : "") << " d=" << c.diameter
        << (c.units == UnitSystem::kSi ? " SI" : " kg");
}

void PrintTo(const LoadClassFill& f, std::ostream* os) {
    *os << InfoOf(f.decided).name << " wind=" << (f.windPressure ? *f.windPressure : -1)
        << " ice=" << (f.iceThickness ? *f.iceThickness : -1)
        << " gravity=" << (f.iceSpecificGravity ? *f.iceSpecificGravity : -1);
}

class LoadClassFills : public ::testing::TestWithParam<FillCase> {};

TEST_P(LoadClassFills, TheBoxesOfTheClass) {
    const FillCase& c = GetParam();
    EXPECT_EQ(FillForLoadClass(c.loadClass, c.bundle, c.diameter, c.units), c.expected);
}

constexpr UnitSystem kKg = UnitSystem::kKgf;
constexpr UnitSystem kSi = UnitSystem::kSi;
using LC = LoadClass;

INSTANTIATE_TEST_SUITE_P(
    LoadClasses, LoadClassFills,
    ::testing::Values(
        // 任意 leaves every box as it is.
        FillCase{LC::kCustom, false, 18.2, kKg, {LC::kCustom, {}, {}, {}}},
        // 甲種: 980 / 880 Pa, 100 / 90 kg/m2; the ice is the low season's.
        FillCase{LC::kKou, false, 18.2, kKg, {LC::kKou, 100.0, {}, {}}},
        FillCase{LC::kKou, true, 18.2, kKg, {LC::kKou, 90.0, {}, {}}},
        FillCase{LC::kKou, false, 18.2, kSi, {LC::kKou, 980.0, {}, {}}},
        FillCase{LC::kKou, true, 18.2, kSi, {LC::kKou, 880.0, {}, {}}},
        // 乙種: half of 甲種 on 6 mm of ice of 0.9.
        FillCase{LC::kOtsu, false, 18.2, kKg, {LC::kOtsu, 50.0, 6, 0.9f}},
        FillCase{LC::kOtsu, true, 18.2, kKg, {LC::kOtsu, 45.0, 6, 0.9f}},
        FillCase{LC::kOtsu, false, 18.2, kSi, {LC::kOtsu, 490.0, 6, 0.9f}},
        FillCase{LC::kOtsu, true, 18.2, kSi, {LC::kOtsu, 440.0, 6, 0.9f}},
        // 丙種: half of 甲種 without ice.
        FillCase{LC::kHei, false, 18.2, kKg, {LC::kHei, 50.0, 0, 0.9f}},
        FillCase{LC::kHei, true, 18.2, kSi, {LC::kHei, 440.0, 0, 0.9f}},
        // 着雪時: 0.3 of 甲種 on snow of 0.6; the thickness stays typed.
        FillCase{LC::kSnow, false, 18.2, kKg, {LC::kSnow, 30.0, {}, 0.6f}},
        FillCase{LC::kSnow, true, 18.2, kKg, {LC::kSnow, 27.0, {}, 0.6f}},
        FillCase{LC::kSnow, false, 18.2, kSi, {LC::kSnow, 294.0, {}, 0.6f}},
        FillCase{LC::kSnow, true, 18.2, kSi, {LC::kSnow, 264.0, {}, 0.6f}},
        // The larger of 甲種 and 乙種: 980 d against 490 (d + 12), equal at
        // 12 mm (11,760 N/m per 1000 each), where 乙種 with its ice is kept.
        FillCase{LC::kKouOtsuLarger, false, 5.0, kKg, {LC::kOtsu, 50.0, 6, 0.9f}},
        FillCase{LC::kKouOtsuLarger, false, 11.9, kKg, {LC::kOtsu, 50.0, 6, 0.9f}},
        FillCase{LC::kKouOtsuLarger, false, 12.0, kKg, {LC::kOtsu, 50.0, 6, 0.9f}},
        FillCase{LC::kKouOtsuLarger, false, 12.1, kKg, {LC::kKou, 100.0, 0, 0.9f}},
        FillCase{LC::kKouOtsuLarger, false, 18.2, kSi, {LC::kKou, 980.0, 0, 0.9f}},
        FillCase{LC::kKouOtsuLarger, true, 10.0, kSi, {LC::kOtsu, 440.0, 6, 0.9f}},
        FillCase{LC::kKouOtsuLarger, true, 12.5, kKg, {LC::kKou, 90.0, 0, 0.9f}}));

// The decision is the article's comparison of wind loads in N/m, for every
// wire from 1 mm to 40 mm in steps of 0.1 mm.
TEST(LoadClasses, LargerOfKouAndOtsuComparesTheArticlesWindLoads) {
    for (int tenths = 10; tenths <= 400; ++tenths) {
        const double d = tenths / 10.0;
        const double kou = 980.0 * d / 1000.0;
        const double otsu = 490.0 * (d + 12.0) / 1000.0;
        EXPECT_EQ(LargerOfKouAndOtsu(d), kou > otsu ? LoadClass::kKou : LoadClass::kOtsu) << d;
    }
}

TEST(LoadClasses, EveryClassIsFoundByItsKeyAndOfferedForASeason) {
    for (const LoadClassInfo& info : kLoadClasses) {
        EXPECT_EQ(LoadClassWithKey(info.key), info.loadClass) << info.key;
        EXPECT_EQ(&InfoOf(info.loadClass), &info) << info.key;
        EXPECT_TRUE(info.highSeason || info.lowSeason) << info.key;
    }
    EXPECT_EQ(LoadClassWithKey("甲種"), std::nullopt);
    EXPECT_EQ(LoadClassWithKey(""), std::nullopt);
}

} // namespace
} // namespace orvalt
