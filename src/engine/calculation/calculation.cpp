#include "engine/calculation/calculation.h"

#include <charconv>
#include <cmath>
#include <string>

#include "engine/calculation/span_solver.h"

namespace orvalt {
namespace {

constexpr double kPi = 3.1415926; // the eight-digit value, not the full constant
constexpr double kMilli = 1e-3;   // 10^-3
constexpr double kMicro = 1e-6;   // 10^-6

// The row counter is a 16-bit integer: no table can have a higher last
// index. (With exactly this one the solver fills the last row and then
// stops, its counter overflowing: a table has at most 32767 rows.)
constexpr double kMaxLastIndex = 32767.0;

// Steps 1 to 6: the loads per metre and the three load factors.
void ComputeLoadFactors(CalculationState& s) {
    const WireRecord& w = s.currentWire;
    const double d1 = w.diameterHigh;
    const double d2 = w.diameterLow;
    const double Wc = w.unitWeight;

    // Loads per metre of wire [kg/m]: wind on the bare wire in the high
    // season, wind on the iced wire and the weight of the ice in the low one.
    const float WH = ToSingle(kMilli * (s.windPressureHigh * d1), {"高温季の風圧荷重"});
    const CalcPlace lowWind{"低温季の風圧荷重"};
    const std::int16_t iceBoth = Multiply16(2, s.iceThickness, lowWind);
    const float WL = ToSingle(kMilli * ((iceBoth + d2) * s.windPressureLow), lowWind);
    const float WI = IceWeightPerMetre(s);

    // Every load factor divides by the own weight: say so by its name.
    if (Wc == 0.0) {
        FailCalculation({"負荷係数"}, " 0 による除算が起きました（自重量が 0 です）。");
    }
    const CalcPlace qhPlace{"高温季負荷係数"};
    s.loadFactorHigh = ToSingle(
        CheckedDivide(CheckedSqrt(Wc * Wc + static_cast<double>(WH) * WH, qhPlace), Wc, qhPlace),
        qhPlace);

    const CalcPlace qlPlace{"低温季負荷係数"};
    const float W = ToSingle(static_cast<double>(WI) + Wc, qlPlace);
    s.loadFactorLow = ToSingle(
        CheckedDivide(
            CheckedSqrt(static_cast<double>(W) * W + static_cast<double>(WL) * WL, qlPlace), Wc,
            qlPlace),
        qlPlace);

    const CalcPlace qsPlace{"検討時負荷係数"};
    const double WS = kMilli * s.windPressureStudy * d1;
    s.loadFactorStudy =
        ToSingle(CheckedDivide(CheckedSqrt(WS * WS + Wc * Wc, qsPlace), Wc, qsPlace), qsPlace);
}

// Step 8: exists when the high season loads the wire at least as much as
// the low season (equal factors included).
void ComputeCriticalSpan(CalculationState& s) {
    if (s.loadFactorHigh < s.loadFactorLow) {
        s.hasCriticalSpan = false;
        s.criticalSpan = 0.0;
        return;
    }
    s.hasCriticalSpan = true;
    const CalcPlace critical{"臨界径間"};
    const std::int16_t dt = Subtract16(s.temperatureHigh, s.temperatureLow, critical);
    const std::int16_t dt24 = Multiply16(24, dt, critical);
    const double qDiff = static_cast<double>(s.loadFactorHigh) * s.loadFactorHigh -
                         static_cast<double>(s.loadFactorLow) * s.loadFactorLow;
    if (qDiff == 0.0) {
        FailCalculation(critical, "高温季と低温季の負荷係数が等しいため臨界径間を求められません。");
    }
    const double ratio = kMicro * dt24 * s.currentWire.expansionCoeff / qDiff;
    if (ratio < 0.0) {
        FailCalculation(critical,
                        "負の数の平方根が必要になりました（高温季の温度が低温季より低くなってい"
                        "ませんか）。");
    }
    s.criticalSpan =
        CheckedDivide(s.maxStress, s.weightPerArea, critical) * CheckedSqrt(ratio, critical);
}

// Step 9: one row per span, n = floor((end - start) / step).
void SizeResultTable(CalculationState& s) {
    const CalcPlace rows{"径間の行数"};
    const double quotient =
        CheckedDivide(static_cast<double>(s.spanEnd) - s.spanStart, s.spanStep, rows);
    const double last = std::floor(quotient);
    if (last > kMaxLastIndex) {
        char count[32];
        const auto end = std::to_chars(count, count + sizeof count, last + 1.0);
        FailCalculation(rows, "表は 32767 行までです（この径間の範囲と刻みでは " +
                                  std::string(count, end.ptr) + " 行になります）。");
    }
    const std::int16_t n = ToInt16(last, rows);
    if (n < 0) {
        FailCalculation(rows,
                        "計算する径間がありません（終了径間が刻みの向きと逆の側にあります）。");
    }
    s.resultTable.assign(static_cast<std::size_t>(n) + 1, SpanRow{});
}

} // namespace

float IceWeightPerMetre(const CalculationState& s) {
    const double d2 = s.currentWire.diameterLow;
    return ToSingle(kMilli * ((s.iceThickness + d2) *
                              (static_cast<double>(s.iceSpecificGravity) * kPi * s.iceThickness)),
                    {"被氷の重量"});
}

void ComputeLoadsAndCriticalSpan(CalculationState& s) {
    ComputeLoadFactors(s);

    // Weight and maximum working stress per mm2 of cross-section.
    const CalcPlace areaPlace{"断面積あたりの重量と最大使用応力"};
    s.weightPerArea = CheckedDivide(s.currentWire.unitWeight, s.currentWire.area, areaPlace);
    s.maxStress =
        ToSingle(CheckedDivide(s.currentWire.maxTension, s.currentWire.area, areaPlace), areaPlace);

    ComputeCriticalSpan(s);
}

void RunCalculation(CalculationState& s) {
    ComputeLoadsAndCriticalSpan(s);
    SizeResultTable(s);

    // One pass of the solver per load condition.
    FillSpanTable(s, s.loadFactorHigh, kHighSeason, s.temperatureHigh);
    FillSpanTable(s, s.loadFactorLow, kLowSeason, s.temperatureLow);
    FillSpanTable(s, s.loadFactorStudy, kStudyCondition, s.temperatureStudy);
}

} // namespace orvalt
