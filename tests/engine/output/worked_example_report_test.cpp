// Full reports of the two worked examples, from the start-up conditions
// through the calculation to the text, compared with golden files.

#include <gtest/gtest.h>

#include "engine/calculation/calculation.h"
#include "engine/calculation/calculation_state.h"
#include "engine/forms/conditions_form.h"
#include "engine/output/report_text.h"
#include "support/files.h"
#include "support/golden_file.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::ExpectMatchesGolden;

// 18.2 mm wire, no critical span, spans 100 to 400 m by 10 m: 31 rows.
TEST(WorkedExampleReport, Wire18_2mmWithoutCriticalSpan) {
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    RunCalculation(state);
    ASSERT_FALSE(state.hasCriticalSpan);
    ASSERT_EQ(state.resultTable.size(), 31u);
    ExpectMatchesGolden(ComposeResultReport(state), "example_18_2mm.txt");
}

// 50 mm wire with a critical span of 308.33 m, spans 100 to 400 m by 50 m.
TEST(WorkedExampleReport, Wire50mmWithCriticalSpan) {
    const CalculationState state = test::CalculatedExample50mm();
    ASSERT_TRUE(state.hasCriticalSpan);
    ASSERT_EQ(state.resultTable.size(), 7u);
    ExpectMatchesGolden(ComposeResultReport(state), "example_50mm.txt");
}

// The ice typed into the conditions window reaches the load factor of the
// low season and the report. 計算例1 (d2 = 18.2 mm, Wc = 0.6 kg/m, A = 160
// mm2, T = 1500 kg, alpha = 18), low-season wind 50 kg/m2, QH = 3.193918 as
// in the golden report. By hand, with pi = 3.1415926:
//   6 mm, 0.9: WL = (2 x 6 + 18.2) x 50 / 1000 = 1.51 kg/m
//              WI = (6 + 18.2) x 0.9 x pi x 6 / 1000 = 0.4105433 kg/m
//              QL = sqrt(1.0105433^2 + 1.51^2) / 0.6 = 1.816947 / 0.6 = 3.028245
//              QH >= QL, so the critical span is (9.375 / 0.00375) x
//              sqrt(24 x 30 x 18e-6 / (3.193918^2 - 3.028245^2)) = 280.32 m
//   0 mm:      WL = 18.2 x 50 / 1000 = 0.91 kg/m, WI = 0
//              QL = sqrt(0.6^2 + 0.91^2) / 0.6 = 1.09 / 0.6 = 1.816667
//              critical span 2500 x sqrt(0.01296 / (10.20111 - 3.30028)) = 108.34 m
struct TypedIceCase {
    const char* thickness;
    const char* gravity;
    const char* lowSeasonLine;
    const char* loadFactorLine;
};

class TypedIce : public ::testing::TestWithParam<TypedIceCase> {};

TEST_P(TypedIce, ReachesTheLoadFactorsAndTheReport) {
    ConditionsFormInput input;
    const std::pair<int, const char*> boxes[] = {
        {kBoxExpansionCoeff, "18"},     {kBoxElasticModulus, "9000"},  {kBoxUnitWeight, "0.6"},
        {kBoxArea, "160"},              {kBoxDiameterHigh, "18.2"},    {kBoxDiameterLow, "18.2"},
        {kBoxMaxTension, "1500"},       {kBoxWindPressureHigh, "100"}, {kBoxWindPressureLow, "50"},
        {kBoxWindPressureStudy, "0"},   {kBoxTemperatureHigh, "15"},   {kBoxTemperatureLow, "-15"},
        {kBoxTemperatureStudy, "90"},   {kBoxSpanStart, "100"},        {kBoxSpanEnd, "400"},
        {kBoxSpanStep, "10"},           {kBoxIceThickness, GetParam().thickness},
        {kBoxIceSpecificGravity, GetParam().gravity},
    };
    for (const auto& [box, text] : boxes) input.boxes[static_cast<std::size_t>(box)] = text;
    input.wireName = "計算例1";
    const ConditionsFormResult form = ReadConditionsForm(input);
    ASSERT_FALSE(form.refusal) << form.refusal->message;
    CalculationState state;
    ApplyConditions(form.values, state);
    ApplyIce(form.ice, state);
    RunCalculation(state);

    const std::vector<std::string> lines = test::SplitLines(ComposeResultReport(state));
    ASSERT_GT(lines.size(), 19u);
    EXPECT_EQ(lines[13], GetParam().lowSeasonLine);
    EXPECT_EQ(lines[18], GetParam().loadFactorLine);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExampleReport, TypedIce,
    ::testing::Values(
        TypedIceCase{"6", "0.9",
                     "低温季            50.0         -15.0            6.00             0.900",
                     "       3.193918               3.028245             1.000000       280.32"},
        TypedIceCase{"0", "0.9",
                     "低温季            50.0         -15.0            0.00             0.900",
                     "       3.193918               1.816667             1.000000       108.34"},
        TypedIceCase{"9.5", "0.9",
                     "低温季            50.0         -15.0            9.00             0.900",
                     "       3.193918               3.706513             1.000000"}));

} // namespace
} // namespace orvalt
