// The stringing chart: its temperature columns and refusals, its agreement
// with the study block of the result table, the rise of the sag with the
// temperature, and where its failures are said to be.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/calculation/stringing_chart.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using ::testing::ElementsAreArray;

CalculationState Example18mm() {
    CalculationState s;
    s.currentWire = test::WorkedExample1();
    return s;
}

CalculationState Example50mm() {
    CalculationState s;
    s.currentWire = test::WorkedExample2();
    s.spanStep = 50.0f;
    return s;
}

std::string ChartFailure(const CalculationState& s, int from, int to, int step) {
    try {
        ComputeStringingChart(s, static_cast<std::int16_t>(from), static_cast<std::int16_t>(to),
                              static_cast<std::int16_t>(step));
    } catch (const CalculationError& e) {
        return e.what();
    }
    return "(no failure)";
}

// --- Temperature columns -------------------------------------------------

struct ColumnsCase {
    int from, to, step;
    std::vector<int> expected;
};

std::ostream& operator<<(std::ostream& os, const ColumnsCase& c) {
    return os << c.from << " to " << c.to << " by " << c.step;
}

class ChartColumns : public testing::TestWithParam<ColumnsCase> {};

TEST_P(ChartColumns, RunFromTheFirstTemperatureByTheStepUpToTheLast) {
    const ColumnsCase& c = GetParam();
    const std::vector<std::int16_t> got =
        ChartTemperatures(static_cast<std::int16_t>(c.from), static_cast<std::int16_t>(c.to),
                          static_cast<std::int16_t>(c.step));
    EXPECT_THAT(std::vector<int>(got.begin(), got.end()), ElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ChartColumns,
    testing::Values(ColumnsCase{-10, 90, 25, {-10, 15, 40, 65, 90}},
                    ColumnsCase{0, 9, 4, {0, 4, 8}}, // the end is not reached exactly
                    ColumnsCase{15, 15, 5, {15}},    // one column
                    ColumnsCase{-20, 20, 1,
                                [] {
                                    std::vector<int> v;
                                    for (int t = -20; t <= 20; ++t) v.push_back(t);
                                    return v;
                                }()},
                    ColumnsCase{
                        32760, 32767, 5, {32760, 32765}}, // the next step would not fit in 16 bits
                    ColumnsCase{32767, 32767, 32767, {32767}},
                    ColumnsCase{-32768, 32767, 32767, {-32768, -1, 32766}},
                    ColumnsCase{-32768, 32767, 1600, [] {
                                    std::vector<int> v;
                                    for (int t = -32768; t <= 32767; t += 1600) v.push_back(t);
                                    return v;
                                }()}));

struct RefusalCase {
    const char* name;
    int from, to, step;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const RefusalCase& c) { return os << c.name; }

class ChartRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(ChartRefusal, SaysWhatIsWrong) {
    const RefusalCase& c = GetParam();
    const std::string message = ChartFailure(Example50mm(), c.from, c.to, c.step);
    EXPECT_EQ(message, std::string("架線弛度表を作れませんでした。\n") + c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, ChartRefusal,
    testing::Values(
        RefusalCase{"step 0", -10, 40, 0, "温度の刻みは 1℃ 以上にしてください。"},
        RefusalCase{"negative step", 40, -10, -5, "温度の刻みは 1℃ 以上にしてください。"},
        RefusalCase{"end below start", 40, -10, 5,
                    "終了温度（-10℃）が開始温度（40℃）より低くなっています。"},
        RefusalCase{"42 columns", -20, 21, 1,
                    "温度の列が 42 列になります。41 "
                    "列以下になるよう、温度の範囲を狭めるか刻みを大きくしてください。"},
        RefusalCase{"whole 16-bit range by 1", -32768, 32767, 1,
                    "温度の列が 65536 列になります。41 "
                    "列以下になるよう、温度の範囲を狭めるか刻みを大きくしてください。"}),
    [](const testing::TestParamInfo<RefusalCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == ' ' || ch == '-') ch = '_';
        }
        return name;
    });

// --- Agreement with the result table --------------------------------------

void ExpectStudyColumnIsTheStudyBlock(const CalculationState& s, const StringingChart& chart,
                                      std::size_t studyColumn) {
    ASSERT_EQ(chart.rows.size(), s.resultTable.size());
    ASSERT_LT(studyColumn, chart.temperatures.size());
    ASSERT_EQ(chart.temperatures[studyColumn], s.temperatureStudy);
    for (std::size_t r = 0; r < chart.rows.size(); ++r) {
        const ConditionResult& study = s.resultTable[r].block[kStudyCondition];
        const StringingChart::Row& row = chart.rows[r];
        SCOPED_TRACE("span " + std::to_string(study.span));
        ASSERT_EQ(row.sag.size(), chart.temperatures.size());
        ASSERT_EQ(row.tension.size(), chart.temperatures.size());
        EXPECT_EQ(std::bit_cast<std::uint32_t>(row.span), std::bit_cast<std::uint32_t>(study.span));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(row.sag[studyColumn]),
                  std::bit_cast<std::uint32_t>(study.sag));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(row.tension[studyColumn]),
                  std::bit_cast<std::uint32_t>(study.tension));
    }
}

