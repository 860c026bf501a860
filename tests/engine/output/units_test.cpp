// SI output beside the kg output of the same calculation: the SI report and
// CSV files against their golden files, every SI tension the kg one times
// g / 1000 to the printed digits with every other cell the same, and a value
// taken to SI and back unchanged.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/number/result_columns.h"
#include "engine/number/units.h"
#include "engine/output/csv_text.h"
#include "engine/output/report_text.h"
#include "support/golden_file.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::ExpectMatchesGolden;

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

struct CsvPair {
    const char* name;
    CellTable kg;
    CellTable si;
};

// The kg and SI cells of the 50 mm example's result table and chart.
std::vector<CsvPair> Pairs() {
    const CalculationState state = test::CalculatedExample50mm();
    const StringingChart chart = ComputeStringingChart(state, -10, 90, 25);
    return {
        {"result table", ResultTableCells(state), ResultTableCells(state, UnitSystem::kSi)},
        {"stringing chart", StringingChartCells(chart),
         StringingChartCells(chart, UnitSystem::kSi)},
    };
}

// Tension cells are those under a heading or a title naming 張力.
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
            if (pair.kg[r][0].starts_with("張力")) tensionTable = true;
            if (pair.kg[r][0].starts_with("弛度")) tensionTable = false;
            for (std::size_t c = 0; c < pair.kg[r].size(); ++c) {
                const std::string& kg = pair.kg[r][c];
                const std::string& si = pair.si[r][c];
                const std::string& heading = pair.kg[0][c];
                const bool tension = r > 0 && c > 0 &&
                                     (tensionTable || heading.find("張力") != std::string::npos) &&
                                     !kg.empty() && kg.find_first_not_of("0123456789.-") ==
                                                        std::string::npos;
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
        EXPECT_GT(tensions, 20);
    }
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
