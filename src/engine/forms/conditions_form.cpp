#include "engine/forms/conditions_form.h"

#include <cfloat>
#include <cmath>
#include <variant>

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

constexpr double kAbsoluteZero = kLowestTemperature;

std::string_view Caption(int box) { return kConditionsBoxCaptions[static_cast<std::size_t>(box)]; }

bool FitsSingle(double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; }

// A condition box's value rounded towards minus infinity, or the refusal.
using Floored = std::variant<double, FormRefusal>;

// Readable, rounded down.
Floored FloorOfBox(const ConditionsFormInput& input, int box) {
    const std::optional<double> value = ReadBoxNumber(input.boxes[static_cast<std::size_t>(box)]);
    if (!value) {
        return FormRefusal{box, form_messages::NotANumber(Caption(box))};
    }
    return std::floor(*value);
}

// Readable, and within the float range once rounded down.
Floored SingleOfBox(const ConditionsFormInput& input, int box) {
    Floored value = FloorOfBox(input, box);
    if (const double* floored = std::get_if<double>(&value); floored && !FitsSingle(*floored)) {
        return FormRefusal{box, form_messages::ValueTooLarge(Caption(box))};
    }
    return value;
}

Floored WindPressure(const ConditionsFormInput& input, int box) {
    Floored wind = SingleOfBox(input, box);
    if (const double* value = std::get_if<double>(&wind); value && *value < 0.0) {
        return FormRefusal{box, form_messages::MustNotBeNegative(Caption(box))};
    }
    return wind;
}

Floored Temperature(const ConditionsFormInput& input, int box) {
    Floored temperature = FloorOfBox(input, box);
    if (const double* value = std::get_if<double>(&temperature);
        value && !(*value >= kAbsoluteZero && *value <= 32767.0)) {
        return FormRefusal{box, "「" + std::string(Caption(box)) +
                                    "」は -273 から 32767 までの温度を入力してください。"};
    }
    return temperature;
}

// The step is used as a whole number, so one below 1 in size would be 0: the
// calculation could not move from the start span. Its direction is the
// calculation's to check, which names the spans.
Floored SpanStep(const ConditionsFormInput& input) {
    Floored step = SingleOfBox(input, kBoxSpanStep);
    const double* value = std::get_if<double>(&step);
    if (value && *value == 0.0) {
        return FormRefusal{kBoxSpanStep,
                           "「計算単位径間」は小数点以下を切り捨てた整数として使うため、0 "
                           "になります。\r\n1 以上の値（短い径間へ進めるときは -1 "
                           "以下の値）を入力してください。"};
    }
    return step;
}

// The ice thickness, a whole number of millimetres like a temperature.
Floored IceThickness(const ConditionsFormInput& input) {
    Floored thickness = FloorOfBox(input, kBoxIceThickness);
    if (const double* value = std::get_if<double>(&thickness);
        value && !(*value >= 0.0 && *value <= kIceThicknessMax)) {
        return FormRefusal{kBoxIceThickness, "「" + std::string(Caption(kBoxIceThickness)) +
                                                 "」は 0 から " + std::to_string(kIceThicknessMax) +
                                                 " までの厚さ（mm）を入力してください。"};
    }
    return thickness;
}

// The ice's specific gravity, kept as typed: the float nearest to the number,
// checked against the limits as the float the calculation uses (0.1 and 1.0
// typed are accepted).
std::optional<FormRefusal> ReadIceGravity(const ConditionsFormInput& input, float& gravity) {
    const std::string& text = input.boxes[kBoxIceSpecificGravity];
    const std::optional<std::string> number = BoxNumberText(text);
    if (!number) {
        return FormRefusal{kBoxIceSpecificGravity,
                           form_messages::NotANumber(Caption(kBoxIceSpecificGravity))};
    }
    const std::optional<float> value = ParseStrictNumber(*number);
    if (!value || !(*value >= static_cast<float>(kIceGravityMin) &&
                    *value <= static_cast<float>(kIceGravityMax))) {
        return FormRefusal{kBoxIceSpecificGravity,
                           "「" + std::string(Caption(kBoxIceSpecificGravity)) +
                               "」は 0.1 から 1.0 までの値を入力してください。"};
    }
    gravity = *value;
    return std::nullopt;
}

// Text1(7) and the specific gravity beside it, in that order.
std::optional<FormRefusal> ReadIce(const ConditionsFormInput& input, IceValues& ice) {
    Floored thickness = IceThickness(input);
    if (FormRefusal* refusal = std::get_if<FormRefusal>(&thickness)) {
        return std::move(*refusal);
    }
    ice.thickness = static_cast<std::int16_t>(std::get<double>(thickness));
    return ReadIceGravity(input, ice.specificGravity);
}

} // namespace

ConditionsFormResult ReadConditionsForm(const ConditionsFormInput& input) {
    ConditionsFormResult result;
    ConditionsValues& values = result.values;
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        if ((result.refusal =
                 ReadWireValue(box, input.boxes[static_cast<std::size_t>(box)], values.wire))) {
            return result;
        }
    }
    values.wire.wireName = input.wireName; // untrimmed, as typed
    values.loadClassHigh = input.loadClassHigh;
    values.loadClassLow = input.loadClassLow;
    values.bundle = input.bundle;
    if ((result.refusal = ReadIce(input, result.ice))) {
        return result;
    }

    std::array<double, 9> read{};
    for (std::size_t i = 0; i < read.size(); ++i) {
        Floored value = i < 3   ? WindPressure(input, kWindBoxes[i])
                        : i < 6 ? Temperature(input, kTemperatureBoxes[i - 3])
                        : i < 8 ? SingleOfBox(input, kSpanBoxes[i - 6])
                                : SpanStep(input);
        if (FormRefusal* refusal = std::get_if<FormRefusal>(&value)) {
            result.refusal = std::move(*refusal);
            return result;
        }
        read[i] = std::get<double>(value);
    }
    values.windPressureHigh = static_cast<float>(read[0]);
    values.windPressureLow = static_cast<float>(read[1]);
    values.windPressureStudy = static_cast<float>(read[2]);
    values.temperatureHigh = static_cast<std::int16_t>(read[3]);
    values.temperatureLow = static_cast<std::int16_t>(read[4]);
    values.temperatureStudy = static_cast<std::int16_t>(read[5]);
    values.spanStart = static_cast<float>(read[6]);
    values.spanEnd = static_cast<float>(read[7]);
    values.spanStep = static_cast<float>(read[8]);
    return result;
}

void ApplyConditions(const ConditionsValues& values, CalculationState& state) {
    state.currentWire = values.wire;
    state.loadClassHigh = values.loadClassHigh;
    state.loadClassLow = values.loadClassLow;
    state.bundle = values.bundle;
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

void ApplyIce(const IceValues& ice, CalculationState& state) {
    state.iceThickness = ice.thickness;
    state.iceSpecificGravity = ice.specificGravity;
}

std::string MainWindowCaption(std::string_view wireName, std::int16_t temperatureStudy) {
    return "最大使用張力計算  " + std::string(wireName) + "  " + std::to_string(temperatureStudy) +
           "°";
}

} // namespace orvalt
