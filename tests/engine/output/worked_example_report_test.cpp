// Full reports of the two worked examples, from the start-up conditions
// through the calculation to the text, compared with golden files.

#include <gtest/gtest.h>

#include "engine/calculation/calculation.h"
#include "engine/calculation/calculation_state.h"
#include "engine/output/report_text.h"
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

} // namespace
} // namespace orvalt
