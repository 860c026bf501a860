// Full reports of the two worked examples, from the start-up conditions
// through the calculation to the text, compared with golden files.

#include <gtest/gtest.h>

#include "engine/calculation.h"
#include "engine/calculation_state.h"
#include "golden_file.h"
#include "engine/report_text.h"

namespace orvalt {
namespace {

using testing_support::ExpectMatchesGolden;

// 18.2 mm wire, no critical span, spans 100 to 400 m by 10 m: 31 rows.
TEST(WorkedExampleReport, Wire18_2mmWithoutCriticalSpan)
{
    CalculationState state;
    state.currentWire = WireRecord{"計算例1", 18.2f, 18.2f, 160.0f, 0.6f, 18.0f, 9000.0f, 1500.0f};
    RunCalculation(state);
    ASSERT_FALSE(state.hasCriticalSpan);
    ASSERT_EQ(state.resultTable.size(), 31u);
    ExpectMatchesGolden(ComposeResultReport(state), "example_18_2mm.txt");
}

// 50 mm wire with a critical span of 308.33 m, spans 100 to 400 m by 50 m.
TEST(WorkedExampleReport, Wire50mmWithCriticalSpan)
{
    CalculationState state;
    state.currentWire = WireRecord{"計算例2", 50.0f, 50.0f, 600.0f, 2.0f, 19.0f, 8000.0f, 6000.0f};
    state.spanStep = 50.0f;
    RunCalculation(state);
    ASSERT_TRUE(state.hasCriticalSpan);
    ASSERT_EQ(state.resultTable.size(), 7u);
    ExpectMatchesGolden(ComposeResultReport(state), "example_50mm.txt");
}

} // namespace
} // namespace orvalt
