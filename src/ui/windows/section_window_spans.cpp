#include "ui/windows/section_window_spans.h"

#include <cmath>

#include "ui/base/form_helpers.h"

namespace orvalt {

namespace {

NumberTableShape SpanShape() {
    return {QStringLiteral("径間"),
            {{kSpanColumnTitles[0], QStringLiteral("径間長"), true},
             {kSpanColumnTitles[1], QStringLiteral("高低差"), false}},
            static_cast<int>(kMaxSectionSpans)};
}

} // namespace

SectionSpanTable::SectionSpanTable(MessageService& messages, QWidget* parent)
    : NumberTable(SpanShape(), messages, parent) {}

void SectionSpanTable::showSpans(const std::vector<CaseSectionSpan>& spans) {
    std::vector<QStringList> rows;
    for (const CaseSectionSpan& span : spans)
        rows.push_back({ExactNumberText(span.length), ExactNumberText(span.heightDifference)});
    showRows(rows);
}

std::vector<SectionSpan> SectionSpanTable::readSpans() {
    const auto rows = readRows();
    if (!rows) return {};
    std::vector<SectionSpan> spans;
    for (std::size_t row = 0; row < rows->size(); ++row) {
        const auto length = static_cast<float>((*rows)[row][0]);
        const auto height = static_cast<float>((*rows)[row][1]);
        if (!std::isfinite(length) || length <= 0.0f) {
            refuse(cellName(static_cast<int>(row), 0) +
                       QStringLiteral("は 0 より大きい数値で入力してください"),
                   static_cast<int>(row), 0);
            return {};
        }
        if (!std::isfinite(height)) {
            refuse(cellName(static_cast<int>(row), 1) + QStringLiteral("は数値で入力してください"),
                   static_cast<int>(row), 1);
            return {};
        }
        spans.push_back({length, height});
    }
    return spans;
}

} // namespace orvalt
