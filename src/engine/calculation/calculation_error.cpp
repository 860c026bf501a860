#include "engine/calculation/calculation_error.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "engine/calculation/calculation_state.h"

namespace orvalt {
namespace {

// Shortest text that reads back as the same float ("100", "2.5", "0").
std::string ShortFloat(float value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string_view ConditionName(int conditionIndex) {
    if (conditionIndex < 0 || conditionIndex >= static_cast<int>(kConditionNames.size()))
        return "不明な条件";
    return kConditionNames[static_cast<std::size_t>(conditionIndex)];
}

void FailCalculation(const CalcPlace& place, const std::string& detail) {
    std::string message = "計算できませんでした。\n";
    if (place.inChart) {
        message += "架線弛度表の径間 " + ShortFloat(place.span) + " m・温度 " +
                   std::to_string(place.temperature) + "℃で、";
    } else if (place.inTable) {
        message += "径間 " + ShortFloat(place.span) + " m の" +
                   std::string(ConditionName(place.condition)) + "で、";
    }
    message += place.quantity;
    message += "の計算中に";
    message += detail;
    throw CalculationError(message);
}

double CheckedDivide(double numerator, double denominator, const CalcPlace& place) {
    if (denominator == 0.0) FailCalculation(place, " 0 による除算が起きました。");
    const double quotient = numerator / denominator;
    if (std::isinf(quotient)) FailCalculation(place, "値が大きくなりすぎました。");
    return quotient;
}

double CheckedSqrt(double value, const CalcPlace& place) {
    if (value < 0.0) FailCalculation(place, "負の数の平方根が必要になりました。");
    if (std::isnan(value)) FailCalculation(place, "値が数になりませんでした。");
    return std::sqrt(value);
}

float ToSingle(double value, const CalcPlace& place) {
    if (std::isnan(value)) FailCalculation(place, "値が数になりませんでした。");
    const float single = static_cast<float>(value);
    if (std::isinf(single)) FailCalculation(place, "値が単精度実数の範囲を超えました。");
    return single;
}

std::int16_t ToInt16(double value, const CalcPlace& place) {
    // Called with whole numbers only (the callers truncate or floor first).
    if (!(value >= -32768.0 && value <= 32767.0)) {
        FailCalculation(place, "値が整数の範囲（-32768～32767）を超えました。");
    }
    return static_cast<std::int16_t>(value);
}

std::int16_t Subtract16(std::int16_t a, std::int16_t b, const CalcPlace& place) {
    return ToInt16(static_cast<double>(a) - static_cast<double>(b), place);
}

std::int16_t Multiply16(std::int16_t a, std::int16_t b, const CalcPlace& place) {
    return ToInt16(static_cast<double>(a) * static_cast<double>(b), place);
}

} // namespace orvalt
