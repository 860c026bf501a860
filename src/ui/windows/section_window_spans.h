// The span list of the section window: a number table (ui/base/number_table.h)
// of 径間長 [m] and 高低差 [m], one numbered row a span. A length must be
// above 0; an empty 高低差 is 0.
#pragma once

#include <QString>

#include <vector>

#include "engine/calculation/tension_section.h"
#include "engine/case/case_file.h"
#include "ui/base/number_table.h"

namespace orvalt {

class SectionSpanTable final : public NumberTable {
    Q_OBJECT

public:
    SectionSpanTable(MessageService& messages, QWidget* parent);

    // The spans of the filled rows. A cell that is no number, a length that
    // is not above 0, an empty length or more than kMaxSectionSpans spans:
    // the message naming the span is shown, the focus goes to the cell, and
    // the result is empty.
    std::vector<SectionSpan> readSpans();
    // Shows `spans`, one row each (one empty row when there are none).
    void showSpans(const std::vector<CaseSectionSpan>& spans);
};

// The column headings, for the window's copy and tests.
inline const QStringList kSpanColumnTitles = {QStringLiteral("径間長[m]"),
                                              QStringLiteral("高低差[m]")};

} // namespace orvalt
