#include "ui/windows/section_window_spans.h"

#include <array>
#include <string>

#include "engine/forms/section_form.h"
#include "ui/base/form_helpers.h"
#include "ui/base/text.h"

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

void SectionSpanTable::showSpans(const std::vector<SectionSpan>& spans) {
    std::vector<QStringList> rows;
    for (const SectionSpan& span : spans)
        rows.push_back({ExactNumberText(span.length), ExactNumberText(span.heightDifference)});
    showRows(rows);
}

std::vector<SectionSpan> SectionSpanTable::readSpans() {
    std::vector<std::array<std::string, 2>> rows(static_cast<std::size_t>(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        rows[static_cast<std::size_t>(row)] = {cellText(row, 0).toStdString(),
                                               cellText(row, 1).toStdString()};
    SectionSpansResult read = ReadSectionSpans(rows);
    if (read.refusal) {
        refuse(FromUtf8(read.refusal->message), static_cast<int>(read.refusal->row),
               read.refusal->column);
        return {};
    }
    return std::move(read.spans);
}

} // namespace orvalt
