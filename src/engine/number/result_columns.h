// The columns of a calculation's result table in one place: their heading,
// their unit, the pattern of their numbers and their width in the report.
// The report, the CSV files and the stringing chart's text all read them, in
// the unit system asked for (units.h), so a new unit or column is one change.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/number/units.h"

namespace orvalt {

enum class ResultColumn { kSpan, kSag, kTension, kKValue, kTemplate };

struct ResultColumnInfo {
    ResultColumn column;
    std::string_view heading;      // "張力"
    std::string_view fixedUnit;    // "m" for lengths, empty for plain numbers
    std::optional<UnitQuantity> quantity; // a unit that follows the unit system
    std::string_view kgPattern;    // FormatWithPattern's pattern in kg units
    std::string_view siPattern;    // and in SI
    std::size_t width;             // report cells; 0: written as it comes
};

// kg units: 100, 2.120, 1129.79, 85; SI: the tension in kN to the newton,
// 11.080 (the kg report's two decimals of a kg are about 0.1 N).
inline constexpr std::array<ResultColumnInfo, 5> kResultColumns = {{
    {ResultColumn::kSpan, "径間", "m", std::nullopt, "####", "####", 0},
    {ResultColumn::kSag, "弛度", "m", std::nullopt, "#0.000", "#0.000", 9},
    {ResultColumn::kTension, "張力", "", UnitQuantity::kTension, "####.00", "##0.000", 9},
    {ResultColumn::kKValue, "K値", "", std::nullopt, "##", "##", 4}, // 0 is blank
    {ResultColumn::kTemplate, "定規番号", "", std::nullopt, "##", "##", 4},
}};

constexpr const ResultColumnInfo& ColumnInfo(ResultColumn column) {
    return kResultColumns[static_cast<std::size_t>(column)];
}

constexpr std::string_view ColumnPattern(ResultColumn column, UnitSystem units) {
    return units == UnitSystem::kSi ? ColumnInfo(column).siPattern : ColumnInfo(column).kgPattern;
}

// The column's unit in `units`: "m", "kg", "kN", or empty.
constexpr std::string_view ColumnUnit(ResultColumn column, UnitSystem units) {
    const ResultColumnInfo& info = ColumnInfo(column);
    return info.quantity ? UnitLabel(*info.quantity, units) : info.fixedUnit;
}

// "[kg]", "[kN]", "[m]", or empty for a plain number.
inline std::string BracketedUnit(ResultColumn column, UnitSystem units) {
    const std::string_view unit = ColumnUnit(column, units);
    return unit.empty() ? std::string() : "[" + std::string(unit) + "]";
}

// A stored (kg unit) value of the column in `units`, rounded to float as
// the number patterns take it.
inline float ColumnValue(ResultColumn column, float stored, UnitSystem units) {
    const ResultColumnInfo& info = ColumnInfo(column);
    if (!info.quantity || units == UnitSystem::kKgf) {
        return stored;
    }
    return static_cast<float>(FromKg(stored, *info.quantity, units));
}

} // namespace orvalt