void ExpectSagRisesAndTensionFallsWithTemperature(const StringingChart& chart) {
    for (const StringingChart::Row& row : chart.rows) {
        for (std::size_t c = 1; c < chart.temperatures.size(); ++c) {
            EXPECT_LE(row.sag[c - 1], row.sag[c])
                << "span " << row.span << " m, " << chart.temperatures[c - 1] << " to "
                << chart.temperatures[c] << " degC";
            EXPECT_GE(row.tension[c - 1], row.tension[c])
                << "span " << row.span << " m, " << chart.temperatures[c - 1] << " to "
                << chart.temperatures[c] << " degC";
        }
    }
}

TEST(StringingChart, WorkedExamplesStudyColumnIsTheStudyBlock) {
    for (CalculationState s : {Example18mm(), Example50mm()}) {
        SCOPED_TRACE(s.currentWire.wireName);
        RunCalculation(s);
        ASSERT_EQ(s.loadFactorStudy, 1.0f);
        const StringingChart chart = ComputeStringingChart(s, -30, 100, 10); // 90 is column 12
        ASSERT_EQ(chart.temperatures.size(), 14u);
        ExpectStudyColumnIsTheStudyBlock(s, chart, 12);
        ExpectSagRisesAndTensionFallsWithTemperature(chart);
    }
}

TEST(StringingChart, WorkedExampleDigitsAtOtherTemperatures) {
    // The 50 mm wire at 100 m (strung in the low season) and 400 m (strung in
    // the high season), bare and in still air, solved independently of this
    // program; six significant digits.
    CalculationState s = Example50mm();
    RunCalculation(s);
    const StringingChart chart = ComputeStringingChart(s, -10, 90, 25);
    auto sig6 = [](float v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.6g", v);
        return std::string(buffer);
    };
    const StringingChart::Row& first = chart.rows.front();
    const StringingChart::Row& last = chart.rows.back();
    EXPECT_EQ(first.span, 100.0f);
    EXPECT_EQ(sig6(first.sag[0]), "0.543604");
    EXPECT_EQ(sig6(first.tension[0]), "4598.94");
    EXPECT_EQ(sig6(first.sag[2]), "1.32062");
    EXPECT_EQ(sig6(first.tension[2]), "1893.05");
    EXPECT_EQ(last.span, 400.0f);
    EXPECT_EQ(sig6(last.sag[0]), "15.8216");
    EXPECT_EQ(sig6(last.tension[0]), "2528.18");
    EXPECT_EQ(sig6(last.sag[3]), "18.212");
    EXPECT_EQ(sig6(last.tension[3]), "2196.35");
}

