#include "engine/forms/wire_form.h"

#include <cfloat>
#include <cmath>

#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/form_messages.h"
#include "engine/number/number_parse.h"

namespace orvalt {
namespace {

// The combo box's own entry that stands for a record not yet named.
constexpr std::string_view kNewEntry = "新規";

// Blanks are removed at both ends only; tabs and full-width blanks stay (and
// CheckWireName refuses a tab at either end).
std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

FormRefusal Refuse(int box, std::string message) { return FormRefusal{box, std::move(message)}; }

} // namespace

WireFormResult ReadWireForm(const WireFormInput& input) {
    WireFormResult result;
    if (input.adding && (input.name == kNewEntry || input.name.empty())) {
        result.refusal = Refuse(kBoxWireName, "電線種類を入力してください");
        return result;
    }
    // The name must read back from the file as it is stored.
    std::string name = ReplaceJisLookAlikes(TrimBlanks(input.name));
    if (std::optional<std::string> reason = CheckWireName(name)) {
        result.refusal = Refuse(kBoxWireName, std::move(*reason));
        return result;
    }

    WireRecord record;
    record.wireName = std::move(name);
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        const auto i = static_cast<std::size_t>(box);
        const double value = ParseLeadingNumber(input.values[i]);
        // Checked before the conversion: a double beyond the float range has
        // no float to round to. Infinity ("1E400") is beyond it too.
        if (!(std::fabs(value) <= FLT_MAX)) {
            result.refusal = Refuse(box, form_messages::ValueTooLarge(kWireValueCaptions[i]));
            return result;
        }
        record.*kWireValueFields[i] = static_cast<float>(value);
    }
    result.record = std::move(record);
    return result;
}

} // namespace orvalt
