// The exact section's cells: the difference in %, and every span's row
// against the results it shows, marks included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation.h"
#include "engine/number/number_text.h"
#include "engine/output/balanced_section_text.h"
#include "engine/output/field_sheet_text.h"
#include "engine/output/section_text.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

TEST(BalancedSectionText, DifferenceInPercent) {
    const struct {
        double exact, ruling;
        const char* expected;
    } cases[] = {
        {110.0, 100.0, "+10.0"}, {95.0, 100.0, "-5.0"},    {100.0, 100.0, "0.0"},
        {100.04, 100.0, "0.0"},  {579.6, 1029.1, "-43.7"}, {2782.9, 2338.7, "+19.0"},
        {1.0, 0.0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DifferencePercent(c.exact, c.ruling), c.expected) << c.exact << " " << c.ruling;
    }
}

TEST(BalancedSectionText, EveryRowShowsBothResultsAndTheMarks) {
    const CalculationState state = test::CalculatedAt100m(test::Wire240());
    // A steep short span (over T at the low season) and a long one.
    const std::vector<SectionSpan> spans = {{120, 5}, {250, 30}, {180, -12}, {90, -40}, {900, 0}};
    const TensionSection ruling = ComputeTensionSection(state, spans);
    const BalancedSection balanced =
        ComputeBalancedSection(state, spans, DefaultSectionSupports(spans.size()), 15, -10, 40, 10);
    const CellTable cells = BalancedSpanCells(state, spans, ruling, balanced);
    ASSERT_EQ(cells.size(), spans.size() + 1);
    ASSERT_EQ(cells[0].size(), 28u);
    EXPECT_EQ(cells[0][1], "高温季 水平張力[kg]");
    EXPECT_EQ(cells[0][27], "検討条件 判定");
    int overMax = 0, longSpans = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const std::vector<std::string>& row = cells[i + 1];
        ASSERT_EQ(row.size(), 28u);
        EXPECT_EQ(row[0], std::to_string(i + 1));
        for (std::size_t c = 0; c < 3; ++c) {
            const std::size_t at = 1 + 9 * c;
            const BalancedSpan& b = balanced.conditions[c].spans[i];
            const double H = ruling.atEquivalentSpan[c].tension;
            EXPECT_EQ(row[at], FormatWithPattern(ruling.atEquivalentSpan[c].tension, "####.00"));
            EXPECT_EQ(row[at + 1],
                      FormatWithPattern(static_cast<float>(b.horizontalTension), "####.00"));
            EXPECT_NEAR(std::stod(row[at + 2]), (b.horizontalTension - H) / H * 100.0, 0.051);
            EXPECT_EQ(row[at + 3], FormatWithPattern(ruling.spans[i][c].slantSag, "#0.000"));
            EXPECT_EQ(row[at + 4], FormatWithPattern(static_cast<float>(b.sag), "#0.000"));
            EXPECT_EQ(row[at + 7],
                      FormatWithPattern(static_cast<float>(b.upperSupportTension), "####.00"));
            const std::string& marks = row[at + 8];
            EXPECT_EQ(marks.find(kOutsideMark) != std::string::npos, b.lowPointOutside);
            EXPECT_EQ(marks.find(kOverMaxTensionMark) != std::string::npos, b.overMaxTension);
            overMax += b.overMaxTension;
            longSpans += marks.find(kLongSpanMark) != std::string::npos;
        }
    }
    EXPECT_GT(overMax, 0);
    EXPECT_GT(longSpans, 0);
    EXPECT_EQ(cells[5][9].find(kLongSpanMark) == std::string::npos, false) << cells[5][9];
}

// The exact stringing chart and the crew's sheet of it follow every span's
// own state at every temperature; the supports list says what each is.
TEST(BalancedSectionText, ChartSheetAndSupportsFollowTheExactSection) {
    const CalculationState state = test::CalculatedAt100m(test::Wire240());
    const std::vector<SectionSpan> spans = {{120, 5}, {250, 30}, {180, -12}, {90, -40}};
    std::vector<SectionSupport> supports = DefaultSectionSupports(spans.size());
    supports[2] = {SupportType::kSuspension, 0.5, 35.0};
    const BalancedSection balanced = ComputeBalancedSection(state, spans, supports, 20, -10, 40, 25);

    const CellTable chart = BalancedChartCells(balanced);
    ASSERT_EQ(chart.size(), 1 + 2 * spans.size());
    EXPECT_EQ(chart[0], (std::vector<std::string>{"", "-10℃", "15℃", "40℃"}));
    FieldSheet sheet = FieldSheetOfBalancedSection(spans, balanced, 193.3f, 3, std::nullopt);
    EXPECT_EQ(sheet.temperatures, (std::vector<std::int16_t>{-10, 15, 40}));
    EXPECT_EQ(sheet.basis, "精算の弛度（径間ごとの張力、架線温度 20℃）");
    ASSERT_EQ(sheet.spans.size(), spans.size());
    bool outside = false;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(chart[1 + 2 * i][0], "径間 " + std::to_string(i + 1) + " 水平張力[kg]");
        EXPECT_EQ(chart[2 + 2 * i][0], "径間 " + std::to_string(i + 1) + " 斜弛度[m]");
        for (std::size_t t = 0; t < 3; ++t) {
            const BalancedSpan& span = balanced.chart[t].spans[i];
            EXPECT_EQ(chart[1 + 2 * i][1 + t],
                      FormatWithPattern(static_cast<float>(span.horizontalTension), "####.00"));
            EXPECT_EQ(chart[2 + 2 * i][1 + t],
                      FormatWithPattern(static_cast<float>(span.sag), "#0.000"));
            EXPECT_EQ(sheet.spans[i].sag[t], static_cast<float>(span.sag));
            EXPECT_EQ(sheet.spans[i].outside[t], span.lowPointOutside);
            outside = outside || span.lowPointOutside;
        }
    }
    EXPECT_TRUE(outside) << "the steep 90 m span pulls up on its lower support";
    // The sheet's text says whose sags it gives, under the equivalent span.
    const std::string text = ComposeFieldSheetText(state, sheet);
    EXPECT_NE(text.find("等価径間  193.300 m\r\n精算の弛度（径間ごとの張力、架線温度 20℃）\r\n"),
              std::string::npos);

    EXPECT_EQ(SectionSupportCells(supports),
              (CellTable{{"支持点", "種別", "がいし連長[m]", "がいし連重量[kg]"},
                         {"1", "引留", "", ""},
                         {"2", "固定", "", ""},
                         {"3", "懸垂", "0.5", "35"},
                         {"4", "固定", "", ""},
                         {"5", "引留", "", ""}}));
}

} // namespace
} // namespace orvalt
