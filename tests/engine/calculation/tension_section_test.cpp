// Tension sections: a one-span section is a row of the result table, the
// equivalent span of hand-computed sections, the sag of level and inclined
// spans, the low point and the support tensions, the section's stringing
// chart, and every refusal.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/calculation/tension_section.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

std::uint32_t Bits(float v) { return std::bit_cast<std::uint32_t>(v); }

CalculationState Calculated(const WireRecord& wire, float start, float end, float step) {
    CalculationState s;
    s.currentWire = wire;
    s.spanStart = start;
    s.spanEnd = end;
    s.spanStep = step;
    RunCalculation(s);
    return s;
}

std::string SectionFailure(const CalculationState& s, const std::vector<SectionSpan>& spans) {
    try {
        ComputeTensionSection(s, spans);
    } catch (const CalculationError& e) {
        return e.what();
    }
    return "(no failure)";
}

TEST(TensionSection, OneSpanIsTheResultTableRowBitForBit) {
    // The 50 mm wire's critical span is 308.327 m: its rows lie on both sides,
    // and the second table starts exactly on it.
    const double critical = Calculated(test::WorkedExample2(), 100, 100, 1).criticalSpan;
    const float atCritical = static_cast<float>(critical);
    const CalculationState tables[] = {
        Calculated(test::WorkedExample1(), 100, 400, 10),
        Calculated(test::WorkedExample2(), 100, 400, 10),
        Calculated(test::WorkedExample2(), atCritical, atCritical + 2, 1),
        Calculated(test::AcsrLinnet(), 50, 600, 25),
    };
    for (const CalculationState& s : tables) {
        for (const SpanRow& row : s.resultTable) {
            const float S = row.block[0].span;
            SCOPED_TRACE(s.currentWire.wireName + " " + std::to_string(S));
            const TensionSection section = ComputeTensionSection(s, {{S, 0.0f}});
            ASSERT_EQ(Bits(section.equivalentSpan), Bits(S));
            for (int c = 0; c < 3; ++c) {
                const ConditionResult& want = row.block[c];
                const ConditionResult& got = section.atEquivalentSpan[c];
                EXPECT_EQ(Bits(got.span), Bits(want.span));
                EXPECT_EQ(Bits(got.sag), Bits(want.sag));
                EXPECT_EQ(Bits(got.tension), Bits(want.tension));
                EXPECT_EQ(got.kValue, want.kValue);
                EXPECT_EQ(got.templateNumber, want.templateNumber);
                const SectionSpanResult& span = section.spans[0][c];
                EXPECT_EQ(Bits(span.levelSag), Bits(want.sag));
                EXPECT_EQ(Bits(span.slantSag), Bits(want.sag));
                EXPECT_EQ(span.templateNumber, want.templateNumber);
            }
        }
    }
}

TEST(TensionSection, EquivalentSpanOfHandComputedSections) {
    const CalculationState s = Calculated(test::WorkedExample1(), 100, 100, 1);
    struct Case {
        std::vector<SectionSpan> spans;
        float expected; // sqrt(sum S^3 / sum S)
    } const cases[] = {
        {{{100, 0}, {200, 0}, {300, 0}}, 244.948974f},      // sqrt(36,000,000 / 600)
        {{{300, -60}, {100, 25}, {200, 140}}, 244.948974f}, // order and heights do not count
        {{{50, 0}, {350, 0}}, 327.871926f},                 // sqrt(43,000,000 / 400)
        {{{200, 5}, {200, -5}, {200, 0}}, 200.0f},
    };
    for (const Case& c : cases) {
        const TensionSection section = ComputeTensionSection(s, c.spans);
        EXPECT_FLOAT_EQ(section.equivalentSpan, c.expected);
        EXPECT_EQ(section.atEquivalentSpan[kStudyCondition].span, section.equivalentSpan);
    }
}

