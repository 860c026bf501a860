// Writing a case file. The layout is written by hand rather than by the JSON
// library's dump, which writes a float by the shortest text of its double
// (0.6f as 0.6000000238418579): here every float is the shortest text that
// reads back to the same float (std::to_chars), which is what the engineer
// typed in the first place.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "engine/case/case_file.h"
#include "engine/case/case_keys.h"

namespace orvalt {
namespace {

std::string FloatText(float value) {
    if (value == 0.0f && std::signbit(value)) {
        return "-0.0"; // "-0" would read back as the integer 0
    }
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string StringText(const std::string& text) {
    return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string ConditionText(const ConditionsValues& values, int box) {
    switch (box) {
        case kBoxWindPressureHigh: return FloatText(values.windPressureHigh);
        case kBoxWindPressureLow: return FloatText(values.windPressureLow);
        case kBoxWindPressureStudy: return FloatText(values.windPressureStudy);
        case kBoxTemperatureHigh: return std::to_string(values.temperatureHigh);
        case kBoxTemperatureLow: return std::to_string(values.temperatureLow);
        case kBoxTemperatureStudy: return std::to_string(values.temperatureStudy);
        case kBoxSpanStart: return FloatText(values.spanStart);
        case kBoxSpanEnd: return FloatText(values.spanEnd);
        default: return FloatText(values.spanStep);
    }
}

// Members of an object, one a line at `indent`, the last without a comma.
void AppendMembers(std::string& out,
                   const std::vector<std::pair<std::string_view, std::string>>& members,
                   std::string_view indent) {
    for (std::size_t i = 0; i < members.size(); ++i) {
        out += indent;
        out += '"';
        out += members[i].first;
        out += "\": ";
        out += members[i].second;
        out += i + 1 < members.size() ? ",\n" : "\n";
    }
}

std::string ObjectText(const std::vector<std::pair<std::string_view, std::string>>& members,
                       std::string_view indent) {
    std::string out = "{\n";
    AppendMembers(out, members, std::string(indent) + "  ");
    out += indent;
    out += "}";
    return out;
}

std::string WireText(const WireRecord& wire) {
    std::vector<std::pair<std::string_view, std::string>> members{
        {"name", StringText(wire.wireName)}};
    for (const auto& k : case_keys::kWire) {
        members.emplace_back(k.key,
                             FloatText(wire.*kWireValueFields[static_cast<std::size_t>(k.box)]));
    }
    return ObjectText(members, "  ");
}

std::string DoubleText(double value) {
    if (value == 0.0 && std::signbit(value)) {
        return "-0.0";
    }
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// The spans, an object a span, the array's lines at `indent`.
std::string SpansText(const std::vector<SectionSpan>& spans, std::string_view indent) {
    if (spans.empty()) {
        return "[]";
    }
    const std::string inner = std::string(indent) + "  ";
    std::string out = "[\n";
    for (std::size_t i = 0; i < spans.size(); ++i) {
        out += inner;
        out += ObjectText({{"length", FloatText(spans[i].length)},
                           {"heightDifference", FloatText(spans[i].heightDifference)}},
                          inner);
        out += i + 1 < spans.size() ? ",\n" : "\n";
    }
    return out + std::string(indent) + "]";
}

// The supports, an object a support: its type, and a string's length and
// weight for a suspension support, when the case has types; its ground when
// the case has it ({} for a support with neither).
std::string SupportsText(const std::vector<SectionSupport>& supports,
                         const std::vector<SupportGround>& ground, std::string_view indent) {
    const std::string inner = std::string(indent) + "  ";
    const std::size_t count = std::max(supports.size(), ground.size());
    std::string out = "[\n";
    for (std::size_t j = 0; j < count; ++j) {
        CaseMembers members;
        if (j < supports.size()) {
            const SectionSupport& s = supports[j];
            members.emplace_back("type",
                                 StringText(std::string(
                                     case_keys::kSupportTypes[static_cast<std::size_t>(s.type)])));
            if (s.type == SupportType::kSuspension) {
                members.emplace_back("stringLength", DoubleText(s.stringLength));
                members.emplace_back("stringWeight", DoubleText(s.stringWeight));
            }
        }
        if (j < ground.size()) {
            for (auto& member : SupportGroundMembers(ground[j])) {
                members.push_back(std::move(member));
            }
        }
        out += inner;
        out += members.empty() ? std::string("{}") : ObjectText(members, inner);
        out += j + 1 < count ? ",\n" : "\n";
    }
    return out + std::string(indent) + "]";
}

// The supports only when the case has them: a section without keeps its bytes.
std::string SectionText(const CaseSection& section) {
    std::vector<std::pair<std::string_view, std::string>> members{
        {"stringingTemperature", std::to_string(section.stringingTemperature)},
        {"spans", SpansText(section.spans, "    ")}};
    if (!section.supports.empty() || !section.clearance.supports.empty()) {
        members.emplace_back("supports",
                             SupportsText(section.supports, section.clearance.supports, "    "));
    }
    for (auto& member : SectionClearanceMembers(section.clearance, "    ")) {
        members.push_back(std::move(member));
    }
    return ObjectText(members, "  ");
}

std::string FieldCheckText(const CaseFieldCheck& fieldCheck) {
    return ObjectText(
        {{"waves", std::to_string(fieldCheck.waves)},
         {"sightingA", fieldCheck.sightingA ? DoubleText(*fieldCheck.sightingA) : "null"}},
        "  ");
}

} // namespace

std::string EncodeCaseFile(const CaseFile& caseFile) {
    const CaseChartRange& chart = caseFile.chart;
    std::vector<std::pair<std::string_view, std::string>> conditions;
    for (const auto& k : case_keys::kConditions) {
        conditions.emplace_back(k.key, ConditionText(caseFile.conditions, k.box));
    }
    conditions.emplace_back(case_keys::kIce[0], std::to_string(caseFile.ice.thickness));
    conditions.emplace_back(case_keys::kIce[1], FloatText(caseFile.ice.specificGravity));
    const ConditionsValues& values = caseFile.conditions;
    if (values.loadClassHigh != LoadClass::kCustom) {
        conditions.emplace_back(case_keys::kLoadClassHigh,
                                StringText(std::string(InfoOf(values.loadClassHigh).key)));
    }
    if (values.loadClassLow != LoadClass::kCustom) {
        conditions.emplace_back(case_keys::kLoadClassLow,
                                StringText(std::string(InfoOf(values.loadClassLow).key)));
    }
    if (values.bundle) {
        conditions.emplace_back(case_keys::kBundle, "true");
    }
    std::vector<std::pair<std::string_view, std::string>> top = {
        {"format", StringText(std::string(kCaseFileFormat))},
        {"version", std::to_string(kCaseFileVersion)},
        {"title", StringText(caseFile.title)},
        {"wire", WireText(caseFile.conditions.wire)},
        {"conditions", ObjectText(conditions, "  ")},
        {"chart", ObjectText({{"from", std::to_string(chart.from)},
                              {"to", std::to_string(chart.to)},
                              {"step", std::to_string(chart.step)}},
                             "  ")},
        {"section", SectionText(caseFile.section)},
        {"fieldCheck", FieldCheckText(caseFile.fieldCheck)}};
    if (caseFile.units != UnitSystem::kKgf) {
        top.emplace_back(case_keys::kUnits, StringText(std::string(UnitSystemName(caseFile.units))));
    }
    return ObjectText(top, "") + "\n";
}

AtomicWriteResult WriteCaseFile(const std::filesystem::path& path, const CaseFile& caseFile) {
    return WriteFileAtomically(path, EncodeCaseFile(caseFile));
}

CaseFile CaseFromState(const CalculationState& state, std::string title, CaseChartRange chart,
                       CaseSection section) {
    CaseFile caseFile{.title = std::move(title),
                      .conditions = {},
                      .ice = {state.iceThickness, state.iceSpecificGravity},
                      .chart = chart,
                      .section = std::move(section),
                      .fieldCheck = {}};
    ConditionsValues& values = caseFile.conditions;
    values.wire = state.currentWire;
    values.windPressureHigh = state.windPressureHigh;
    values.windPressureLow = state.windPressureLow;
    values.windPressureStudy = state.windPressureStudy;
    values.temperatureHigh = state.temperatureHigh;
    values.temperatureLow = state.temperatureLow;
    values.temperatureStudy = state.temperatureStudy;
    values.spanStart = state.spanStart;
    values.spanEnd = state.spanEnd;
    values.spanStep = state.spanStep;
    values.loadClassHigh = state.loadClassHigh;
    values.loadClassLow = state.loadClassLow;
    values.bundle = state.bundle;
    return caseFile;
}

void ApplyCase(const CaseFile& caseFile, CalculationState& state) {
    ApplyConditions(caseFile.conditions, state);
    ApplyIce(caseFile.ice, state);
}

} // namespace orvalt