// Wires and conditions drawn at random (fixed seed), the study condition
// without wind so that Qs is exactly 1: the chart's study column must be the
// study block bit for bit, whatever the wire, the span range or its direction.
CalculationState RandomCase(std::mt19937& gen) {
    auto whole = [&gen](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    auto real = [&gen](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(gen);
    };
    CalculationState s;
    const float d = std::round(real(5.0f, 60.0f) * 10.0f) / 10.0f;
    const float area = std::round(real(20.0f, 1200.0f));
    const float stress = real(3.0f, 30.0f); // maximum working stress [kg/mm2]
    const float unitWeight = area * real(0.002f, 0.009f);
    const float expansion = real(11.0f, 23.0f);
    const float modulus = std::round(real(5000.0f, 21000.0f));
    s.currentWire = {.wireName = "random",
                     .diameterHigh = d,
                     .diameterLow = d,
                     .area = area,
                     .unitWeight = unitWeight,
                     .expansionCoeff = expansion,
                     .elasticModulus = modulus,
                     .maxTension = std::round(area * stress)};
    s.windPressureHigh = static_cast<float>(whole(0, 200));
    s.windPressureLow = static_cast<float>(whole(0, 150));
    s.windPressureStudy = 0.0f;
    s.iceThickness = static_cast<std::int16_t>(whole(0, 30));
    s.temperatureHigh = static_cast<std::int16_t>(whole(-10, 40));
    s.temperatureLow = static_cast<std::int16_t>(whole(-40, 10));
    s.temperatureStudy = static_cast<std::int16_t>(whole(-30, 120));
    const int rows = whole(1, 60);
    const int step = whole(1, 100) * (whole(0, 3) == 0 ? -1 : 1);
    s.spanStart = static_cast<float>(whole(1, 800));
    s.spanStep = static_cast<float>(step);
    s.spanEnd = s.spanStart + static_cast<float>(step * (rows - 1));
    return s;
}

TEST(StringingChart, StudyColumnIsTheStudyBlockForRandomWiresAndRanges) {
    std::mt19937 gen(20240611);
    int compared = 0;
    for (int n = 0; n < 400; ++n) {
        CalculationState s = RandomCase(gen);
        try {
            RunCalculation(s);
        } catch (const CalculationError&) {
            continue; // conditions the calculation itself refuses
        }
        ASSERT_EQ(s.loadFactorStudy, 1.0f);
        const int step = std::uniform_int_distribution<int>(1, 15)(gen);
        // Columns down to -50 degC at most: far colder than the reference
        // season, Newton's method can circle without settling (the table does
        // the same with such a study temperature).
        const int below = std::min(std::uniform_int_distribution<int>(0, 20)(gen),
                                   (s.temperatureStudy + 50) / step);
        const int above = std::uniform_int_distribution<int>(0, 20)(gen);
        const int from = s.temperatureStudy - below * step;
        const int to = s.temperatureStudy + above * step +
                       std::uniform_int_distribution<int>(0, step - 1)(gen);
        SCOPED_TRACE("case " + std::to_string(n) + ": spans " + std::to_string(s.spanStart) +
                     " to " + std::to_string(s.spanEnd) + " by " + std::to_string(s.spanStep) +
                     ", chart " + std::to_string(from) + " to " + std::to_string(to) + " by " +
                     std::to_string(step));
        StringingChart chart;
        try {
            chart = ComputeStringingChart(s, static_cast<std::int16_t>(from),
                                          static_cast<std::int16_t>(to),
                                          static_cast<std::int16_t>(step));
        } catch (const CalculationError& e) {
            const WireRecord& w = s.currentWire;
            ADD_FAILURE() << e.what() << "\nwire d " << w.diameterHigh << " A " << w.area << " Wc "
                          << w.unitWeight << " alpha " << w.expansionCoeff << " E "
                          << w.elasticModulus << " T " << w.maxTension;
            continue;
        }
        ASSERT_EQ(chart.temperatures.size(), static_cast<std::size_t>(below + above + 1));
        ExpectStudyColumnIsTheStudyBlock(s, chart, static_cast<std::size_t>(below));
        ExpectSagRisesAndTensionFallsWithTemperature(chart);
        ++compared;
    }
    EXPECT_GE(compared, 350); // most random conditions can be calculated
}

// --- Failures --------------------------------------------------------------

TEST(StringingChartFailures, NameTheSpanAndTheTemperature) {
    struct Case {
        const char* name;
        CalculationState state;
        int from, to, step;
        const char* message;
    };
    CalculationState descending = Example50mm();
    descending.spanStart = 400.0f;
    descending.spanEnd = 100.0f;
    descending.spanStep = -50.0f;
    // A catalogue entry with an absurd elastic modulus: the table's own
    // condition settles, the chart's -30 degC does not.
    CalculationState broken;
    broken.currentWire = {.wireName = "broken",
                          .diameterHigh = 18.2f,
                          .diameterLow = 18.2f,
                          .area = 455.0f,
                          .unitWeight = 0.013f,
                          .expansionCoeff = 18.0f,
                          .elasticModulus = 2528111.0f,
                          .maxTension = 396721.0f};
    broken.spanStart = 817.0f;
    broken.spanEnd = 817.0f;
    const Case cases[] = {
        // 32760 - (-15) leaves 16 bits on the first row, strung in the low season.
        {"temperature difference", Example50mm(), 32700, 32760, 60,
         "計算できませんでした。\n架線弛度表の径間 100 m・温度 32760℃で、"
         "温度差の計算中に値が整数の範囲（-32768～32767）を超えました。"},
        // Descending: 400 m and 350 m are strung in the high season (32760 - 15
        // fits), 300 m in the low one.
        {"temperature difference, later row", descending, 32700, 32760, 60,
         "計算できませんでした。\n架線弛度表の径間 300 m・温度 32760℃で、"
         "温度差の計算中に値が整数の範囲（-32768～32767）を超えました。"},
        {"iteration that does not settle", broken, -40, 80, 10,
         "計算できませんでした。\n架線弛度表の径間 817 m・温度 -30℃で、"
         "張力の計算中に反復計算の値が同じ所を巡り、収束しませんでした。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalculationState s = c.state;
        RunCalculation(s); // the table itself can be calculated
        EXPECT_EQ(ChartFailure(s, c.from, c.to, c.step), c.message);
    }
}

TEST(StringingChartFailures, SpanTableMessagesKeepTheirWording) {
    // The table names its condition, not a temperature.
    CalculationState s = Example18mm();
    s.temperatureStudy = 32767;
    try {
        RunCalculation(s);
        FAIL() << "expected a failure";
    } catch (const CalculationError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "計算できませんでした。\n径間 100 m の検討条件で、"
                  "温度差の計算中に値が整数の範囲（-32768～32767）を超えました。");
    }
}

} // namespace
} // namespace orvalt
