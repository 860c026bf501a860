// The section window's span table without the window: from the texts of its
// cells (径間長, 高低差 per row) to the spans of a tension section, or the
// reason they cannot be and the cell to put the focus in. The case file's
// reader checks its spans through the same function, so a file is refused
// where the table would be.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/calculation/tension_section.h"

namespace orvalt {

enum SectionSpanColumn : int { kColumnLength = 0, kColumnHeightDifference = 1 };

struct SectionSpanRefusal {
    std::size_t row = 0; // 0 is 径間 1
    int column = kColumnLength;
    std::string message; // for an exclamation message box

    friend bool operator==(const SectionSpanRefusal&, const SectionSpanRefusal&) = default;
};

struct SectionSpansResult {
    std::vector<SectionSpan> spans; // empty when refused
    std::optional<SectionSpanRefusal> refusal;
};

// Rows of {径間長, 高低差} texts, trimmed or not. Empty rows at the end are
// no spans. Each length must be a number (ReadBoxNumber) above 0 and finite
// as a float; an empty height difference is 0, any other must be a finite
// number. The first failing cell gives the refusal:
//   no row at all               "径間長を入力してください" (row 0, length)
//   more than kMaxSectionSpans  "径間は 200 までです" (the last row)
//   an empty length             "径間 3 の径間長を入力してください"
//   a cell that is no number    "径間 3 の径間長「1,200」は数値ではありません"
//   a length not above 0        "径間 3 の径間長は 0 より大きい数値で入力してください"
//   a height beyond the floats  "径間 3 の高低差は数値で入力してください"
SectionSpansResult ReadSectionSpans(const std::vector<std::array<std::string, 2>>& rows);

} // namespace orvalt
