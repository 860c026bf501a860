#include "engine/calculation/tension_section.h"

#include <charconv>
#include <cmath>
#include <string>

#include "engine/calculation/calculation.h"
#include "engine/calculation/span_solver.h"
#include "engine/calculation/stringing_chart.h"

namespace orvalt {
namespace {

constexpr float kBareWireInStillAir = 1.0f; // load factor: own weight only

[[noreturn]] void Refuse(const std::string& detail) {
    throw CalculationError("区間の計算ができませんでした。\n" + detail);
}

std::string SpanName(std::size_t index) { return "径間 " + std::to_string(index + 1); }

// Shortest text that reads back as the same float ("244.94897").
std::string ShortFloat(float value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string AtEquivalentSpan(float equivalentSpan) {
    return "等価径間 " + ShortFloat(equivalentSpan) + " m";
}

void CheckSpans(const std::vector<SectionSpan>& spans) {
    if (spans.empty()) {
        Refuse("径間がありません。径間長と高低差を一径間につき一行入力してください。");
    }
    if (spans.size() > kMaxSectionSpans) {
        Refuse("径間が " + std::to_string(spans.size()) + " あります。一つの区間は " +
               std::to_string(kMaxSectionSpans) + " 径間までにしてください。");
    }
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (!(std::isfinite(spans[i].length) && spans[i].length > 0.0f)) {
            Refuse(SpanName(i) + " の径間長は 0 より大きい数にしてください。");
        }
        if (!std::isfinite(spans[i].heightDifference)) {
            Refuse(SpanName(i) + " の高低差が数になっていません。");
        }
    }
}

// S_e = sqrt(sum S^3 / sum S), the sums in double in the given order. With
// positive finite float lengths and at most 200 of them neither sum can
// overflow, and S_e lies between the shortest and the longest span.
float EquivalentSpan(const std::vector<SectionSpan>& spans) {
    double cubes = 0.0;
    double lengths = 0.0;
    for (const SectionSpan& span : spans) {
        const double S = span.length;
        cubes += S * S * S;
        lengths += S;
    }
    return static_cast<float>(std::sqrt(cubes / lengths));
}

// The solver's messages here are made without a place; `where` ("径間 3 の
// 高温季で、") goes after their headline line.
[[noreturn]] void RethrowAt(const CalculationError& error, const std::string& where) {
    std::string message = error.what();
    const std::size_t lineEnd = message.find('\n');
    message.insert(lineEnd == std::string::npos ? 0 : lineEnd + 1, where);
    throw CalculationError(message);
}

// What a span takes from the solve on S_e for one condition.
struct SectionLoad {
    float q;       // load factor
    float stress;  // [kg/mm2] at S_e
    float tension; // H [kg] at S_e
};

// The sag of a level span S under the section's stress, as the span table's
// sag step writes it, then the slant sag of the span with its slope.
float LevelSag(const CalculationState& state, float S, const SectionLoad& load) {
    const CalcPlace place{"弛度"};
    return ToSingle(CheckedDivide(static_cast<double>(load.q) * state.weightPerArea * S * S,
                                  8.0f * static_cast<double>(load.stress), place),
                    place);
}

float SlantSag(float levelSag, const SectionSpan& span) {
    const CalcPlace place{"斜弛度"};
    const double S = span.length;
    const double h = span.heightDifference;
    return ToSingle(levelSag * std::sqrt(S * S + h * h) / S, place);
}

// The low point and the support tensions from D = the slant sag: with
// u = |h| / 4D the low point sits S u / 2 from midspan, and a support stands
// D (1 +- u)^2 above it.
void PlaceLowPoint(const CalculationState& state, const SectionSpan& span, const SectionLoad& load,
                   SectionSpanResult& r) {
    const double S = span.length;
    const double h = std::fabs(static_cast<double>(span.heightDifference));
    const double D = r.slantSag;
    CalcPlace place{"最低点の位置"};
    r.lowPointOffset = ToSingle(CheckedDivide(S * h, 8.0 * D, place), place);
    r.lowPointOutside = h > 4.0 * D;

    place.quantity = "支持点の張力";
    const double u = CheckedDivide(h, 4.0 * D, place);
    const double w = static_cast<double>(load.q) * state.currentWire.unitWeight; // [kg/m]
    const double upper = (1.0 + u) * (1.0 + u);
    const double lower = (1.0 - u) * (1.0 - u);
    r.upperSupportTension = ToSingle(load.tension + w * D * upper, place);
    r.lowerSupportTension = ToSingle(load.tension + w * D * lower, place);
    r.overMaxTension = r.upperSupportTension > state.currentWire.maxTension;
}

SectionSpanResult SolveSectionSpan(const CalculationState& state, const SectionSpan& span,
                                   const SectionLoad& load) {
    SectionSpanResult r;
    r.levelSag = LevelSag(state, span.length, load);
    r.kValue = KValueOfSag(r.levelSag, span.length, CalcPlace{"K値"});
    r.templateNumber = LookupTemplateNumber(r.kValue);
    r.slantSag = SlantSag(r.levelSag, span);
    PlaceLowPoint(state, span, load, r);
    return r;
}

struct Condition {
    float q;
    std::int16_t t; // [degC]
};

std::array<Condition, 3> ConditionsOf(const CalculationState& state) {
    return {Condition{state.loadFactorHigh, state.temperatureHigh},
            Condition{state.loadFactorLow, state.temperatureLow},
            Condition{state.loadFactorStudy, state.temperatureStudy}};
}

// One condition of the section: the span table's cell on S_e, then each span.
void SolveCondition(const CalculationState& state, const std::vector<SectionSpan>& spans,
                    std::size_t c, TensionSection& section) {
    const Condition condition = ConditionsOf(state)[c];
    const std::string conditionName(ConditionName(static_cast<int>(c)));
    ConditionResult& cell = section.atEquivalentSpan[c];
    SectionLoad load{condition.q, 0.0f, 0.0f};
    try {
        load.stress = SolveSpanCell(state, section.equivalentSpan, condition.q, condition.t,
                                    CalcPlace{"張力"}, cell);
    } catch (const CalculationError& e) {
        RethrowAt(e, AtEquivalentSpan(section.equivalentSpan) + " の" + conditionName + "で、");
    }
    load.tension = cell.tension;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        try {
            section.spans[i][c] = SolveSectionSpan(state, spans[i], load);
        } catch (const CalculationError& e) {
            RethrowAt(e, SpanName(i) + " の" + conditionName + "で、");
        }
    }
}

// One temperature of the section's stringing chart.
void SolveChartColumn(const CalculationState& state, const std::vector<SectionSpan>& spans,
                      std::size_t column, SectionStringingChart& chart) {
    const std::int16_t t = chart.temperatures[column];
    const std::string atTemperature = "・温度 " + std::to_string(t) + "℃で、";
    ConditionResult cell;
    SectionLoad load{kBareWireInStillAir, 0.0f, 0.0f};
    try {
        load.stress = SolveSagAndTension(state, chart.equivalentSpan, kBareWireInStillAir, t,
                                         CalcPlace{"張力"}, cell);
    } catch (const CalculationError& e) {
        RethrowAt(e, "架線弛度表の" + AtEquivalentSpan(chart.equivalentSpan) + atTemperature);
    }
    chart.tension[column] = cell.tension;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        try {
            chart.slantSag[i][column] = SlantSag(LevelSag(state, spans[i].length, load), spans[i]);
        } catch (const CalculationError& e) {
            RethrowAt(e, "架線弛度表の" + SpanName(i) + atTemperature);
        }
    }
}

} // namespace

