#include "engine/forms/section_form.h"

#include <cmath>

#include "engine/number/number_parse.h"

namespace orvalt {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string CellName(std::size_t row, int column) {
    return "径間 " + std::to_string(row + 1) +
           (column == kColumnLength ? " の径間長" : " の高低差");
}

std::optional<float> ReadCell(const std::string& text) {
    const std::optional<double> value = ReadBoxNumber(text);
    if (!value) return std::nullopt;
    return static_cast<float>(*value);
}

SectionSpansResult Refused(std::size_t row, int column, std::string message) {
    return SectionSpansResult{.spans = {},
                              .refusal = SectionSpanRefusal{row, column, std::move(message)}};
}

} // namespace

SectionSpansResult ReadSectionSpans(const std::vector<std::array<std::string, 2>>& rows) {
    std::size_t count = rows.size();
    while (count > 0 && Trimmed(rows[count - 1][0]).empty() &&
           Trimmed(rows[count - 1][1]).empty()) {
        --count;
    }
    if (count == 0) {
        return Refused(0, kColumnLength, "径間長を入力してください");
    }
    if (count > kMaxSectionSpans) {
        return Refused(count - 1, kColumnLength,
                       "径間は " + std::to_string(kMaxSectionSpans) + " までです");
    }
    SectionSpansResult result;
    for (std::size_t row = 0; row < count; ++row) {
        const std::string length = Trimmed(rows[row][0]);
        const std::string height = Trimmed(rows[row][1]);
        const std::optional<float> s = ReadCell(length);
        const std::optional<float> h = height.empty() ? 0.0f : ReadCell(height);
        if (length.empty()) {
            return Refused(row, kColumnLength, CellName(row, kColumnLength) + "を入力してください");
        }
        // A cell that reads as no number is named with its text, as a pasted
        // one is: 径間 1 の径間長「1,200」は数値ではありません.
        if (!s) {
            return Refused(row, kColumnLength,
                           CellName(row, kColumnLength) + "「" + length + "」は数値ではありません");
        }
        if (!std::isfinite(*s) || *s <= 0.0f) {
            return Refused(row, kColumnLength,
                           CellName(row, kColumnLength) + "は 0 より大きい数値で入力してください");
        }
        if (!h) {
            return Refused(row, kColumnHeightDifference,
                           CellName(row, kColumnHeightDifference) + "「" + height +
                               "」は数値ではありません");
        }
        if (!std::isfinite(*h)) {
            return Refused(row, kColumnHeightDifference,
                           CellName(row, kColumnHeightDifference) + "は数値で入力してください");
        }
        result.spans.push_back({*s, *h});
    }
    return result;
}

} // namespace orvalt
