#include "engine/calculation/span_solver.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "engine/calculation/calculation_error.h"

namespace orvalt {
namespace {

constexpr double kMicro = 1e-6;       // 10^-6
constexpr float kTolerance = 0.0001f; // held as a single: 9.99999975e-05

// Magnitudes this far inside the float range (about 3.4e38) stay finite
// through one Newton step's quotient, its rounding to float and the
// difference of two such floats.
constexpr double kFarInsideFloatRange = 1e30;

// Last resort against an iteration that neither settles nor repeats a value.
// The slowest converging cases seen need some 30,000 steps.
constexpr long kMaxNewtonSteps = 20'000'000;

// Newton's method at a known place of the table (or nowhere, for a lone call).
float SolveAt(float q, double delta, float S, float E, float K, float sigma,
              const CalcPlace& place) {
    CalcPlace mPlace = place;
    mPlace.quantity = "状態方程式の定数";
    CalcPlace newtonPlace = place;
    newtonPlace.quantity = "張力";

    // M = q q delta delta S S E / 24, left to right.
    const float M = ToSingle(static_cast<double>(q) * q * delta * delta * S * S * E / 24.0, mPlace);
    const double twoK = static_cast<double>(K) + static_cast<double>(K);

    float x = sigma;
    // Brent's cycle detection: the steps are a deterministic map on floats, so
    // a value that comes back means the iteration will never settle.
    float saved = x;
    long power = 1;
    long sinceSaved = 0;
    for (long step = 0; step < kMaxNewtonSteps; ++step) {
        const double xd = x;
        const double f = xd * xd * xd - xd * K * xd - M;
        const double fPrime = xd * 3.0f * xd - twoK * xd;
        float next;
        float d;
        if (fPrime != 0.0 && std::fabs(xd) <= kFarInsideFloatRange &&
            std::fabs(xd - f / fPrime) <= kFarInsideFloatRange) {
            // Far from anything the checked helpers refuse, they would return
            // exactly these values: skip the calls, a sixth of the time of a
            // stringing chart. Near a failure they run and name it.
            next = static_cast<float>(xd - f / fPrime);
            d = static_cast<float>(std::fabs(xd - static_cast<double>(next)));
        } else {
            next = ToSingle(xd - CheckedDivide(f, fPrime, newtonPlace), newtonPlace);
            d = ToSingle(std::fabs(xd - static_cast<double>(next)), newtonPlace);
        }
        if (d <= kTolerance) return next;
        x = next;

        if (x == saved)
            FailCalculation(newtonPlace, "反復計算の値が同じ所を巡り、収束しませんでした。");
        if (++sinceSaved == power) {
            saved = x;
            power *= 2;
            sinceSaved = 0;
        }
    }
    FailCalculation(newtonPlace, "反復計算が収束しませんでした。");
}

} // namespace

float SolveStateEquation(float q, double delta, float S, float E, float K, float sigma) {
    return SolveAt(q, delta, S, E, K, sigma, CalcPlace{"張力"});
}

std::int16_t LookupTemplateNumber(std::int16_t k) {
    if (k <= 69 || k >= 160) return k;
    for (std::int16_t entry : templateTable) {
        if (entry >= k) return entry;
    }
    return templateTable.back(); // not reached: the last entry is 160
}

float SpanOfRow(const CalculationState& state, std::int16_t i, const CalcPlace& place) {
    return ToSingle(static_cast<double>(static_cast<float>(i)) * state.spanStep + state.spanStart,
                    place);
}

float SolveSagAndTension(const CalculationState& state, float S, float q, std::int16_t t,
                         CalcPlace place, ConditionResult& block) {
    const WireRecord& wire = state.currentWire;
    const double delta = state.weightPerArea;
    const float sigma = state.maxStress;
    const float E = wire.elasticModulus;

    // Reference state: the condition in which the wire carries sigma.
    float qRef;
    std::int16_t dt;
    place.quantity = "温度差";
    if (state.hasCriticalSpan && static_cast<float>(state.criticalSpan) <= S) {
        qRef = state.loadFactorHigh;
        dt = Subtract16(t, state.temperatureHigh, place);
    } else {
        qRef = state.loadFactorLow;
        dt = Subtract16(t, state.temperatureLow, place);
    }

    // Coefficient of the state equation, rounded twice.
    place.quantity = "状態方程式の係数";
    const double load = static_cast<double>(qRef) * qRef * delta * delta * S * S * E;
    const float K1 = ToSingle(
        sigma - CheckedDivide(load, static_cast<double>(sigma) * 24.0f * sigma, place), place);
    const float K = ToSingle(K1 - kMicro * wire.expansionCoeff * dt * E, place);

    // Stress in this condition.
    const float stress = SolveAt(q, delta, S, E, K, sigma, place);

    // Span, tension and sag, each stored as soon as it is known: a failure
    // leaves the fields before it written.
    block.span = S;
    place.quantity = "張力";
    block.tension = ToSingle(static_cast<double>(wire.area) * stress, place);
    place.quantity = "弛度";
    block.sag = ToSingle(CheckedDivide(static_cast<double>(q) * delta * S * S,
                                       8.0f * static_cast<double>(stress), place),
                         place);
    return stress;
}

std::int16_t KValueOfSag(float sag, float S, CalcPlace place) {
    place.quantity = "K値";
    const double halfSpan = static_cast<double>(S) * 0.5;
    const double k =
        std::trunc(CheckedDivide(static_cast<double>(sag) * 1e5, halfSpan * halfSpan, place)) + 1.0;
    return ToInt16(k, place);
}

float SolveSpanCell(const CalculationState& state, float S, float q, std::int16_t t,
                    CalcPlace place, ConditionResult& block) {
    const float stress = SolveSagAndTension(state, S, q, t, place, block);
    // The K value from the sag as stored, then the template.
    block.kValue = KValueOfSag(block.sag, S, place);
    block.templateNumber = LookupTemplateNumber(block.kValue);
    return stress;
}

void FillSpanTable(CalculationState& state, float q, std::int16_t conditionIndex, std::int16_t t) {
    // The row counter is 16-bit: a table whose last index is 32767 fills that
    // row and then overflows the counter.
    const std::size_t rowCount = state.resultTable.size();
    for (std::size_t row = 0; row < rowCount; ++row) {
        const auto i = static_cast<std::int16_t>(row);
        CalcPlace place{"径間", true, 0.0f, conditionIndex};

        // Span length.
        const float S = SpanOfRow(state, i, place);
        place.span = S;

        // Stress, span, tension, sag, K value and template.
        ConditionResult& block =
            state.resultTable[row].block[static_cast<std::size_t>(conditionIndex)];
        SolveSpanCell(state, S, q, t, place, block);

        if (i == 32767) {
            place.quantity = "径間の行番号";
            FailCalculation(place, "行数が 32767 行を超えました。");
        }
    }
}

} // namespace orvalt
