// Load factors, critical span and the whole result table of the two worked
// examples, and every way the calculation can fail.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/calculation/calculation.h"
#include "engine/calculation/span_solver.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::AcsrLinnet;
using test::WorkedExample1;
using test::WorkedExample2;
using ::testing::HasSubstr;

// The two wires of the worked examples, with the start-up conditions.
CalculationState Example18mm() {
    CalculationState s;
    s.currentWire = WorkedExample1();
    return s;
}

CalculationState Example50mm() {
    CalculationState s;
    s.currentWire = WorkedExample2();
    s.spanStep = 50.0f;
    return s;
}

// Six significant digits, trailing zeros dropped, as the tables give them.
std::string Sig6(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    return buffer;
}

std::string FailureOf(CalculationState& s) {
    try {
        RunCalculation(s);
    } catch (const CalculationError& e) {
        return e.what();
    }
    return "(no failure)";
}

TEST(LoadFactors, WireWithoutCriticalSpan) {
    CalculationState s = Example18mm();
    RunCalculation(s);
    EXPECT_EQ(Sig6(s.loadFactorHigh), "3.19392");
    EXPECT_EQ(Sig6(s.loadFactorLow), "3.70651");
    EXPECT_EQ(s.loadFactorStudy, 1.0f); // no study wind: exactly 1
    EXPECT_EQ(Sig6(s.weightPerArea), "0.00375");
    EXPECT_EQ(s.maxStress, 9.375f);
    EXPECT_FALSE(s.hasCriticalSpan);
    EXPECT_EQ(s.criticalSpan, 0.0);
    EXPECT_EQ(s.resultTable.size(), 31u);
}

TEST(LoadFactors, WireWithCriticalSpan) {
    CalculationState s = Example50mm();
    RunCalculation(s);
    EXPECT_EQ(Sig6(s.loadFactorHigh), "2.69258");
    EXPECT_EQ(Sig6(s.loadFactorLow), "2.44026");
    EXPECT_EQ(Sig6(s.weightPerArea), "0.00333333");
    EXPECT_EQ(s.maxStress, 10.0f);
    EXPECT_TRUE(s.hasCriticalSpan);
    EXPECT_EQ(Sig6(s.criticalSpan), "308.327");
    EXPECT_EQ(s.resultTable.size(), 7u);
}

TEST(LoadFactors, StudyWindUsesTheBareHighSeasonDiameter) {
    CalculationState s = Example18mm();
    s.windPressureStudy = 100.0f;
    RunCalculation(s);
    // The high season's wind on the bare wire: the high season's factor.
    EXPECT_EQ(Sig6(s.loadFactorStudy), "3.19392");
    EXPECT_EQ(s.loadFactorStudy, s.loadFactorHigh);
}

struct Block {
    const char* sag;
    const char* tension;
    int k;
    int templateNumber;
};

struct TableRow {
    float span;
    Block high, low, study;
};

void ExpectBlock(const ConditionResult& got, float span, const Block& want, const char* name) {
    SCOPED_TRACE(std::string(name) + " at " + Sig6(span) + " m");
    EXPECT_EQ(got.span, span);
    EXPECT_EQ(Sig6(got.sag), want.sag);
    EXPECT_EQ(Sig6(got.tension), want.tension);
    EXPECT_EQ(got.kValue, want.k);
    EXPECT_EQ(got.templateNumber, want.templateNumber);
}

TEST(SpanTable, WorkedExampleWithCriticalSpan) {
    const TableRow expected[] = {
        {100,
         {"1.45152", "4637.53", 59, 59},
         {"1.01678", "6000", 41, 41},
         {"2.17394", "1149.99", 87, 90}},
        {150,
         {"2.92976", "5169.62", 53, 53},
         {"2.28775", "6000", 41, 41},
         {"3.76144", "1495.44", 67, 67}},
        {200,
         {"4.86265", "5537.28", 49, 49},
         {"4.06711", "6000", 41, 41},
         {"5.75712", "1736.98", 58, 58}},
        {250,
         {"7.2619", "5793.47", 47, 47},
         {"6.35486", "6000", 41, 41},
         {"8.19483", "1906.69", 53, 53}},
        {300,
         {"10.1392", "5975.14", 46, 46},
         {"9.15099", "6000", 41, 41},
         {"11.0969", "2027.6", 50, 50}},
        {350,
         {"13.7434", "6000", 45, 45},
         {"12.7101", "5879.83", 42, 42},
         {"14.725", "2079.8", 49, 49}},
        {400,
         {"17.9506", "6000", 45, 45},
         {"16.8897", "5779.28", 43, 43},
         {"18.9501", "2110.8", 48, 48}},
    };
    CalculationState s = Example50mm();
    RunCalculation(s);
    ASSERT_EQ(s.resultTable.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const SpanRow& row = s.resultTable[i];
        ExpectBlock(row.block[kHighSeason], expected[i].span, expected[i].high, "high");
        ExpectBlock(row.block[kLowSeason], expected[i].span, expected[i].low, "low");
        ExpectBlock(row.block[kStudyCondition], expected[i].span, expected[i].study, "study");
    }
}

