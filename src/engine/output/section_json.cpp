#include "engine/output/section_json.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

namespace orvalt {
namespace {

// Shortest text that reads back as the same value; null for what JSON
// cannot hold (no result gives one).
template <typename Number>
void Append(std::string& out, Number value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void Key(std::string& out, std::string_view key) {
    out += '"';
    out += key;
    out += "\": ";
}

template <typename Number>
void Field(std::string& out, std::string_view key, Number value) {
    Key(out, key);
    Append(out, value);
}

void Flag(std::string& out, std::string_view key, bool value) {
    Key(out, key);
    out += value ? "true" : "false";
}

void Separator(std::string& out, std::size_t index, std::string_view indent) {
    if (index > 0) out += ",";
    out += "\n";
    out += indent;
}

// A stored tension [kg] in `units`: a float of the ruling-span result as
// the float the tables show, a double of the exact one as a double.
float Tension(float kgValue, UnitSystem units) {
    return ShownValue(kgValue, UnitQuantity::kTension, units);
}
double Tension(double kgValue, UnitSystem units) {
    return FromKg(kgValue, UnitQuantity::kTension, units);
}

void RulingSpans(std::string& out, const TensionSection& ruling, std::size_t condition,
                 std::string_view indent, UnitSystem units) {
    out += "\"spans\": [";
    for (std::size_t i = 0; i < ruling.spans.size(); ++i) {
        const SectionSpanResult& r = ruling.spans[i][condition];
        Separator(out, i, indent);
        out += "{ ";
        Field(out, "sag", r.slantSag);
        out += ", ";
        Field(out, "upperSupportTension", Tension(r.upperSupportTension, units));
        out += ", ";
        Field(out, "lowerSupportTension", Tension(r.lowerSupportTension, units));
        out += ", ";
        Flag(out, "overMaxTension", r.overMaxTension);
        out += " }";
    }
    out += " ]";
}

void Balanced(std::string& out, const BalancedState& state, std::string_view indent,
              UnitSystem units) {
    const std::string inner = std::string(indent) + "  ";
    out += "\"balanced\": {\n";
    out += inner;
    out += "\"spans\": [";
    for (std::size_t i = 0; i < state.spans.size(); ++i) {
        const BalancedSpan& s = state.spans[i];
        Separator(out, i, inner + "  ");
        out += "{ ";
        Field(out, "horizontalTension", Tension(s.horizontalTension, units));
        out += ", ";
        Field(out, "sag", s.sag);
        out += ", ";
        Field(out, "upperSupportTension", Tension(s.upperSupportTension, units));
        out += ", ";
        Field(out, "lowerSupportTension", Tension(s.lowerSupportTension, units));
        out += ", ";
        Flag(out, "overMaxTension", s.overMaxTension);
        out += " }";
    }
    out += " ],\n";
    out += inner;
    out += "\"supports\": [";
    for (std::size_t j = 0; j < state.supports.size(); ++j) {
        const BalancedSupport& s = state.supports[j];
        Separator(out, j, inner + "  ");
        out += "{ ";
        Field(out, "displacement", s.displacement);
        out += ", ";
        Field(out, "swing", s.swing);
        out += " }";
    }
    out += " ] }";
}

} // namespace

std::string ComposeSectionJson(const TensionSection& ruling, const SectionStringingChart& chart,
                               const BalancedSection& balanced, UnitSystem units) {
    std::string out = "{ ";
    if (units != UnitSystem::kKgf) {
        Key(out, "units");
        out += '"';
        out += UnitSystemName(units);
        out += "\",\n  ";
    }
    Field(out, "equivalentSpan", ruling.equivalentSpan);
    out += ",\n  \"conditions\": [";
    for (std::size_t c = 0; c < ruling.atEquivalentSpan.size(); ++c) {
        Separator(out, c, "    ");
        out += "{ ";
        Key(out, "name");
        out += '"';
        out += kConditionNames[c];
        out += "\", ";
        Field(out, "temperature", balanced.conditions[c].temperature);
        out += ",\n      \"ruling\": { ";
        Field(out, "horizontalTension", Tension(ruling.atEquivalentSpan[c].tension, units));
        out += ", ";
        RulingSpans(out, ruling, c, "          ", units);
        out += " },\n      ";
        Balanced(out, balanced.conditions[c], "      ", units);
        out += " }";
    }
    out += " ],\n  \"chart\": [";
    for (std::size_t k = 0; k < chart.temperatures.size(); ++k) {
        Separator(out, k, "    ");
        out += "{ ";
        Field(out, "temperature", chart.temperatures[k]);
        out += ",\n      \"ruling\": { ";
        Field(out, "horizontalTension", Tension(chart.tension[k], units));
        out += ", \"spans\": [";
        for (std::size_t i = 0; i < chart.slantSag.size(); ++i) {
            Separator(out, i, "          ");
            out += "{ ";
            Field(out, "sag", chart.slantSag[i][k]);
            out += " }";
        }
        out += " ] },\n      ";
        Balanced(out, balanced.chart[k], "      ", units);
        out += " }";
    }
    out += " ] }\n";
    return out;
}

} // namespace orvalt
