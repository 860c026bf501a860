// Exact tension sections: the catenary against a numerical integration, fixed
// supports against each span solved on its own by bisection, mirrored
// sections, strings lengthening toward the ruling tension, the clamped state,
// the 張力超過 marks and every refusal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/calculation/tension_section.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::CalculatedAt100m;
using test::Wire240;

const std::vector<SectionSpan> kFourSpans = {{120, 5}, {250, 30}, {180, -12}, {90, -40}};

std::vector<SectionSupport> Suspended(std::size_t spanCount, double length, double weight) {
    std::vector<SectionSupport> supports = DefaultSectionSupports(spanCount);
    for (std::size_t j = 1; j < spanCount; ++j) {
        supports[j] = {SupportType::kSuspension, length, weight};
    }
    return supports;
}

// Every state of the section: the three conditions, then the chart.
std::vector<const BalancedState*> States(const BalancedSection& b) {
    std::vector<const BalancedState*> states;
    for (const BalancedState& s : b.conditions) states.push_back(&s);
    for (const BalancedState& s : b.chart) states.push_back(&s);
    return states;
}

double Relative(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

// The catenary through (0, 0) and (S, h) by bisection on where its lowest
// point lies, then its length and the arc average of H cosh by Simpson's rule.
CatenarySpan IntegratedCatenary(double H, double w, double S, double h) {
    const double C = H / w;
    const auto y = [&](double x, double x0) {
        return C * (std::cosh((x - x0) / C) - std::cosh(x0 / C));
    };
    double lo = -10.0 * S - 10.0 * C;
    double hi = 10.0 * S + 10.0 * C;
    for (int i = 0; i < 200; ++i) { // y(S) falls as the lowest point moves right
        const double mid = 0.5 * (lo + hi);
        (y(S, mid) > h ? lo : hi) = mid;
    }
    const double x0 = 0.5 * (lo + hi);
    const int n = 20000;
    double length = 0.0;
    double tension = 0.0;
    for (int i = 0; i <= n; ++i) {
        const double x = S * i / n;
        const double weight = (i == 0 || i == n) ? 1.0 : (i % 2 ? 4.0 : 2.0);
        const double c = std::cosh((x - x0) / C);
        length += weight * c;
        tension += weight * H * c * c;
    }
    length *= S / n / 3.0;
    tension *= S / n / 3.0;
    return {length, tension / length};
}

TEST(BalancedSection, CatenaryAgainstNumericalIntegration) {
    const struct {
        double H, w, S, h;
    } cases[] = {
        {1000.0, 1.0, 200.0, 0.0},  {1269.0, 1.1, 120.0, 5.0}, {1269.0, 1.1, 90.0, -40.0},
        {300.0, 2.5, 400.0, 150.0}, {5000.0, 0.6, 50.0, 0.0},  {50.0, 1.0, 100.0, -20.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.S) + " " + std::to_string(c.h));
        const CatenarySpan got = Catenary(c.H, c.w, c.S, c.h);
        const CatenarySpan want = IntegratedCatenary(c.H, c.w, c.S, c.h);
        EXPECT_LT(Relative(got.length, want.length), 1e-10);
        EXPECT_LT(Relative(got.meanTension, want.meanTension), 1e-10);
        EXPECT_GE(got.length, std::hypot(c.S, c.h));
    }
    // A level span by hand: L = 2C sinh(S/2C) = 2000 sinh 0.1.
    EXPECT_NEAR(Catenary(1000.0, 1.0, 200.0, 0.0).length, 200.33350003968806, 1e-10);
}

// One span on its own: the length equation solved by bisection.
double SpanAlone(const CalculationState& state, const SectionSpan& span, double Hs, double ts,
                 double t, double q) {
    const WireRecord& wire = state.currentWire;
    const double w0 = wire.unitWeight;
    const double EA = static_cast<double>(wire.elasticModulus) * wire.area;
    const double alpha = wire.expansionCoeff * 1e-6;
    const CatenarySpan clamped = Catenary(Hs, w0, span.length, span.heightDifference);
    double lo = 1.0;
    double hi = 1e6;
    for (int i = 0; i < 200; ++i) {
        const double H = 0.5 * (lo + hi);
        const CatenarySpan c = Catenary(H, q * w0, span.length, span.heightDifference);
        const double needed = clamped.length * (1.0 + alpha * (t - ts)) *
                              (1.0 + (c.meanTension - clamped.meanTension) / EA);
        (c.length > needed ? lo : hi) = H;
    }
    return 0.5 * (lo + hi);
}

