// The stringing chart's fixed-column text: the worked example against a
// golden file, its agreement with the report's study block, and the layout
// of hand-made charts.

#include "engine/output/chart_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/output/long_span_check.h"
#include "engine/output/report_text.h"
#include "support/files.h"
#include "support/golden_file.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::SplitLines;

using test::ExpectMatchesGolden;

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

// Display columns in the fixed-pitch face: ASCII takes one, the three-byte
// UTF-8 characters of these lines (kanji, ℃) take two.
std::size_t DisplayColumns(const std::string& line) {
    std::size_t columns = 0;
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            columns += 1;
        } else if (c >= 0xE0) {
            columns += 2;
        }
    }
    return columns;
}

// The head is the report's lines 2 to 15; the chart's own lines follow it.
constexpr std::size_t kHeadLines = 15;

TEST(ComposeStringingChartText, WorkedExampleMatchesTheGoldenFile) {
    const CalculationState state = test::CalculatedExample50mm();
    ExpectMatchesGolden(ComposeStringingChartText(state, ComputeStringingChart(state, -10, 90, 25)),
                        "chart_50mm.txt");
}

TEST(ComposeStringingChartText, HeadIsTheReportsWireAndConditionLines) {
    CalculationState state = test::CalculatedExample50mm();
    state.currentWire.wireName = "ＡＣＳＲ ①㈱ 160mm²";
    state.temperatureStudy = -20;
    state.iceThicknessStudy = 4;
    const std::vector<std::string> report = SplitLines(ComposeResultReport(state));
    const std::vector<std::string> chart =
        SplitLines(ComposeStringingChartText(state, ComputeStringingChart(state, -20, 20, 20)));
    ASSERT_GT(chart.size(), kHeadLines);
    EXPECT_EQ(chart[0], "                    /* 架線弛度表 */");
    for (std::size_t i = 1; i < kHeadLines; ++i) {
        EXPECT_EQ(chart[i], report[i]) << "line " << i + 1;
    }
}

// In SI: the SI report's head, the same sag table, and the tension table in
// kN, each cell the kg text's value x 0.00980665 to the printed digits (the
// kg text's 0.005 kg of rounding is 0.00005 kN).
TEST(ComposeStringingChartText, SiHasTheSiHeadAndTensionsInKilonewtons) {
    const CalculationState state = test::CalculatedExample50mm();
    const StringingChart chart = ComputeStringingChart(state, -10, 90, 25);
    const std::vector<std::string> kg = SplitLines(ComposeStringingChartText(state, chart));
    const std::vector<std::string> si =
        SplitLines(ComposeStringingChartText(state, chart, UnitSystem::kSi));
    const std::vector<std::string> report = SplitLines(ComposeResultReport(state, UnitSystem::kSi));
    ASSERT_EQ(si.size(), kg.size());
    for (std::size_t i = 1; i < kHeadLines; ++i) EXPECT_EQ(si[i], report[i]) << "line " << i + 1;
    std::size_t title = 0;
    while (title < kg.size() && kg[title] != "張力 [kg]") ++title;
    ASSERT_LT(title, kg.size());
    EXPECT_EQ(si[title], "張力 [kN]");
    for (std::size_t i = kHeadLines; i < title; ++i) EXPECT_EQ(si[i], kg[i]) << "line " << i + 1;
    EXPECT_EQ(si[title + 1], kg[title + 1]);
    std::size_t cells = 0;
    for (std::size_t i = title + 2; i < kg.size(); ++i) {
        const std::vector<std::string> kgWords = Words(kg[i]);
        const std::vector<std::string> siWords = Words(si[i]);
        ASSERT_EQ(siWords.size(), kgWords.size()) << si[i];
        EXPECT_EQ(siWords[0], kgWords[0]);
        for (std::size_t w = 1; w < kgWords.size(); ++w, ++cells) {
            EXPECT_EQ(siWords[w].size() - siWords[w].find('.'), 4u) << si[i]; // to the newton
            EXPECT_NEAR(std::stod(siWords[w]), std::stod(kgWords[w]) * 0.00980665, 0.00056)
                << si[i];
        }
    }
    EXPECT_EQ(cells, chart.rows.size() * chart.temperatures.size());
}

// The long-span tooltip names the support tension in the units shown.
TEST(LongSpanText, SupportTensionInTheUnitsShown) {
    const LongSpanCheck at400 = CheckLongSpan(400.0, 1500.0, 2.223906);
    EXPECT_EQ(LongSpanText(at400),
              "懸垂線弛度 29.870 m（放物線 29.652 m より 0.73 % 大）、支持点張力 1566.43 kg");
    EXPECT_EQ(LongSpanText(at400, UnitSystem::kSi),
              "懸垂線弛度 29.870 m（放物線 29.652 m より 0.73 % 大）、支持点張力 15.361 kN");
}

