// The span list of the section window: a number table (ui/base/number_table.h)
// of 径間長 [m] and 高低差 [m], one numbered row a span, read by the engine's
// ReadSectionSpans (as a case file's spans are).
#pragma once

#include <QString>

#include <vector>

#include "engine/calculation/tension_section.h"
#include "ui/base/number_table.h"

namespace orvalt {

class SectionSpanTable final : public NumberTable {
    Q_OBJECT

public:
    SectionSpanTable(MessageService& messages, QWidget* parent);

    // The spans of the filled rows, or (empty) after ReadSectionSpans'
    // message, the focus on the cell it names.
    std::vector<SectionSpan> readSpans();
    // Shows `spans`, one row each (one empty row when there are none).
    void showSpans(const std::vector<SectionSpan>& spans);
};

// The column headings, for the window's copy and tests.
inline const QStringList kSpanColumnTitles = {QStringLiteral("径間長[m]"),
                                              QStringLiteral("高低差[m]")};

} // namespace orvalt