TEST(TensionSection, LevelSpansSagWithTheSquareOfTheSpanAndPullHPlusWD) {
    const CalculationState s = Calculated(test::WorkedExample2(), 100, 100, 1);
    const std::vector<SectionSpan> spans = {{150, 0}, {300, 0}, {75, 0}, {450, 0}};
    const TensionSection section = ComputeTensionSection(s, spans);
    const float q[] = {s.loadFactorHigh, s.loadFactorLow, s.loadFactorStudy};
    for (int c = 0; c < 3; ++c) {
        const float H = section.atEquivalentSpan[c].tension;
        const float first = section.spans[0][c].levelSag;
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const SectionSpanResult& r = section.spans[i][c];
            const float ratio = spans[i].length / spans[0].length;
            EXPECT_FLOAT_EQ(r.levelSag, first * ratio * ratio) << i;
            EXPECT_NEAR(r.kValue, section.atEquivalentSpan[c].kValue, 1) << i;
            EXPECT_EQ(r.slantSag, r.levelSag);
            EXPECT_EQ(r.lowPointOffset, 0.0f);
            EXPECT_FALSE(r.lowPointOutside);
            const float wD = static_cast<float>(q[c] * s.currentWire.unitWeight * r.slantSag);
            EXPECT_FLOAT_EQ(r.upperSupportTension, H + wD);
            EXPECT_EQ(r.upperSupportTension, r.lowerSupportTension);
        }
    }
}

TEST(TensionSection, InclinedSpanSagsByItsSlopeAndItsSupportsDifferByWH) {
    const CalculationState s = Calculated(test::WorkedExample1(), 100, 100, 1);
    // 300 m across and 400 m up: the chord is 500 m, so the sag grows by 5/3;
    // downhill the same span gives the same figures.
    const TensionSection section = ComputeTensionSection(s, {{300, 400}, {300, -400}, {200, 10}});
    for (int c = 0; c < 3; ++c) {
        const double w = (c == 0   ? s.loadFactorHigh
                          : c == 1 ? s.loadFactorLow
                                   : s.loadFactorStudy) *
                         static_cast<double>(s.currentWire.unitWeight);
        const SectionSpanResult& up = section.spans[0][c];
        EXPECT_FLOAT_EQ(up.slantSag, up.levelSag * 5.0f / 3.0f);
        EXPECT_TRUE(up.lowPointOutside);
        EXPECT_GT(up.lowPointOffset, 150.0f);
        EXPECT_EQ(Bits(section.spans[1][c].lowerSupportTension), Bits(up.lowerSupportTension));
        EXPECT_EQ(Bits(section.spans[1][c].lowPointOffset), Bits(up.lowPointOffset));
        // The upper support stands |h| higher on the same parabola.
        const double heights[] = {400, 400, 10};
        for (std::size_t i = 0; i < 3; ++i) {
            const SectionSpanResult& r = section.spans[i][c];
            EXPECT_NEAR(r.upperSupportTension - r.lowerSupportTension, w * heights[i], 1e-3) << i;
        }
        EXPECT_FALSE(section.spans[2][c].lowPointOutside);
    }
}

TEST(TensionSection, LowPointReachesTheLowerSupportWhenTheHeightIsFourSags) {
    const CalculationState s = Calculated(test::WorkedExample2(), 100, 100, 1);
    // |h| = 4D is a fixed point (D grows a little with |h|): iterate to it.
    float h = 0.0f;
    for (int n = 0; n < 50; ++n) {
        h = 4.0f * ComputeTensionSection(s, {{250, h}}).spans[0][kHighSeason].slantSag;
    }
    const TensionSection at = ComputeTensionSection(s, {{250, h}});
    const SectionSpanResult& r = at.spans[0][kHighSeason];
    ASSERT_EQ(4.0f * r.slantSag, h);
    EXPECT_FALSE(r.lowPointOutside);
    EXPECT_EQ(r.lowPointOffset, 125.0f);
    EXPECT_EQ(r.lowerSupportTension, at.atEquivalentSpan[kHighSeason].tension);

    const float beyond = std::nextafter(h, 1e9f) + 0.01f;
    const TensionSection past = ComputeTensionSection(s, {{250, -beyond}});
    const SectionSpanResult& out = past.spans[0][kHighSeason];
    EXPECT_TRUE(out.lowPointOutside);
    EXPECT_GT(out.lowPointOffset, 125.0f);
}

