#include "engine/calculation/load_classes.h"

namespace orvalt {
namespace {

// 甲種 in the units asked for; the other classes are parts of it.
double KouPressure(bool bundle, UnitSystem units) {
    if (units == UnitSystem::kSi) {
        return bundle ? kKouPressureBundlePa : kKouPressurePa;
    }
    return bundle ? kKouPressureBundleKg : kKouPressureKg;
}

constexpr double kHalf = 0.5;
constexpr double kSnowShare = 0.3;
// 乙種's ice on both sides of the wire [mm].
constexpr double kOtsuIcedExtra = 2.0 * kOtsuIceThickness;

} // namespace

std::optional<LoadClass> LoadClassWithKey(std::string_view key) {
    for (const LoadClassInfo& info : kLoadClasses) {
        if (info.key == key) return info.loadClass;
    }
    return std::nullopt;
}

LoadClass LargerOfKouAndOtsu(double diameter) {
    // Wind load per metre, up to a common factor: 甲種 on the bare wire
    // against half of it on the iced one.
    const double kou = diameter;
    const double otsu = kHalf * (diameter + kOtsuIcedExtra);
    return kou > otsu ? LoadClass::kKou : LoadClass::kOtsu;
}

LoadClassFill FillForLoadClass(LoadClass loadClass, bool bundle, double diameter,
                               UnitSystem units) {
    const double kou = KouPressure(bundle, units);
    const LoadClass decided =
        loadClass == LoadClass::kKouOtsuLarger ? LargerOfKouAndOtsu(diameter) : loadClass;
    LoadClassFill fill{.decided = decided};
    switch (decided) {
        case LoadClass::kCustom:
            break;
        case LoadClass::kKou:
            fill.windPressure = kou;
            if (loadClass == LoadClass::kKouOtsuLarger) {
                // In the low season 甲種 means a wire without ice.
                fill.iceThickness = 0;
                fill.iceSpecificGravity = kOtsuIceGravity;
            }
            break;
        case LoadClass::kOtsu:
            fill.windPressure = kHalf * kou;
            fill.iceThickness = kOtsuIceThickness;
            fill.iceSpecificGravity = kOtsuIceGravity;
            break;
        case LoadClass::kHei:
            fill.windPressure = kHalf * kou;
            fill.iceThickness = 0;
            fill.iceSpecificGravity = kOtsuIceGravity;
            break;
        case LoadClass::kSnow:
            fill.windPressure = kSnowShare * kou;
            fill.iceSpecificGravity = kSnowGravity;
            break;
        case LoadClass::kKouOtsuLarger:
            break; // resolved above
    }
    return fill;
}

} // namespace orvalt