TEST(BalancedSection, FixedSupportsSolveEachSpanOnItsOwn) {
    const CalculationState state = CalculatedAt100m(Wire240());
    const struct {
        std::vector<SectionSpan> spans;
        std::int16_t stringing;
    } cases[] = {
        {kFourSpans, 15},
        {kFourSpans, 30},
        {{{250, 30}}, 15}, // one span: the span alone
        {{{60, 0}, {400, 80}, {60, -10}}, -5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.spans.size()) + " spans, strung at " +
                     std::to_string(c.stringing));
        const BalancedSection b = ComputeBalancedSection(
            state, c.spans, DefaultSectionSupports(c.spans.size()), c.stringing, -20, 90, 10);
        const SectionStringingChart ruling =
            ComputeSectionStringingChart(state, c.spans, c.stringing, c.stringing, 1);
        ASSERT_EQ(b.clampedTension, ruling.tension[0]);
        ASSERT_EQ(b.chart.size(), 12u);
        const float q[3] = {state.loadFactorHigh, state.loadFactorLow, state.loadFactorStudy};
        for (const BalancedState* s : States(b)) {
            const double load = s->load / state.currentWire.unitWeight;
            ASSERT_EQ(s->spans.size(), c.spans.size());
            for (std::size_t i = 0; i < c.spans.size(); ++i) {
                const double want = SpanAlone(state, c.spans[i], b.clampedTension, c.stringing,
                                              s->temperature, load);
                EXPECT_LT(Relative(s->spans[i].horizontalTension, want), 1e-9)
                    << "span " << i << " at " << s->temperature << " load " << load;
            }
            for (const BalancedSupport& support : s->supports) {
                EXPECT_EQ(support.displacement, 0.0);
                EXPECT_EQ(support.swing, 0.0);
            }
        }
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(b.conditions[k].load,
                      static_cast<double>(q[k]) * state.currentWire.unitWeight);
        }
    }
}

TEST(BalancedSection, MirroredSectionGivesMirroredResults) {
    const CalculationState state = CalculatedAt100m(Wire240());
    std::vector<SectionSpan> spans = kFourSpans;
    std::vector<SectionSupport> supports = Suspended(spans.size(), 1.0, 35.0);
    supports[2] = {SupportType::kFixed, 0.0, 0.0};
    supports[3].stringLength = 3.0;
    std::vector<SectionSpan> mirrored(spans.rbegin(), spans.rend());
    for (SectionSpan& s : mirrored) s.heightDifference = -s.heightDifference;
    const std::vector<SectionSupport> mirroredSupports(supports.rbegin(), supports.rend());
    const BalancedSection a = ComputeBalancedSection(state, spans, supports, 15, -10, 60, 10);
    const BalancedSection b =
        ComputeBalancedSection(state, mirrored, mirroredSupports, 15, -10, 60, 10);
    const std::vector<const BalancedState*> as = States(a);
    const std::vector<const BalancedState*> bs = States(b);
    ASSERT_EQ(as.size(), bs.size());
    const std::size_t n = spans.size();
    for (std::size_t k = 0; k < as.size(); ++k) {
        for (std::size_t i = 0; i < n; ++i) {
            const BalancedSpan& x = as[k]->spans[i];
            const BalancedSpan& y = bs[k]->spans[n - 1 - i];
            EXPECT_LT(Relative(x.horizontalTension, y.horizontalTension), 1e-9);
            EXPECT_LT(Relative(x.sag, y.sag), 1e-8);
            EXPECT_LT(Relative(x.upperSupportTension, y.upperSupportTension), 1e-9);
            EXPECT_LT(Relative(x.lowerSupportTension, y.lowerSupportTension), 1e-9);
            EXPECT_NEAR(x.lowPointOffset, y.lowPointOffset, 1e-7);
            EXPECT_EQ(x.lowPointOutside, y.lowPointOutside);
        }
        for (std::size_t j = 0; j <= n; ++j) {
            const BalancedSupport& x = as[k]->supports[j];
            const BalancedSupport& y = bs[k]->supports[n - j];
            EXPECT_NEAR(x.displacement, -y.displacement, 1e-9);
            EXPECT_NEAR(x.swing, -y.swing, 1e-7);
            EXPECT_NEAR(x.rise, y.rise, 1e-9);
        }
    }
    // The strings swing: away from the hot and cold states' clamped place.
    EXPECT_GT(std::fabs(a.chart.back().supports[1].displacement), 0.01);
    EXPECT_EQ(a.chart.back().supports[2].displacement, 0.0);
}

