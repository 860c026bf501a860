// The crew's sheet (弛度観測表) and the long-span check: a four-span section
// against a golden file, every cell following the field methods of its sag,
// the printed width on A4, and the catenary against hand values.

#include "engine/output/field_sheet_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/calculation/field_check.h"
#include "engine/number/number_text.h"
#include "engine/output/long_span_check.h"
#include "engine/output/section_text.h"
#include "engine/output/text_lines.h"
#include "support/files.h"
#include "support/golden_file.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

const std::vector<SectionSpan> kFourSpans = {
    {120.0f, 5.0f}, {250.0f, 30.0f}, {180.0f, -12.0f}, {90.0f, -40.0f}};

TEST(ComposeFieldSheetText, FourInclinedSpansMatchTheGoldenFile) {
    const CalculationState state = test::CalculatedExample50mm();
    const SectionStringingChart chart =
        ComputeSectionStringingChart(state, kFourSpans, -10, 40, 10);
    test::ExpectMatchesGolden(
        ComposeFieldSheetText(state, FieldSheetOfSection(kFourSpans, chart, 5, 2.0)),
        "field_4spans.txt");
}

// Every cell is its sag's: the seconds of N waves, the target b (or the
// no-target mark exactly where a > 4D), the outside mark exactly where
// |h| > 4D.
TEST(FieldSheetCells, EachCellFollowsItsSag) {
    const CalculationState state = test::CalculatedExample50mm();
    const SectionStringingChart chart =
        ComputeSectionStringingChart(state, kFourSpans, -10, 40, 10);
    const double a = 3.0;
    const CellTable cells = FieldSheetCells(FieldSheetOfSection(kFourSpans, chart, 4, a));
    ASSERT_EQ(cells.size(), 1 + 4 * kFourSpans.size());
    EXPECT_EQ(cells[0][1], "項目");
    EXPECT_EQ(cells[2][1], "4波[s]");
    bool anyOutside = false, anyNoTarget = false;
    for (std::size_t i = 0; i < kFourSpans.size(); ++i) {
        for (std::size_t t = 0; t < chart.temperatures.size(); ++t) {
            const float sag = chart.slantSag[i][t];
            const std::size_t r = 1 + 4 * i, c = 2 + t;
            EXPECT_EQ(cells[r][c], FormatWithPattern(sag, "#0.000"));
            EXPECT_EQ(cells[r + 1][c],
                      FormatWithPattern(static_cast<float>(ReturnWaveSeconds(sag, 4)), "#0.00"));
            const bool noTarget = a > 4.0 * sag;
            EXPECT_EQ(cells[r + 2][c] == kNoTarget, noTarget) << "span " << i + 1 << " " << t;
            const bool outside = std::abs(kFourSpans[i].heightDifference) > 4.0f * sag;
            EXPECT_EQ(cells[r + 3][c], outside ? std::string(kOutsideMark) : "");
            anyOutside = anyOutside || outside;
            anyNoTarget = anyNoTarget || noTarget;
        }
    }
    EXPECT_TRUE(anyOutside && anyNoTarget) << "the steep short last span has both";
}

// Equal sighting: b is the sag itself. A chart of 41 temperatures prints in
// blocks no wider than A4 portrait takes at 12 pt (83 columns).
TEST(ComposeFieldSheetText, EqualSightingAndEveryLineFitsTheWidth) {
    const CalculationState state = test::CalculatedExample50mm();
    const StringingChart chart = ComputeStringingChart(state, -50, 150, 5);
    const FieldSheet sheet = FieldSheetOfChart(chart, kMostWaves, std::nullopt);
    const CellTable cells = FieldSheetCells(sheet);
    ASSERT_EQ(cells[3][1], "b[m]");
    for (std::size_t c = 2; c < cells[1].size(); ++c) EXPECT_EQ(cells[3][c], cells[1][c]);
    const std::string text = ComposeFieldSheetText(state, sheet);
    std::size_t headers = 0;
    for (const std::string& line : test::SplitLines(text)) {
        EXPECT_LE(DisplayColumns(line), 81u) << line;
        if (line.find("径間[m]  項目") != std::string::npos) ++headers;
    }
    EXPECT_EQ(headers, 6u); // 41 temperatures, 7 a block
}

// S = 400 m, H = 1500 kg, w = 2.223906 kg/m: C = 674.49 m.
TEST(CheckLongSpan, HandValuesAndTheOnePercentMark) {
    const LongSpanCheck at400 = CheckLongSpan(400.0, 1500.0, 2.223906);
    EXPECT_NEAR(at400.catenarySag, 29.870, 0.0005);
    EXPECT_NEAR(at400.parabolicSag, 29.652, 0.0005);
    EXPECT_NEAR(at400.supportTension, 1500.0 + 2.223906 * 29.870, 0.002);
    EXPECT_FALSE(at400.marked); // 0.73 %
    EXPECT_EQ(LongSpanText(at400),
              "懸垂線弛度 29.870 m（放物線 29.652 m より 0.73 % 大）、支持点張力 1566.43 kg");
    // 1566.428 kg x 9.80665 N/kg = 15361.4 N.
    EXPECT_EQ(LongSpanText(at400, UnitSystem::kSi),
              "懸垂線弛度 29.870 m（放物線 29.652 m より 0.73 % 大）、支持点張力 15.361 kN");
    EXPECT_TRUE(CheckLongSpan(500.0, 1500.0, 2.223906).marked);
    EXPECT_THROW(CheckLongSpan(400.0, 0.0, 2.0), CalculationError);
}

} // namespace
} // namespace orvalt
