#include "engine/forms/wire_form.h"

#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/form_messages.h"
#include "engine/number/number_parse.h"

namespace orvalt {
namespace {

// The combo box's own entry that stands for a record not yet named.
constexpr std::string_view kNewEntry = "新規";

FormRefusal Refuse(int box, std::string message) { return FormRefusal{box, std::move(message)}; }

} // namespace

std::optional<FormRefusal> ReadWireValue(int box, std::string_view text, WireRecord& record) {
    const auto i = static_cast<std::size_t>(box);
    const std::optional<std::string> number = BoxNumberText(text);
    if (!number) {
        return Refuse(box, form_messages::NotANumber(kWireValueCaptions[i]));
    }
    // Straight to float, one rounding; nullopt only beyond the float range.
    const std::optional<float> value = ParseStrictNumber(*number);
    if (!value) {
        return Refuse(box, form_messages::ValueTooLarge(kWireValueCaptions[i]));
    }
    if (!(*value > 0.0f)) {
        return Refuse(box, form_messages::MustBePositive(kWireValueCaptions[i]));
    }
    record.*kWireValueFields[i] = *value;
    return std::nullopt;
}

WireFormResult ReadWireForm(const WireFormInput& input) {
    WireFormResult result;
    if (input.adding && (input.name == kNewEntry || input.name.empty())) {
        result.refusal = Refuse(kBoxWireName, "電線種類を入力してください");
        return result;
    }
    // The name must read back from the file as it is stored.
    // Blanks are removed at both ends only; tabs and full-width blanks stay
    // (and CheckWireName refuses a tab at either end).
    std::string name = ReplaceJisLookAlikes(TrimBlanks(input.name));
    if (std::optional<std::string> reason = CheckWireName(name)) {
        result.refusal = Refuse(kBoxWireName, std::move(*reason));
        return result;
    }

    WireRecord record;
    record.wireName = std::move(name);
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        if (std::optional<FormRefusal> refusal =
                ReadWireValue(box, input.values[static_cast<std::size_t>(box)], record)) {
            result.refusal = std::move(refusal);
            return result;
        }
    }
    result.record = std::move(record);
    return result;
}

} // namespace orvalt