TensionSection ComputeTensionSection(const CalculationState& state,
                                     const std::vector<SectionSpan>& spans) {
    CheckSpans(spans);
    TensionSection section;
    section.equivalentSpan = EquivalentSpan(spans);
    section.spans.resize(spans.size());
    for (std::size_t c = 0; c < section.atEquivalentSpan.size(); ++c) {
        SolveCondition(state, spans, c, section);
    }
    return section;
}

SectionStringingChart ComputeSectionStringingChart(const CalculationState& state,
                                                   const std::vector<SectionSpan>& spans,
                                                   std::int16_t fromTemperature,
                                                   std::int16_t toTemperature, std::int16_t step) {
    CheckSpans(spans);
    SectionStringingChart chart;
    chart.temperatures = ChartTemperatures(fromTemperature, toTemperature, step);
    chart.equivalentSpan = EquivalentSpan(spans);
    const std::size_t columns = chart.temperatures.size();
    chart.tension.resize(columns);
    chart.slantSag.assign(spans.size(), std::vector<float>(columns));
    for (std::size_t c = 0; c < columns; ++c) {
        SolveChartColumn(state, spans, c, chart);
    }
    return chart;
}

SectionResults ComputeSectionResults(const CalculationState& state,
                                     const std::vector<SectionSpan>& spans,
                                     std::int16_t fromTemperature, std::int16_t toTemperature,
                                     std::int16_t step) {
    CalculationState loads = state;
    loads.resultTable.clear();
    ComputeLoadsAndCriticalSpan(loads);
    SectionResults results;
    results.section = ComputeTensionSection(loads, spans);
    results.chart =
        ComputeSectionStringingChart(loads, spans, fromTemperature, toTemperature, step);
    return results;
}

} // namespace orvalt
