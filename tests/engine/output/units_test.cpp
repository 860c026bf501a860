// SI output beside the kg output of the same calculation: the SI report and
// CSV files against their golden files, every SI tension the kg one times
// g / 1000 to the printed digits with every other cell the same, and a value
// taken to SI and back unchanged.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/calculation/tension_section.h"
#include "engine/number/result_columns.h"
#include "engine/number/units.h"
#include "engine/output/balanced_section_text.h"
#include "engine/output/csv_text.h"
#include "engine/output/field_sheet_text.h"
#include "engine/output/report_text.h"
#include "engine/output/section_json.h"
#include "engine/output/section_text.h"
#include "support/golden_file.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::ExpectMatchesGolden;
using test::GoldenBytes;

TEST(SiOutput, ReportAndCsvMatchTheirGoldenFilesAndLeaveTheKgOnesAsTheyWere) {
    CalculationState example1;
    example1.currentWire = test::WorkedExample1();
    RunCalculation(example1);
    ExpectMatchesGolden(ComposeResultReport(example1, UnitSystem::kSi), "example_18_2mm_si.txt");
    ExpectMatchesGolden(ComposeResultReport(example1), "example_18_2mm.txt");

    const CalculationState example2 = test::CalculatedExample50mm();
    const StringingChart chart = ComputeStringingChart(example2, -10, 90, 25);
    ExpectMatchesGolden(ComposeResultTableCsv(example2, UnitSystem::kSi),
                        "result_table_50mm_si.csv");
    ExpectMatchesGolden(ComposeStringingChartCsv(chart, UnitSystem::kSi), "chart_50mm_si.csv");
    ExpectMatchesGolden(ComposeResultTableCsv(example2, UnitSystem::kKgf), "result_table_50mm.csv");
}

// The four inclined spans of the 50 mm example that the section's golden
// files hold.
const std::vector<SectionSpan> kFourSpans = {
    {120.0f, 5.0f}, {250.0f, 30.0f}, {180.0f, -12.0f}, {90.0f, -40.0f}};

// The section's printout and CSV, ruling part and exact block (fixed
// supports, strung at 15 ℃), as the window and `section` write them.
TEST(SiOutput, SectionCsvAndPrintoutMatchTheirGoldenFilesAndLeaveTheKgOnesAsTheyWere) {
    const CalculationState state = test::CalculatedExample50mm();
    const SectionResults r = ComputeSectionResults(state, kFourSpans, -10, 40, 10);
    const std::vector<SectionSupport> supports = DefaultSectionSupports(kFourSpans.size());
    const BalancedSection exact =
        ComputeBalancedSection(state, kFourSpans, supports, 15, -10, 40, 10);
    const struct {
        UnitSystem units;
        const char* csv;
        const char* text;
    } cases[] = {{UnitSystem::kSi, "section_4spans_si.csv", "section_4spans_si.txt"},
                 {UnitSystem::kKgf, "section_4spans.csv", "section_4spans.txt"}};
    for (const auto& c : cases) {
        ExpectMatchesGolden(ComposeSectionCsvWithExact(state, kFourSpans, r.section, r.chart,
                                                       supports, exact, c.units),
                            c.csv);
        ExpectMatchesGolden(ComposeSectionTextWithExact(state, kFourSpans, r.section, r.chart,
                                                        supports, exact, c.units),
                            c.text);
    }
    EXPECT_TRUE(
        GoldenBytes("section_4spans_si.csv")
            .starts_with(ComposeSectionCsv(kFourSpans, r.section, r.chart, UnitSystem::kSi)));
}