TEST(TensionSection, RefusalsNameTheSpanOrTheCondition) {
    CalculationState s = Calculated(test::WorkedExample1(), 100, 100, 1);
    const std::string head = "区間の計算ができませんでした。\n";
    const float inf = INFINITY;
    const float nan = NAN;
    const std::vector<SectionSpan> tooMany(201, SectionSpan{100, 0});
    struct Case {
        std::vector<SectionSpan> spans;
        std::string message;
    } const cases[] = {
        {{}, head + "径間がありません。径間長と高低差を一径間につき一行入力してください。"},
        {tooMany, head + "径間が 201 あります。一つの区間は 200 径間までにしてください。"},
        {{{100, 0}, {0, 0}}, head + "径間 2 の径間長は 0 より大きい数にしてください。"},
        {{{100, 0}, {200, 0}, {-5, 0}}, head + "径間 3 の径間長は 0 より大きい数にしてください。"},
        {{{inf, 0}}, head + "径間 1 の径間長は 0 より大きい数にしてください。"},
        {{{nan, 0}}, head + "径間 1 の径間長は 0 より大きい数にしてください。"},
        {{{100, 0}, {100, nan}}, head + "径間 2 の高低差が数になっていません。"},
        {{{100, -inf}}, head + "径間 1 の高低差が数になっていません。"},
        {{{100, 0}, {100, 3e38f}},
         "計算できませんでした。\n径間 2 の高温季で、支持点の張力の計算中に"
         "値が単精度実数の範囲を超えました。"},
    };
    for (const Case& c : cases) EXPECT_EQ(SectionFailure(s, c.spans), c.message);
    EXPECT_EQ(ComputeTensionSection(s, std::vector<SectionSpan>(200, {100, 0})).spans.size(), 200u);

    s.temperatureStudy = 32767; // 32767 - (-15) leaves 16 bits
    EXPECT_EQ(SectionFailure(s, {{100, 0}, {200, 0}, {300, 0}}),
              "計算できませんでした。\n等価径間 244.94897 m の検討条件で、"
              "温度差の計算中に値が整数の範囲（-32768～32767）を超えました。");
}

TEST(SectionStringingChart, OneSpanIsTheChartRowAndTheStudyColumnIsTheStudyCondition) {
    const CalculationState s = Calculated(test::WorkedExample2(), 100, 400, 50);
    const StringingChart table = ComputeStringingChart(s, -10, 90, 25);
    for (const StringingChart::Row& row : table.rows) {
        const SectionStringingChart one =
            ComputeSectionStringingChart(s, {{row.span, 0}}, -10, 90, 25);
        ASSERT_EQ(one.temperatures, table.temperatures);
        for (std::size_t c = 0; c < table.temperatures.size(); ++c) {
            EXPECT_EQ(Bits(one.tension[c]), Bits(row.tension[c])) << row.span;
            EXPECT_EQ(Bits(one.slantSag[0][c]), Bits(row.sag[c])) << row.span;
        }
    }
    // Without wind the study condition is the chart's column at its temperature.
    const std::vector<SectionSpan> spans = {{180, 12}, {320, -45}, {260, 0}};
    const TensionSection section = ComputeTensionSection(s, spans);
    const SectionStringingChart chart = ComputeSectionStringingChart(s, spans, -10, 90, 25);
    ASSERT_EQ(chart.temperatures.back(), s.temperatureStudy);
    EXPECT_EQ(Bits(chart.tension.back()), Bits(section.atEquivalentSpan[kStudyCondition].tension));
    for (std::size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(Bits(chart.slantSag[i].back()), Bits(section.spans[i][kStudyCondition].slantSag));
    }
}

TEST(SectionStringingChart, RefusesAsTheChartAndTheSectionDo) {
    const CalculationState s = Calculated(test::WorkedExample1(), 100, 100, 1);
    auto failure = [&s](const std::vector<SectionSpan>& spans, int from) -> std::string {
        try {
            ComputeSectionStringingChart(s, spans, static_cast<std::int16_t>(from), 32760, 60);
        } catch (const CalculationError& e) {
            return e.what();
        }
        return "(no failure)";
    };
    EXPECT_EQ(failure({{100, 0}}, 32761),
              "架線弛度表を作れませんでした。\n終了温度（32760℃）が開始温度（32761℃）より低くなって"
              "います。");
    EXPECT_EQ(failure({{100, 0}, {-1, 0}}, 32700),
              "区間の計算ができませんでした。\n径間 2 の径間長は 0 より大きい数にしてください。");
    EXPECT_EQ(failure({{100, 0}, {200, 0}, {300, 0}}, 32700),
              "計算できませんでした。\n架線弛度表の等価径間 244.94897 m・温度 32760℃で、"
              "温度差の計算中に値が整数の範囲（-32768～32767）を超えました。");
}

} // namespace
} // namespace orvalt
