// Speed of the clearance check on the largest section: 200 spans of 150 to
// 350 m on suspension strings over 2,000 survey points and 100 crossings,
// all three conditions, with the section's exact calculation.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/calculation/clearance.h"

namespace {

orvalt::ClearanceProfile LargestProfile() {
    orvalt::ClearanceProfile p;
    double length = 0.0;
    for (int i = 0; i < 200; ++i) {
        p.spanLengths.push_back(150.0 + (i * 37) % 200);
        length += p.spanLengths.back();
    }
    for (int i = 0; i <= 200; ++i) {
        p.supports.push_back({100.0 + 8.0 * std::sin(i * 0.7), 15.0 + (i % 3)});
    }
    p.sectionSupports.assign(201, {orvalt::SupportType::kSuspension, 1.5, 40.0});
    p.sectionSupports.front().type = orvalt::SupportType::kDeadEnd;
    p.sectionSupports.back().type = orvalt::SupportType::kDeadEnd;
    for (int i = 0; i < 2000; ++i) {
        const double d = length * (i + 0.5) / 2000.0;
        p.ground.push_back({d, 97.0 + 6.0 * std::sin(d / 90.0) + std::cos(d / 13.0)});
    }
    for (int i = 0; i < 100; ++i) {
        const double d = length * (i + 0.25) / 100.0;
        p.crossings.push_back({d, orvalt::CrossingKind::kRoad, 100.0, std::nullopt});
    }
    return p;
}

void BM_ClearanceLargestSection(benchmark::State& bench) {
    orvalt::CalculationState state;
    state.currentWire = {"計算例2", 50.0f, 50.0f, 600.0f, 2.0f, 19.0f, 8000.0f, 6000.0f};
    orvalt::RunCalculation(state);
    const orvalt::ClearanceProfile profile = LargestProfile();
    for (auto _ : bench) {
        const orvalt::ClearanceTable table = orvalt::ComputeClearance(state, profile);
        benchmark::DoNotOptimize(table.spans.data());
    }
}
BENCHMARK(BM_ClearanceLargestSection)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