TEST(SpanTable, WorkedExampleWithoutCriticalSpan) {
    CalculationState s = Example18mm();
    RunCalculation(s);
    const SpanRow& first = s.resultTable.front();
    ExpectBlock(first.block[kHighSeason], 100, {"2.12025", "1129.79", 85, 85}, "high");
    ExpectBlock(first.block[kLowSeason], 100, {"1.85326", "1500", 75, 77}, "low");
    ExpectBlock(first.block[kStudyCondition], 100, {"2.70867", "276.889", 109, 114}, "study");
    // Every row takes the low season as reference: it carries the full tension.
    for (const SpanRow& row : s.resultTable) {
        EXPECT_NEAR(row.block[kLowSeason].tension, 1500.0f, 0.01f) << row.block[0].span;
    }
    EXPECT_EQ(s.resultTable.back().block[kStudyCondition].span, 400.0f);
}

TEST(SpanTable, RangesAndDirections) {
    CalculationState s = Example18mm();
    s.spanEnd = 405.0f; // not a whole multiple: the last row stays at 400 m
    RunCalculation(s);
    ASSERT_EQ(s.resultTable.size(), 31u);
    EXPECT_EQ(s.resultTable.back().block[0].span, 400.0f);

    // Descending table.
    s.spanStart = 400.0f;
    s.spanEnd = 100.0f;
    s.spanStep = -10.0f;
    RunCalculation(s);
    ASSERT_EQ(s.resultTable.size(), 31u);
    EXPECT_EQ(s.resultTable.front().block[0].span, 400.0f);
    EXPECT_EQ(s.resultTable.back().block[2].span, 100.0f);

    // A second calculation with a shorter range leaves no rows behind.
    s.spanStart = 100.0f;
    s.spanEnd = 120.0f;
    s.spanStep = 10.0f;
    RunCalculation(s);
    EXPECT_EQ(s.resultTable.size(), 3u);
}

TEST(SpanTable, RowAtTheCriticalSpanTakesTheHighSeasonAsReference) {
    // At the true critical span both seasons carry the full tension, so move
    // the critical span onto a row to see which season the row is strung in.
    CalculationState s = Example50mm();
    RunCalculation(s);
    auto referenceAt200m = [&s](double criticalSpan) {
        s.criticalSpan = criticalSpan;
        FillSpanTable(s, s.loadFactorHigh, kHighSeason, s.temperatureHigh);
        const ConditionResult& high = s.resultTable[2].block[kHighSeason];
        EXPECT_EQ(high.span, 200.0f);
        return std::fabs(high.tension - 6000.0f) < 0.01f ? "high" : "low";
    };
    EXPECT_STREQ(referenceAt200m(200.0), "high");
    EXPECT_STREQ(referenceAt200m(200.000001), "high"); // equal once rounded to single
    EXPECT_STREQ(referenceAt200m(200.0001), "low");
    EXPECT_STREQ(referenceAt200m(199.9999), "high");
}

TEST(SpanTable, SlowButConvergingIterationIsNotCutShort) {
    // A condition far colder than the reference at a short span: Newton's
    // method crawls for tens of thousands of steps and then settles.
    CalculationState s;
    s.currentWire = AcsrLinnet();
    s.temperatureStudy = -140;
    s.spanStart = 2.0f;
    s.spanEnd = 2.0f;
    RunCalculation(s);
    EXPECT_NEAR(s.resultTable[0].block[kStudyCondition].tension, 6789.0f, 1.0f);
}

