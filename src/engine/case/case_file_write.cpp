// Writing a case file. The layout is written by hand rather than by the JSON
// library's dump, which writes a float by the shortest text of its double
// (0.6f as 0.6000000238418579): here every float is the shortest text that
// reads back to the same float (std::to_chars), which is what the engineer
// typed in the first place.

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

std::string SectionText(const std::vector<CaseSectionSpan>& section) {
    if (section.empty()) {
        return "[]";
    }
    std::string out = "[\n";
    for (std::size_t i = 0; i < section.size(); ++i) {
        out += "    ";
        out += ObjectText({{"length", FloatText(section[i].length)},
                           {"heightDifference", FloatText(section[i].heightDifference)}},
                          "    ");
        out += i + 1 < section.size() ? ",\n" : "\n";
    }
    return out + "  ]";
}

// The section with its ground and crossings: the spans as above, the
// supports with their ground, then the section's own keys.
std::string SectionObjectText(const CaseFile& caseFile) {
    std::string spans = SectionText(caseFile.section);
    // SectionText indents for the top level; one level deeper here.
    std::string indented;
    for (char c : spans) {
        indented += c;
        if (c == '\n') indented += "  ";
    }
    std::vector<std::pair<std::string_view, std::string>> members{{"spans", indented}};
    if (!caseFile.clearance.supports.empty()) {
        std::string supports = "[\n";
        for (std::size_t i = 0; i < caseFile.clearance.supports.size(); ++i) {
            const CaseMembers ground = SupportGroundMembers(caseFile.clearance.supports[i]);
            supports += "      " + (ground.empty() ? std::string("{}") : ObjectText(ground, "      "));
            supports += i + 1 < caseFile.clearance.supports.size() ? ",\n" : "\n";
        }
        members.emplace_back("supports", supports + "    ]");
    }
    for (auto& member : SectionClearanceMembers(caseFile.clearance, "    ")) {
        members.push_back(std::move(member));
    }
    return ObjectText(members, "  ");
}

} // namespace

std::string EncodeCaseFile(const CaseFile& caseFile) {
    const CaseChartRange& chart = caseFile.chart;
    std::vector<std::pair<std::string_view, std::string>> conditions;
    for (const auto& k : case_keys::kConditions) {
        conditions.emplace_back(k.key, ConditionText(caseFile.conditions, k.box));
    }
    return ObjectText({{"format", StringText(std::string(kCaseFileFormat))},
                       {"version", std::to_string(kCaseFileVersion)},
                       {"title", StringText(caseFile.title)},
                       {"wire", WireText(caseFile.conditions.wire)},
                       {"conditions", ObjectText(conditions, "  ")},
                       {"chart", ObjectText({{"from", std::to_string(chart.from)},
                                             {"to", std::to_string(chart.to)},
                                             {"step", std::to_string(chart.step)}},
                                            "  ")},
                       {"section", caseFile.clearance == CaseClearance{}
                                       ? SectionText(caseFile.section)
                                       : SectionObjectText(caseFile)}},
                      "") +
           "\n";
}

AtomicWriteResult WriteCaseFile(const std::filesystem::path& path, const CaseFile& caseFile) {
    return WriteFileAtomically(path, EncodeCaseFile(caseFile));
}

CaseFile CaseFromState(const CalculationState& state, std::string title, CaseChartRange chart,
                       std::vector<CaseSectionSpan> section) {
    CaseFile caseFile{
        .title = std::move(title), .conditions = {}, .chart = chart, .section = std::move(section),
        .clearance = {}};
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
    return caseFile;
}

void ApplyCase(const CaseFile& caseFile, CalculationState& state) {
    ApplyConditions(caseFile.conditions, state);
}

} // namespace orvalt