// The crew's sheet has no tension of its own: in SI only its head (the
// wire and conditions, as the SI report writes them) differs.
TEST(SiOutput, FieldSheetInSiDiffersOnlyInItsHeadLines) {
    const CalculationState state = test::CalculatedExample50mm();
    const SectionStringingChart chart =
        ComputeSectionStringingChart(state, kFourSpans, -10, 40, 10);
    for (const std::optional<double> sight : {std::optional<double>(), std::optional(2.0)}) {
        const FieldSheet sheet = FieldSheetOfSection(kFourSpans, chart, 5, sight);
        std::string kgHead, siHead;
        AppendWireAndConditionLines(kgHead, state);
        AppendWireAndConditionLines(siHead, state, UnitSystem::kSi);
        ASSERT_NE(kgHead, siHead);
        std::string expected = ComposeFieldSheetText(state, sheet);
        ASSERT_NE(expected.find(kgHead), std::string::npos);
        expected.replace(expected.find(kgHead), kgHead.size(), siHead);
        EXPECT_EQ(ComposeFieldSheetText(state, sheet, UnitSystem::kSi), expected);
        if (sight) ExpectMatchesGolden(expected, "field_4spans_si.txt"); // the window tests'
        EXPECT_EQ(ComposeFieldSheetText(state, sheet, UnitSystem::kKgf),
                  ComposeFieldSheetText(state, sheet));
    }
}

struct CsvPair {
    const char* name;
    CellTable kg;
    CellTable si;
};

// The kg and SI cells of the 50 mm example's result table and chart, and of
// the four spans as a section: ruling, exact and its stringing chart.
std::vector<CsvPair> Pairs() {
    const CalculationState state = test::CalculatedExample50mm();
    const StringingChart chart = ComputeStringingChart(state, -10, 90, 25);
    const SectionResults r = ComputeSectionResults(state, kFourSpans, -10, 40, 10);
    const BalancedSection exact = ComputeBalancedSection(
        state, kFourSpans, DefaultSectionSupports(kFourSpans.size()), 15, -10, 40, 10);
    constexpr UnitSystem kSi = UnitSystem::kSi;
    return {
        {"result table", ResultTableCells(state), ResultTableCells(state, kSi)},
        {"stringing chart", StringingChartCells(chart), StringingChartCells(chart, kSi)},
        {"section conditions", SectionConditionCells(r.section),
         SectionConditionCells(r.section, kSi)},
        {"section spans", SectionSpanCells(kFourSpans, r.section),
         SectionSpanCells(kFourSpans, r.section, kSi)},
        {"section chart", SectionChartCells(r.chart), SectionChartCells(r.chart, kSi)},
        {"exact section", BalancedSpanCells(state, kFourSpans, r.section, exact),
         BalancedSpanCells(state, kFourSpans, r.section, exact, kSi)},
        {"exact chart", BalancedChartCells(exact), BalancedChartCells(exact, kSi)},
    };
}

// Tension cells are those under a heading naming a tension in kg ("張力[kg]",
// "上側張力[kg]", not "張力差[%]") or in a table or row titled 張力.
TEST(SiOutput, TensionsAreTheKgOnesTimesGToThePrintedDigits) {
    const double factor = UnitFactor(UnitQuantity::kTension, UnitSystem::kSi);
    EXPECT_EQ(factor, 9.80665 / 1000.0);
    // Each side rounds once: the kg cell to 0.005 kg, the kN cell to 0.0005 kN.
    const double tolerance = 0.0005 + 0.005 * factor + 1e-9;
    for (const CsvPair& pair : Pairs()) {
        SCOPED_TRACE(pair.name);
        ASSERT_EQ(pair.kg.size(), pair.si.size());
        int tensions = 0;
        bool tensionTable = false; // the chart's tables are titled in their first cell
        for (std::size_t r = 0; r < pair.kg.size(); ++r) {
            ASSERT_EQ(pair.kg[r].size(), pair.si[r].size()) << r;
            if (pair.kg[r][0].starts_with("張力") ||
                pair.kg[r][0].find("張力[") != std::string::npos)
                tensionTable = true;
            if (pair.kg[r][0].find("弛度") != std::string::npos) tensionTable = false;
            for (std::size_t c = 0; c < pair.kg[r].size(); ++c) {
                const std::string& kg = pair.kg[r][c];
                const std::string& si = pair.si[r][c];
                const std::string& heading = pair.kg[0][c];
                const bool tension = r > 0 && c > 0 &&
                                     (tensionTable || heading.find("張力[") != std::string::npos) &&
                                     !kg.empty() &&
                                     kg.find_first_not_of("0123456789.-") == std::string::npos;
                if (tension) {
                    ++tensions;
                    EXPECT_NEAR(std::strtod(si.c_str(), nullptr),
                                std::strtod(kg.c_str(), nullptr) * factor, tolerance)
                        << "row " << r << " cell " << c << ": " << kg << " kg, " << si << " kN";
                    EXPECT_EQ(si.substr(si.find('.')).size(), 4u) << si << ": three decimals";
                } else if (kg.find("[kg]") != std::string::npos) {
                    std::string expected = kg;
                    expected.replace(expected.find("[kg]"), 4, "[kN]");
                    EXPECT_EQ(si, expected);
                } else {
                    EXPECT_EQ(si, kg) << "row " << r << " cell " << c;
                }
            }
        }
        EXPECT_GE(tensions, 3); // the section's three conditions at the least
    }
}