TEST(BalancedSection, LongerStringsApproachTheRulingTension) {
    const CalculationState state = CalculatedAt100m(Wire240());
    const SectionStringingChart ruling =
        ComputeSectionStringingChart(state, kFourSpans, -15, 90, 15);
    double previousOff = 1.0;
    double previousSpread = 1.0;
    for (const double length : {0.5, 1.0, 3.0, 30.0}) {
        SCOPED_TRACE(length);
        const BalancedSection b = ComputeBalancedSection(
            state, kFourSpans, Suspended(kFourSpans.size(), length, 35.0), 15, -15, 90, 15);
        double off = 0.0;    // largest departure of a span's H from the ruling tension
        double spread = 0.0; // largest difference between two spans' H
        for (std::size_t k = 0; k < b.chart.size(); ++k) {
            double low = 1e30;
            double high = 0.0;
            for (const BalancedSpan& span : b.chart[k].spans) {
                off = std::max(off, Relative(span.horizontalTension, ruling.tension[k]));
                low = std::min(low, span.horizontalTension);
                high = std::max(high, span.horizontalTension);
            }
            spread = std::max(spread, (high - low) / ruling.tension[k]);
        }
        EXPECT_LT(off, previousOff);
        EXPECT_LT(spread, previousSpread);
        previousOff = off;
        previousSpread = spread;
    }
    EXPECT_LT(previousOff, 0.015);
    EXPECT_LT(previousSpread, 0.005);
}

TEST(BalancedSection, AtTheStringingTemperatureEverySpanHasTheClampedTension) {
    const CalculationState state = CalculatedAt100m(Wire240());
    for (const std::int16_t ts : {std::int16_t{-5}, std::int16_t{15}, std::int16_t{35}}) {
        for (const double length : {0.0, 1.0, 30.0}) {
            SCOPED_TRACE(std::to_string(ts) + " " + std::to_string(length));
            const std::vector<SectionSupport> supports =
                length > 0.0 ? Suspended(kFourSpans.size(), length, 35.0)
                             : DefaultSectionSupports(kFourSpans.size());
            const BalancedSection b =
                ComputeBalancedSection(state, kFourSpans, supports, ts, ts, ts, 1);
            ASSERT_EQ(b.chart.size(), 1u);
            EXPECT_EQ(b.chart[0].temperature, ts);
            EXPECT_EQ(b.stringingTemperature, ts);
            for (const BalancedSpan& span : b.chart[0].spans) {
                EXPECT_LT(Relative(span.horizontalTension, b.clampedTension), 1e-9);
            }
            for (const BalancedSupport& support : b.chart[0].supports) {
                EXPECT_NEAR(support.displacement, 0.0, 1e-9);
            }
        }
    }
}

