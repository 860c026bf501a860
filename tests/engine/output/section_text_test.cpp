// The tension section's printout and CSV: a four-span inclined section of the
// 50 mm worked example against golden files, and the cells that follow the
// engine's results (the outside mark, the spans' order, the chart).

#include "engine/output/section_text.h"

#include <gtest/gtest.h>

#include "engine/calculation/balanced_section.h"
#include "engine/output/balanced_section_text.h"

#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/number/number_text.h"
#include "support/golden_file.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

// The section the window tests type in as well: up a slope, over a crest
// and steeply down to a short last span.
const std::vector<SectionSpan> kFourSpans = {
    {120.0f, 5.0f}, {250.0f, 30.0f}, {180.0f, -12.0f}, {90.0f, -40.0f}};

struct Computed {
    CalculationState state;
    TensionSection section;
    SectionStringingChart chart;
};

Computed FourSpanSection() {
    Computed c;
    c.state.currentWire = test::WorkedExample2();
    c.state.spanStep = 50.0f;
    RunCalculation(c.state);
    c.section = ComputeTensionSection(c.state, kFourSpans);
    c.chart = ComputeSectionStringingChart(c.state, kFourSpans, -10, 40, 10);
    return c;
}

// The printout and the CSV: the ruling-span part as it has always been,
// the exact block (fixed supports, strung at 15 ℃) after it.
TEST(ComposeSectionText, FourInclinedSpansMatchTheGoldenFiles) {
    const Computed c = FourSpanSection();
    const std::vector<SectionSupport> supports = DefaultSectionSupports(kFourSpans.size());
    const BalancedSection balanced =
        ComputeBalancedSection(c.state, kFourSpans, supports, 15, -10, 40, 10);
    test::ExpectMatchesGolden(ComposeSectionTextWithExact(c.state, kFourSpans, c.section, c.chart,
                                                          supports, balanced),
                              "section_4spans.txt");
    test::ExpectMatchesGolden(ComposeSectionCsvWithExact(c.state, kFourSpans, c.section, c.chart,
                                                         supports, balanced),
                              "section_4spans.csv");
    const struct {
        std::string ruling;
        const char* golden;
    } parts[] = {{ComposeSectionText(c.state, kFourSpans, c.section, c.chart), "section_4spans.txt"},
                 {ComposeSectionCsv(kFourSpans, c.section, c.chart), "section_4spans.csv"}};
    for (const auto& part : parts) {
        const std::string golden = test::GoldenBytes(part.golden);
        EXPECT_TRUE(golden.starts_with(part.ruling)) << part.golden << ": the ruling part changed";
        EXPECT_EQ(part.ruling.find("精算"), std::string::npos) << part.golden;
    }
}

// Every cell follows the span and the condition it belongs to: the mark
// exactly where the engine puts the low point outside, the numbers as the
// report writes them.
TEST(SectionSpanCells, EachCellIsItsSpansAndConditionsResult) {
    const Computed c = FourSpanSection();
    const CellTable cells = SectionSpanCells(kFourSpans, c.section);
    ASSERT_EQ(cells.size(), kFourSpans.size() + 1);
    bool anyOutside = false;
    for (std::size_t i = 0; i < kFourSpans.size(); ++i) {
        const std::vector<std::string>& row = cells[i + 1];
        ASSERT_EQ(row.size(), 21u);
        EXPECT_EQ(row[0], std::to_string(i + 1));
        EXPECT_EQ(row[1], FormatWithPattern(kFourSpans[i].length, "###0.00"));
        for (std::size_t k = 0; k < 3; ++k) {
            const SectionSpanResult& r = c.section.spans[i][k];
            EXPECT_EQ(row[4 + 6 * k], FormatWithPattern(r.slantSag, "#0.000"));
            EXPECT_EQ(row[7 + 6 * k], FormatWithPattern(r.lowerSupportTension, "####.00"));
            EXPECT_EQ(row[8 + 6 * k], r.lowPointOutside ? std::string(kOutsideMark) : "")
                << "span " << i + 1 << " condition " << k;
            anyOutside = anyOutside || r.lowPointOutside;
        }
    }
    EXPECT_TRUE(anyOutside) << "the steep last span pulls up on its lower support";
}

TEST(SectionChartCells, ATensionRowAndOneSagRowPerSpan) {
    const Computed c = FourSpanSection();
    const CellTable cells = SectionChartCells(c.chart);
    ASSERT_EQ(cells.size(), 2 + kFourSpans.size());
    EXPECT_EQ(cells[0], (std::vector<std::string>{"", "-10℃", "0℃", "10℃", "20℃", "30℃", "40℃"}));
    EXPECT_EQ(cells[1][3], FormatWithPattern(c.chart.tension[2], "####.00"));
    EXPECT_EQ(cells[4][6], FormatWithPattern(c.chart.slantSag[2][5], "#0.000"));
    EXPECT_EQ(cells[4][0], "径間 3 斜弛度[m]");
}

} // namespace
} // namespace orvalt
