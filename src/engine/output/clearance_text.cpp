#include "engine/output/clearance_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "engine/number/number_format.h"

namespace orvalt {
namespace {

constexpr std::string_view kLengthPattern = "###0.00";

std::string Length(double metres) {
    return FormatWithPattern(static_cast<float>(metres), kLengthPattern);
}

std::string Verdict(bool ok) { return std::string(ok ? kClearanceOk : kClearanceFails); }

std::string Condition(int c) { return std::string(ConditionName(c)); }

std::string Kind(CrossingKind kind) {
    return std::string(kCrossingKindNames[static_cast<std::size_t>(kind)]);
}

// Metres to the centimetre, as the shortest text ("63.5", "7.12", "-0.4").
std::string JsonMetres(double metres) {
    const double rounded = std::round(metres * 100.0) / 100.0 + 0.0; // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string JsonString(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string JsonBool(bool value) { return value ? "true" : "false"; }

} // namespace

CellTable ClearanceSpanCells(const ClearanceTable& table) {
    CellTable cells{{"径間", "最小離隔[m]", "距離[m]", "条件", "必要離隔[m]", "余裕[m]", "判定"}};
    for (std::size_t i = 0; i < table.spans.size(); ++i) {
        const SpanClearance& s = table.spans[i];
        cells.push_back({std::to_string(i + 1), Length(s.minimumClearance), Length(s.distance),
                         Condition(s.condition), Length(s.required), Length(s.margin),
                         Verdict(s.ok)});
    }
    return cells;
}

CellTable ClearanceCrossingCells(const ClearanceTable& table) {
    CellTable cells{
        {"横断物", "種類", "距離[m]", "径間", "離隔[m]", "条件", "必要離隔[m]", "余裕[m]", "判定"}};
    for (std::size_t i = 0; i < table.crossings.size(); ++i) {
        const CrossingClearance& c = table.crossings[i];
        cells.push_back({std::to_string(i + 1), Kind(c.kind), Length(c.distance),
                         std::to_string(c.span + 1), Length(c.clearance), Condition(c.condition),
                         Length(c.required), Length(c.margin), Verdict(c.ok)});
    }
    return cells;
}

std::string ComposeClearanceCsv(const ClearanceTable& table) {
    CellTable cells = ClearanceSpanCells(table);
    if (!table.crossings.empty()) {
        cells.emplace_back();
        const CellTable crossings = ClearanceCrossingCells(table);
        cells.insert(cells.end(), crossings.begin(), crossings.end());
    }
    std::size_t widest = 0;
    for (const auto& row : cells) widest = std::max(widest, row.size());
    for (auto& row : cells) row.resize(widest);
    return ComposeCsv(cells);
}

std::string ComposeClearanceJson(const ClearanceTable& table) {
    std::string out = "{\n  \"spans\": [";
    for (std::size_t i = 0; i < table.spans.size(); ++i) {
        const SpanClearance& s = table.spans[i];
        out += i == 0 ? "\n" : ",\n";
        out += "    { \"span\": " + std::to_string(i + 1) +
               ", \"minimumClearance\": " + JsonMetres(s.minimumClearance) +
               ", \"distance\": " + JsonMetres(s.distance) +
               ", \"condition\": " + JsonString(ConditionName(s.condition)) +
               ", \"required\": " + JsonMetres(s.required) + ", \"ok\": " + JsonBool(s.ok) + " }";
    }
    out += table.spans.empty() ? "],\n" : "\n  ],\n";
    out += "  \"crossings\": [";
    for (std::size_t i = 0; i < table.crossings.size(); ++i) {
        const CrossingClearance& c = table.crossings[i];
        out += i == 0 ? "\n" : ",\n";
        out += "    { \"distance\": " + JsonMetres(c.distance) +
               ", \"kind\": " + JsonString(kCrossingKindNames[static_cast<std::size_t>(c.kind)]) +
               ", \"clearance\": " + JsonMetres(c.clearance) +
               ", \"condition\": " + JsonString(ConditionName(c.condition)) +
               ", \"required\": " + JsonMetres(c.required) + ", \"ok\": " + JsonBool(c.ok) + " }";
    }
    out += table.crossings.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace orvalt