// section --json in SI: "units": "si" first, every tension the kg one times
// g / 1000 (a float's as a float, a double's as a double), every other
// line as it was.
TEST(SiOutput, SectionJsonTensionsAreTheKgOnesTimesG) {
    const CalculationState state = test::CalculatedExample50mm();
    const SectionResults r = ComputeSectionResults(state, kFourSpans, -10, 40, 10);
    const BalancedSection exact = ComputeBalancedSection(
        state, kFourSpans, DefaultSectionSupports(kFourSpans.size()), 15, -10, 40, 10);
    const std::string kg = ComposeSectionJson(r.section, r.chart, exact);
    EXPECT_EQ(ComposeSectionJson(r.section, r.chart, exact, UnitSystem::kKgf), kg);
    std::string si = ComposeSectionJson(r.section, r.chart, exact, UnitSystem::kSi);
    const std::string unitsKey = "{ \"units\": \"si\",\n  ";
    ASSERT_TRUE(si.starts_with(unitsKey)) << si.substr(0, 40);
    si = "{ " + si.substr(unitsKey.size());
    const double factor = UnitFactor(UnitQuantity::kTension, UnitSystem::kSi);
    // Walk both texts number by number: after a key naming a tension the SI
    // number is the kg one times the factor; everything else is the same.
    std::size_t k = 0, s = 0, tensions = 0;
    while (k < kg.size() && s < si.size()) {
        const std::size_t kKey = kg.find("Tension\": ", k), sKey = si.find("Tension\": ", s);
        ASSERT_EQ(kg.substr(k, kKey - k), si.substr(s, sKey - s));
        if (kKey == std::string::npos) break;
        k = kKey + 10;
        s = sKey + 10;
        char* kEnd = nullptr;
        char* sEnd = nullptr;
        const double kgValue = std::strtod(kg.c_str() + k, &kEnd);
        const double siValue = std::strtod(si.c_str() + s, &sEnd);
        EXPECT_NEAR(siValue, kgValue * factor, std::fabs(kgValue * factor) * 2e-7) << kgValue;
        k = static_cast<std::size_t>(kEnd - kg.c_str());
        s = static_cast<std::size_t>(sEnd - si.c_str());
        ++tensions;
    }
    EXPECT_GT(tensions, 100u);
}

// Showing a stored value in SI and reading it back gives the stored float
// itself, for every quantity and floats of every size.
TEST(SiOutput, KgToSiToKgChangesNoStoredValue) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> exponent(-20, 38);
    std::uniform_real_distribution<float> mantissa(1.0f, 10.0f);
    std::vector<float> values = {0.0f, 0.6f, 0.9f, 18.2f, 100.0f, 1129.79f, 1500.0f, 9000.0f};
    for (int i = 0; i < 20000; ++i) {
        const float v = mantissa(random) * std::pow(10.0f, static_cast<float>(exponent(random)));
        if (std::isfinite(v)) values.push_back(i % 2 == 0 ? v : -v);
    }
    for (const QuantityUnits& q : kQuantityUnits) {
        for (const float v : values) {
            const double shown = FromKg(v, q.quantity, UnitSystem::kSi);
            ASSERT_EQ(static_cast<float>(ToKg(shown, q.quantity, UnitSystem::kSi)), v)
                << q.siLabel << " " << v;
            ASSERT_EQ(ShownValue(v, q.quantity, UnitSystem::kKgf), v);
        }
    }
}

} // namespace
} // namespace orvalt
