#include "engine/forms/conditions_form.h"

#include <cfloat>
#include <cmath>

#include "engine/forms/form_messages.h"
#include "engine/number/number_parse.h"

namespace orvalt {
namespace {

// Boxes in the order OK stores them.
constexpr std::array<int, 3> kWindBoxes = {kBoxWindPressureHigh, kBoxWindPressureLow,
                                           kBoxWindPressureStudy};
constexpr std::array<int, 3> kTemperatureBoxes = {kBoxTemperatureHigh, kBoxTemperatureLow,
                                                  kBoxTemperatureStudy};
constexpr std::array<int, 3> kSpanBoxes = {kBoxSpanStart, kBoxSpanEnd, kBoxSpanStep};

std::string_view Caption(int box) { return kConditionsBoxCaptions[static_cast<std::size_t>(box)]; }

// A condition box's value: its leading number, rounded towards minus infinity.
double FloorOfBox(const ConditionsFormInput& input, int box) {
    return std::floor(ParseLeadingNumber(input.boxes[static_cast<std::size_t>(box)]));
}

bool FitsSingle(double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; }

bool FitsInt16(double value) { return value >= -32768.0 && value <= 32767.0; }

} // namespace

ConditionsFormResult ReadConditionsForm(const ConditionsFormInput& input) {
    ConditionsFormResult result;
    const auto refuse = [&](int box, std::string message) {
        result.refusal = FormRefusal{box, std::move(message)};
        return result;
    };

    ConditionsValues& values = result.values;
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        const auto i = static_cast<std::size_t>(box);
        const std::optional<float> value = ParseStrictNumber(input.boxes[i]);
        if (!value) {
            return refuse(box, "「" + std::string(Caption(box)) +
                                   "」の値が数値として読めません。\r\n数値を入力してください。");
        }
        values.wire.*kWireValueFields[i] = *value;
    }
    values.wire.wireName = input.wireName; // untrimmed, as typed

    std::array<double, 3> wind{};
    std::array<double, 3> temperature{};
    std::array<double, 3> span{};
    for (std::size_t i = 0; i < 3; ++i) {
        wind[i] = FloorOfBox(input, kWindBoxes[i]);
        if (!FitsSingle(wind[i])) {
            return refuse(kWindBoxes[i], form_messages::ValueTooLarge(Caption(kWindBoxes[i])));
        }
    }
    for (std::size_t i = 0; i < 3; ++i) {
        temperature[i] = FloorOfBox(input, kTemperatureBoxes[i]);
        if (!FitsInt16(temperature[i])) {
            return refuse(kTemperatureBoxes[i],
                          "「" + std::string(Caption(kTemperatureBoxes[i])) +
                              "」は -32768 から 32767 までの温度を入力してください。");
        }
    }
    for (std::size_t i = 0; i < 3; ++i) {
        span[i] = FloorOfBox(input, kSpanBoxes[i]);
        if (!FitsSingle(span[i])) {
            return refuse(kSpanBoxes[i], form_messages::ValueTooLarge(Caption(kSpanBoxes[i])));
        }
    }

    values.windPressureHigh = static_cast<float>(wind[0]);
    values.windPressureLow = static_cast<float>(wind[1]);
    values.windPressureStudy = static_cast<float>(wind[2]);
    values.temperatureHigh = static_cast<std::int16_t>(temperature[0]);
    values.temperatureLow = static_cast<std::int16_t>(temperature[1]);
    values.temperatureStudy = static_cast<std::int16_t>(temperature[2]);
    values.spanStart = static_cast<float>(span[0]);
    values.spanEnd = static_cast<float>(span[1]);
    values.spanStep = static_cast<float>(span[2]);
    return result;
}

void ApplyConditions(const ConditionsValues& values, CalculationState& state) {
    state.currentWire = values.wire;
    // Text1(7), the ice, is shown only: iceThickness keeps its value.
    state.windPressureHigh = values.windPressureHigh;
    state.windPressureLow = values.windPressureLow;
    state.windPressureStudy = values.windPressureStudy;
    state.temperatureHigh = values.temperatureHigh;
    state.temperatureLow = values.temperatureLow;
    state.temperatureStudy = values.temperatureStudy;
    state.spanStart = values.spanStart;
    state.spanEnd = values.spanEnd;
    state.spanStep = values.spanStep;
}

std::string MainWindowCaption(std::string_view wireName, std::int16_t temperatureStudy) {
    return "最大使用張力計算  " + std::string(wireName) + "  " + std::to_string(temperatureStudy) +
           "°";
}

} // namespace orvalt