TEST(ComposeStringingChartText, StudyTemperatureColumnShowsTheReportsStudyDigits) {
    // The 18.2 mm example, 31 spans: the 90 degC column (the study condition,
    // without wind) carries the report's study sag and tension, as printed.
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    RunCalculation(state);
    const std::vector<std::string> report = SplitLines(ComposeResultReport(state));
    const std::vector<std::string> chart =
        SplitLines(ComposeStringingChartText(state, ComputeStringingChart(state, 30, 90, 30)));
    const std::size_t rows = state.resultTable.size();
    ASSERT_EQ(report.size(), 22 + rows);
    // Head, empty, note, empty, then title, header and rows of each table with
    // an empty line between them.
    ASSERT_EQ(chart.size(), kHeadLines + 3 + 2 * (2 + rows) + 1);
    const std::size_t sagFirst = kHeadLines + 5;
    const std::size_t tensionFirst = sagFirst + rows + 3;
    EXPECT_EQ(chart[sagFirst - 2], "弛度 [m]");
    EXPECT_EQ(chart[tensionFirst - 2], "張力 [kg]");
    for (std::size_t r = 0; r < rows; ++r) {
        const std::vector<std::string> reportWords = Words(report[22 + r]);
        const std::vector<std::string> sagWords = Words(chart[sagFirst + r]);
        const std::vector<std::string> tensionWords = Words(chart[tensionFirst + r]);
        ASSERT_EQ(reportWords.size(), 13u);
        ASSERT_EQ(sagWords.size(), 4u);
        ASSERT_EQ(tensionWords.size(), 4u);
        EXPECT_EQ(sagWords[0], reportWords[0]);
        EXPECT_EQ(tensionWords[0], reportWords[0]);
        EXPECT_EQ(sagWords[3], reportWords[9]) << "sag at " << reportWords[0] << " m";
        EXPECT_EQ(tensionWords[3], reportWords[10]) << "tension at " << reportWords[0] << " m";
        // Fixed columns: every line of a table is as wide as its header.
        EXPECT_EQ(chart[sagFirst + r].size(), DisplayColumns(chart[sagFirst - 1]));
        EXPECT_EQ(chart[tensionFirst + r].size(), DisplayColumns(chart[tensionFirst - 1]));
    }
}

StringingChart HandMadeChart() {
    StringingChart chart;
    chart.temperatures = {-32768, 0, 32767};
    chart.rows = {
        {5.0f, {0.0004f, 0.5f, 123456.7f}, {1234567.0f, 0.5f, 0.0f}},
        {32767.0f, {1.0f, 2.25f, 99.9996f}, {6000.0f, 999.994f, 12.345f}},
        {-100.0f, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}},
    };
    return chart;
}

TEST(ComposeStringingChartText, LaysOutTemperaturesAndValuesInFixedColumns) {
    const std::vector<std::string> lines =
        SplitLines(ComposeStringingChartText(CalculationState{}, HandMadeChart()));
    const std::vector<std::string> tail(lines.begin() + kHeadLines, lines.end());
    const std::vector<std::string> expected = {
        "",
        "無風・無氷（負荷係数 1）",
        "",
        "弛度 [m]",
        "径間[m] -32768℃      0℃  32767℃",
        "      5    0.000    0.500123456.700", // longer than its column: written whole
        "  32767    1.000    2.250  100.000",
        "   -100    0.000    0.000    0.000",
        "",
        "張力 [kg]",
        "径間[m] -32768℃      0℃  32767℃",
        "      51234567.00      .50      .00", // below 1 kg without a leading zero
        "  32767  6000.00   999.99    12.35",
        "   -100      .00      .00      .00",
    };
    EXPECT_EQ(tail, expected);
}

TEST(ComposeStringingChartText, ChartWithoutRowsHasTitlesAndHeadersOnly) {
    StringingChart chart;
    chart.temperatures = {15};
    const std::vector<std::string> lines =
        SplitLines(ComposeStringingChartText(CalculationState{}, chart));
    const std::vector<std::string> tail(lines.begin() + kHeadLines, lines.end());
    const std::vector<std::string> expected = {
        "",          "無風・無氷（負荷係数 1）", "", "弛度 [m]", "径間[m]     15℃", "",
        "張力 [kg]", "径間[m]     15℃",
    };
    EXPECT_EQ(tail, expected);
}

TEST(ComposeStringingChartText, EndsEveryLineWithCrLfAndKeepsItsColumnsWhenWide) {
    const CalculationState state = test::CalculatedExample50mm();
    const std::string text =
        ComposeStringingChartText(state, ComputeStringingChart(state, -50, 150, 5));
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::size_t lineFeeds = 0;
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        lineFeeds += text[i] == '\n' ? 1 : 0;
        lineEnds += text.compare(i, 2, "\r\n") == 0 ? 1 : 0;
    }
    EXPECT_EQ(lineFeeds, lineEnds);
    EXPECT_EQ(text.find('\t'), std::string::npos);
    // 41 columns: 7 + 41 x 9 display columns on the header and every row.
    const std::vector<std::string> lines = SplitLines(text);
    EXPECT_EQ(DisplayColumns(lines[kHeadLines + 4]), 7u + 41u * 9u);
    EXPECT_EQ(lines[kHeadLines + 5].size(), 7u + 41u * 9u);
}

} // namespace
} // namespace orvalt