TEST(CalculationFailures, EveryClassEndsWithItsOwnMessage) {
    struct Case {
        const char* name;
        void (*setUp)(CalculationState&);
        const char* message;
    };
    const Case cases[] = {
        {"area 0", [](CalculationState& s) { s.currentWire.area = 0; },
         "断面積あたりの重量と最大使用応力の計算中に 0 による除算"},
        {"own weight 0", [](CalculationState& s) { s.currentWire.unitWeight = 0; },
         "負荷係数の計算中に 0 による除算が起きました（自重量が 0 です）。"},
        {"step 0", [](CalculationState& s) { s.spanStep = 0; },
         "径間の行数の計算中に 0 による除算"},
        {"equal load factors",
         [](CalculationState& s) {
             s.windPressureHigh = 0;
             s.windPressureLow = 0;
             s.iceThickness = 0;
         },
         "高温季と低温季の負荷係数が等しいため臨界径間を求められません。"},
        {"negative root",
         [](CalculationState& s) {
             s.currentWire = WorkedExample2();
             s.temperatureHigh = -20;
         },
         "負の数の平方根"},
        {"no row",
         [](CalculationState& s) {
             s.spanStart = 400;
             s.spanEnd = 390;
         },
         "計算する径間がありません"},
        {"span 0", [](CalculationState& s) { s.spanStart = 0; },
         "径間 0 m の高温季で、K値の計算中に 0 による除算"},
        {"K value above 32767",
         [](CalculationState& s) {
             s.spanStart = 1;
             s.spanEnd = 1;
             s.currentWire.maxTension = 1;
         },
         "径間 1 m の高温季で、K値の計算中に値が整数の範囲"},
        {"16-bit temperature difference",
         [](CalculationState& s) {
             s.temperatureStudy = 32767;
             s.temperatureLow = -15;
         },
         "径間 100 m の検討条件で、温度差の計算中に値が整数の範囲"},
        {"critical span temperature overflow",
         [](CalculationState& s) {
             s.currentWire = WorkedExample2();
             s.temperatureHigh = 2000;
         },
         "臨界径間の計算中に値が整数の範囲"},
        {"tension 0", [](CalculationState& s) { s.currentWire.maxTension = 0; },
         "径間 100 m の高温季で、状態方程式の係数の計算中に 0 による除算"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalculationState s = Example18mm();
        c.setUp(s);
        const std::string message = FailureOf(s);
        EXPECT_THAT(message, HasSubstr("計算できませんでした。\n"));
        EXPECT_THAT(message, HasSubstr(c.message));
    }
}

TEST(CalculationFailures, FieldsBeforeTheFailingStepKeepTheirNewValues) {
    CalculationState s = Example18mm();
    s.spanStart = 400;
    s.spanEnd = 390;
    EXPECT_THROW(RunCalculation(s), CalculationError);
    EXPECT_EQ(Sig6(s.loadFactorLow), "3.70651");
    EXPECT_EQ(s.maxStress, 9.375f);
    EXPECT_TRUE(s.resultTable.empty());

    // A failure inside the table leaves the rows filled before it.
    s = Example18mm();
    s.spanStart = 10;
    s.spanStep = -10;
    s.spanEnd = -10; // 10 m, 0 m (fails), -10 m
    EXPECT_THROW(RunCalculation(s), CalculationError);
    ASSERT_EQ(s.resultTable.size(), 3u);
    EXPECT_EQ(s.resultTable[0].block[kHighSeason].span, 10.0f);
    EXPECT_EQ(s.resultTable[2].block[kHighSeason].span, 0.0f);
}

TEST(CalculationFailures, SixteenBitRowCounterLimitsTheTable) {
    CalculationState s = Example50mm();
    s.spanStart = 1;
    s.spanStep = 1;
    s.spanEnd = 32767; // upper index 32766: the largest table that can be filled
    RunCalculation(s);
    EXPECT_EQ(s.resultTable.size(), 32767u);

    s.spanEnd = 32768; // upper index 32767: the counter overflows after the last row
    const std::string message = FailureOf(s);
    EXPECT_THAT(message, HasSubstr("32767"));
    EXPECT_EQ(s.resultTable.back().block[kHighSeason].span, 32768.0f);
    EXPECT_EQ(s.resultTable.back().block[kLowSeason].span, 0.0f);

    // Beyond that the table is not even made, and the message says why.
    s.resultTable.clear();
    s.spanEnd = 40000; // 40000 rows
    EXPECT_THAT(FailureOf(s),
                HasSubstr("径間の行数の計算中に表は 32767 行までです（この径間の範囲と"
                          "刻みでは 40000 行になります）。"));
    EXPECT_TRUE(s.resultTable.empty());
    s.spanStep = 1e-30f;
    EXPECT_THAT(FailureOf(s), HasSubstr("e+34 行になります"));
}

} // namespace
} // namespace orvalt
