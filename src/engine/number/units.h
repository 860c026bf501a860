// The two unit systems the program speaks: the engineer's kg units, in which
// everything is stored and calculated (kg for a force, as the trade writes
// kgf), and SI. A value in SI is the kg value times the factor of its
// quantity; lengths, sags, temperatures and the ice stay as they are.
//
//   quantity        kg units   SI       factor
//   tension         kg         kN       g / 1000
//   wind pressure   kg/m2      Pa       g
//   unit weight     kg/m       N/m      g
//   stress, E       kg/mm2     N/mm2    g
// with g = 9.80665 m/s2 exactly (the standard acceleration of gravity, by
// which 1 kgf = 9.80665 N). Tensions are in kN everywhere in SI, to the
// newton (1500 kg = 14.710 kN): a line's tensions of tens of kN fit the
// report's columns.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace orvalt {

enum class UnitSystem { kKgf, kSi };

inline constexpr double kStandardGravity = 9.80665; // [m/s2], exact

enum class UnitQuantity { kTension, kWindPressure, kUnitWeight, kStress };

struct QuantityUnits {
    UnitQuantity quantity;
    std::string_view kgLabel; // as the kg report writes it
    std::string_view siLabel;
    double siFactor; // SI value = kg value x siFactor
};

inline constexpr std::array<QuantityUnits, 4> kQuantityUnits = {{
    {UnitQuantity::kTension, "kg", "kN", kStandardGravity / 1000.0},
    {UnitQuantity::kWindPressure, "kg/m2", "Pa", kStandardGravity},
    {UnitQuantity::kUnitWeight, "kg/m", "N/m", kStandardGravity},
    {UnitQuantity::kStress, "kg/mm2", "N/mm2", kStandardGravity},
}};

constexpr const QuantityUnits& UnitsOf(UnitQuantity quantity) {
    return kQuantityUnits[static_cast<std::size_t>(quantity)];
}

// The label of `quantity` in `units`: "kg", "kN", "kg/m2", "Pa", ...
constexpr std::string_view UnitLabel(UnitQuantity quantity, UnitSystem units) {
    return units == UnitSystem::kSi ? UnitsOf(quantity).siLabel : UnitsOf(quantity).kgLabel;
}

// The factor from the stored kg value to its value in `units`.
constexpr double UnitFactor(UnitQuantity quantity, UnitSystem units) {
    return units == UnitSystem::kSi ? UnitsOf(quantity).siFactor : 1.0;
}

// A stored kg value shown in `units`, and a value typed in `units` back to kg.
constexpr double FromKg(double kgValue, UnitQuantity quantity, UnitSystem units) {
    return kgValue * UnitFactor(quantity, units);
}
constexpr double ToKg(double value, UnitQuantity quantity, UnitSystem units) {
    return value / UnitFactor(quantity, units);
}

// A stored float in `units`, rounded to float for the number patterns; in kg
// units the stored value itself.
inline float ShownValue(float kgValue, UnitQuantity quantity, UnitSystem units) {
    return units == UnitSystem::kKgf ? kgValue
                                     : static_cast<float>(FromKg(kgValue, quantity, units));
}

// The names a case file and the command line give the systems.
inline constexpr std::string_view kKgfName = "kgf";
inline constexpr std::string_view kSiName = "si";

constexpr std::string_view UnitSystemName(UnitSystem units) {
    return units == UnitSystem::kSi ? kSiName : kKgfName;
}

constexpr std::optional<UnitSystem> UnitSystemNamed(std::string_view name) {
    if (name == kKgfName) return UnitSystem::kKgf;
    if (name == kSiName) return UnitSystem::kSi;
    return std::nullopt;
}

} // namespace orvalt
