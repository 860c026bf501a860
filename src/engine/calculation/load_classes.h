// The wind pressure load classes (荷重区分) of the interpretation of the
// technical standard for electrical equipment (電気設備の技術基準の解釈,
// 第58条), in one table: what each class fills into the conditions window's
// boxes. The numbers in the boxes stay the authority; a class only fills
// them and says where they come from.
//
//   甲種  980 Pa on a single wire, 880 Pa on a bundle conductor (多導体);
//         the high-temperature season.
//   乙種  ice 6 mm thick of specific gravity 0.9, half the 甲種 pressure on
//         the iced wire; the low season where snow and ice are heavy.
//   丙種  half the 甲種 pressure on the wire without ice; the low season
//         elsewhere.
//   甲種・乙種の大きい方  the one of the two with the larger wind load on the
//         wire: 980 x d against 490 x (d + 12) N/m per mm of a single wire
//         (880 and 440 on a bundle), so 乙種 up to d = 12 mm and 甲種 above.
//   着雪時  snow of specific gravity 0.6 at 0.3 x the 甲種 pressure; the
//         thickness is the engineer's.
// In kg units the trade's equivalents fill the boxes: 100 / 50 kg/m2 (90 /
// 45 on a bundle), 30 kg/m2 for snow (27); in SI the article's Pa.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/number/units.h"

namespace orvalt {

enum class LoadClass { kCustom, kKou, kOtsu, kHei, kKouOtsuLarger, kSnow };

struct LoadClassInfo {
    LoadClass loadClass;
    std::string_view key;  // in a case file
    std::string_view name; // in the window's choice
    bool highSeason;       // offered for the high-temperature season
    bool lowSeason;        // offered for the low-temperature season
};

inline constexpr std::array<LoadClassInfo, 6> kLoadClasses = {{
    {LoadClass::kCustom, "custom", "任意", true, true},
    {LoadClass::kKou, "kou", "甲種", true, false},
    {LoadClass::kOtsu, "otsu", "乙種", false, true},
    {LoadClass::kHei, "hei", "丙種", false, true},
    {LoadClass::kKouOtsuLarger, "kouOtsuLarger", "甲種・乙種の大きい方", false, true},
    {LoadClass::kSnow, "snow", "着雪時", false, true},
}};

constexpr const LoadClassInfo& InfoOf(LoadClass loadClass) {
    return kLoadClasses[static_cast<std::size_t>(loadClass)];
}

std::optional<LoadClass> LoadClassWithKey(std::string_view key);

// The 甲種 pressure and the ice of 乙種 and of snow.
inline constexpr double kKouPressurePa = 980.0;
inline constexpr double kKouPressureBundlePa = 880.0;
inline constexpr double kKouPressureKg = 100.0;
inline constexpr double kKouPressureBundleKg = 90.0;
inline constexpr std::int16_t kOtsuIceThickness = 6; // [mm]
inline constexpr float kOtsuIceGravity = 0.9f;
inline constexpr float kSnowGravity = 0.6f;

// What a class puts into the boxes; an empty field leaves its box alone.
struct LoadClassFill {
    LoadClass decided = LoadClass::kCustom; // 甲種・乙種の大きい方 resolved
    std::optional<double> windPressure;     // in the units asked for
    std::optional<std::int16_t> iceThickness;
    std::optional<float> iceSpecificGravity;

    friend bool operator==(const LoadClassFill&, const LoadClassFill&) = default;
};

// 甲種 or 乙種, whichever loads a wire of diameter `diameter` [mm] more in
// the wind (乙種 when they are equal, at 12 mm: its ice adds weight too).
LoadClass LargerOfKouAndOtsu(double diameter);

// The boxes' values for `loadClass` on a wire of low-season diameter
// `diameter` [mm]; 任意 fills nothing.
LoadClassFill FillForLoadClass(LoadClass loadClass, bool bundle, double diameter, UnitSystem units);

} // namespace orvalt