TEST(BalancedSection, SupportTensionsAboveTheMaximumAreMarked) {
    const CalculationState state = CalculatedAt100m(Wire240());
    const BalancedSection b = ComputeBalancedSection(
        state, kFourSpans, DefaultSectionSupports(kFourSpans.size()), 15, -15, 90, 15);
    const TensionSection ruling = ComputeTensionSection(state, kFourSpans);
    int exactMarks = 0;
    int rulingMarks = 0;
    for (const BalancedState* s : States(b)) {
        for (const BalancedSpan& span : s->spans) {
            EXPECT_GE(span.upperSupportTension, span.horizontalTension);
            EXPECT_GE(span.upperSupportTension, span.lowerSupportTension);
            EXPECT_EQ(span.overMaxTension, span.upperSupportTension > 3000.0);
            exactMarks += span.overMaxTension;
        }
    }
    for (const auto& spans : ruling.spans) {
        for (const SectionSpanResult& span : spans) {
            EXPECT_EQ(span.overMaxTension, span.upperSupportTension > 3000.0f);
            rulingMarks += span.overMaxTension;
        }
    }
    // The low season reaches T at S_e, so every span's upper support passes it;
    // in the exact result the steep short span's does.
    EXPECT_EQ(rulingMarks, 4);
    EXPECT_GT(exactMarks, 0);
    EXPECT_TRUE(b.conditions[kLowSeason].spans[3].overMaxTension);
}

std::string Failure(const std::vector<SectionSpan>& spans,
                    const std::vector<SectionSupport>& supports, std::int16_t step = 5) {
    try {
        ComputeBalancedSection(CalculatedAt100m(Wire240()), spans, supports, 15, -20, 60, step);
    } catch (const CalculationError& e) {
        return e.what();
    }
    return "(no failure)";
}

TEST(BalancedSection, RefusalsNameWhatIsWrong) {
    const SectionSupport dead{SupportType::kDeadEnd, 0.0, 0.0};
    const SectionSupport fixed{SupportType::kFixed, 0.0, 0.0};
    const auto string = [](double length, double weight) {
        return SectionSupport{SupportType::kSuspension, length, weight};
    };
    const std::vector<SectionSpan> two = {{100, 0}, {100, 0}};
    const struct {
        std::vector<SectionSpan> spans;
        std::vector<SectionSupport> supports;
        std::int16_t step;
        std::string expected;
    } cases[] = {
        {two,
         {dead, dead},
         5,
         "区間の精算ができませんでした。\n支持点が 2 あります。2 径間の区間には 3 "
         "の支持点が要ります。"},
        {two,
         {fixed, fixed, dead},
         5,
         "区間の精算ができませんでした。\n区間の両端の支持点は引留にしてください。"},
        {two,
         {dead, fixed, string(1.0, 0.0)},
         5,
         "区間の精算ができませんでした。\n区間の両端の支持点は引留にしてください。"},
        {two,
         {dead, string(0.0, 35.0), dead},
         5,
         "区間の精算ができませんでした。\n支持点 2 のがいし連長は 0 より大きい数にしてください。"},
        {two,
         {dead, string(NAN, 35.0), dead},
         5,
         "区間の精算ができませんでした。\n支持点 2 のがいし連長は 0 より大きい数にしてください。"},
        {two,
         {dead, string(1.0, -1.0), dead},
         5,
         "区間の精算ができませんでした。\n支持点 2 のがいし連重量は 0 以上の数にしてください。"},
        {two,
         {dead, string(1.0, INFINITY), dead},
         5,
         "区間の精算ができませんでした。\n支持点 2 のがいし連重量は 0 以上の数にしてください。"},
        // A light string in a deep valley is lifted by the wire.
        {{{100, -20}, {100, 20}},
         {dead, string(1.0, 0.0), dead},
         5,
         "区間の精算ができませんでした。\n高温季で、支持点 2 のがいし連が浮き上がります。"},
        // The section's own refusals come first.
        {{}, {dead}, 5, "区間の計算ができませんでした。\n径間がありません。"},
        {{{100, 0}, {-5, 0}},
         {dead, fixed, dead},
         5,
         "径間 2 の径間長は 0 より大きい数にしてください。"},
        {two,
         {dead, fixed, dead},
         0,
         "架線弛度表を作れませんでした。\n温度の刻みは 1℃ 以上にしてください。"},
    };
    for (const auto& c : cases) {
        const std::string message = Failure(c.spans, c.supports, c.step);
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
    }
    // A string weighted down holds the same valley.
    EXPECT_EQ(Failure({{100, -20}, {100, 20}}, {dead, string(1.0, 3000.0), dead}), "(no failure)");
}

} // namespace
} // namespace orvalt
