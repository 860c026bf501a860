#include "engine/case/case_clearance.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>

#include "engine/case/case_clearance_json.h"
#include "engine/case/case_file.h"

namespace orvalt {
namespace {

using Json = nlohmann::json;

[[noreturn]] void Refuse(const std::string& field, const std::string& detail) {
    throw CaseFieldError{field, detail};
}

std::string Join(const std::string& parent, std::string_view key) {
    return parent + "." + std::string(key);
}

double Number(const Json& value, const std::string& field) {
    if (!value.is_number()) Refuse(field, "数値を書いてください。");
    const double number = value.get<double>();
    if (!std::isfinite(number)) Refuse(field, "値が大きすぎます。");
    return number;
}

std::optional<double> OptionalNumber(const Json& object, const std::string& parent,
                                     std::string_view key) {
    const auto it = object.find(std::string(key));
    if (it == object.end() || it->is_null()) return std::nullopt;
    return Number(*it, Join(parent, key));
}

double RequiredNumber(const Json& object, const std::string& parent, std::string_view key) {
    const std::optional<double> number = OptionalNumber(object, parent, key);
    if (!number) Refuse(Join(parent, key), "この項目がありません。数値を書いてください。");
    return *number;
}

const Json& Object(const Json& value, const std::string& field) {
    if (!value.is_object()) Refuse(field, "{ } で囲んだ項目の並びを書いてください。");
    return value;
}

const Json& Array(const Json& value, const std::string& field) {
    if (!value.is_array()) Refuse(field, "[ ] で囲んだ並びを書いてください。");
    return value;
}

void WarnUnknown(const Json& object, std::span<const std::string_view> known,
                 const std::string& parent, std::vector<std::string>& warnings) {
    for (const auto& [key, value] : object.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) {
            warnings.push_back("ケースファイルの「" + Join(parent, key) +
                               "」はこの版では使わない項目なので、読み飛ばしました。");
        }
    }
}

std::string Names(std::span<const std::string_view> names) {
    std::string text;
    for (std::string_view name : names) text += (text.empty() ? "" : "、") + std::string(name);
    return text;
}

CrossingKind ReadKind(const Json& object, const std::string& parent) {
    const std::string field = Join(parent, "kind");
    const auto it = object.find("kind");
    const std::optional<CrossingKind> kind = it != object.end() && it->is_string()
                                                 ? CrossingKindFromName(it->get<std::string>())
                                                 : std::nullopt;
    if (!kind) Refuse(field, "横断物の種類は " + Names(kCrossingKindNames) + " のどれかです。");
    return *kind;
}

LineVoltage ReadVoltage(const Json& section, const std::string& parent) {
    const std::string field = Join(parent, "voltageClass");
    const Json& name = section["voltageClass"];
    const std::optional<VoltageClass> cls =
        name.is_string() ? VoltageClassFromName(name.get<std::string>()) : std::nullopt;
    if (!cls) Refuse(field, "電圧区分は " + Names(kVoltageClassNames) + " のどれかです。");
    LineVoltage voltage{*cls, 0.0};
    const std::optional<double> kV = OptionalNumber(section, parent, "voltage");
    if (*cls == VoltageClass::kExtraHigh) {
        if (!kV || !(*kV > 7.0)) {
            Refuse(Join(parent, "voltage"),
                   "特別高圧の使用電圧 [kV] を 7 より大きい数で書いて"
                   "ください。");
        }
        voltage.voltage = *kV;
    }
    return voltage;
}

// Shortest text that reads back to the same double, always with a point or
// an exponent so that it reads back as a number of the same kind.
std::string DoubleText(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string text(buffer, end);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string StringText(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A float of the file as the decimal that was written (180.3, not
// 180.300003), for the check's double arithmetic and its messages.
double AsWritten(float value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    double number = value;
    std::from_chars(buffer, end, number);
    return number;
}

} // namespace

void ReadSectionClearance(const Json& section, const std::string& parent, CaseClearance& clearance,
                          std::vector<std::string>& warnings) {
    if (const auto it = section.find("ground"); it != section.end()) {
        const std::string field = Join(parent, "ground");
        const Json& points = Array(*it, field);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::string at = field + "[" + std::to_string(i) + "]";
            const Json& point = Object(points[i], at);
            clearance.ground.push_back(
                {RequiredNumber(point, at, "distance"), RequiredNumber(point, at, "elevation")});
            WarnUnknown(point, case_keys::kGroundPoint, at, warnings);
        }
    }
    if (const auto it = section.find("crossings"); it != section.end()) {
        const std::string field = Join(parent, "crossings");
        const Json& crossings = Array(*it, field);
        for (std::size_t i = 0; i < crossings.size(); ++i) {
            const std::string at = field + "[" + std::to_string(i) + "]";
            const Json& c = Object(crossings[i], at);
            clearance.crossings.push_back({RequiredNumber(c, at, "distance"), ReadKind(c, at),
                                           RequiredNumber(c, at, "elevation"),
                                           OptionalNumber(c, at, "requiredClearance")});
            WarnUnknown(c, case_keys::kCrossing, at, warnings);
        }
    }
    if (section.contains("voltageClass")) {
        clearance.voltage = ReadVoltage(section, parent);
    } else if (section.contains("voltage")) {
        Refuse(Join(parent, "voltage"),
               "使用電圧は電圧区分（voltageClass）の 特別高圧 と一緒に"
               "書いてください。");
    }
    clearance.groundClearance = OptionalNumber(section, parent, "groundClearance");
    if (clearance.groundClearance && *clearance.groundClearance < 0.0) {
        Refuse(Join(parent, "groundClearance"), "0 以上の数を書いてください。");
    }
    if (const std::optional<double> creep = OptionalNumber(section, parent, "creepAllowance")) {
        if (std::floor(*creep) != *creep || *creep < 0.0 || *creep > 100.0) {
            Refuse(Join(parent, "creepAllowance"), "0 から 100 までの整数（℃）を書いてください。");
        }
        clearance.creepAllowance = static_cast<std::int16_t>(*creep);
    }
}

SupportGround ReadSupportGround(const Json& support, const std::string& field) {
    SupportGround ground{OptionalNumber(support, field, "groundElevation"),
                         OptionalNumber(support, field, "attachmentHeight")};
    if (ground.groundElevation.has_value() != ground.attachmentHeight.has_value()) {
        Refuse(field,
               "地盤高（groundElevation）と取付高さ（attachmentHeight）は両方を書くか、"
               "両方とも書かないでください。");
    }
    if (ground.attachmentHeight && *ground.attachmentHeight < 0.0) {
        Refuse(Join(field, "attachmentHeight"), "0 以上の数を書いてください。");
    }
    return ground;
}

ClearanceProfile ClearanceProfileOf(const CaseClearance& clearance,
                                    const std::vector<double>& spanLengths) {
    ClearanceProfile profile;
    profile.spanLengths = spanLengths;
    profile.supports = clearance.supports;
    if (profile.supports.empty()) profile.supports.resize(spanLengths.size() + 1);
    profile.ground = clearance.ground;
    profile.crossings = clearance.crossings;
    if (clearance.voltage) profile.voltage = *clearance.voltage;
    profile.groundClearance = clearance.groundClearance;
    profile.creepAllowance = clearance.creepAllowance;
    return profile;
}

CaseMembers SectionClearanceMembers(const CaseClearance& c, std::string_view indent) {
    const std::string inner = std::string(indent) + "  ";
    CaseMembers members;
    if (!c.ground.empty()) {
        std::string text = "[";
        for (std::size_t i = 0; i < c.ground.size(); ++i) {
            text += (i == 0 ? "\n" : ",\n") + inner +
                    "{ \"distance\": " + DoubleText(c.ground[i].distance) +
                    ", \"elevation\": " + DoubleText(c.ground[i].elevation) + " }";
        }
        members.emplace_back("ground", text + "\n" + std::string(indent) + "]");
    }
    if (!c.crossings.empty()) {
        std::string text = "[";
        for (std::size_t i = 0; i < c.crossings.size(); ++i) {
            const Crossing& x = c.crossings[i];
            text +=
                (i == 0 ? "\n" : ",\n") + inner + "{ \"distance\": " + DoubleText(x.distance) +
                ", \"kind\": " + StringText(kCrossingKindNames[static_cast<std::size_t>(x.kind)]) +
                ", \"elevation\": " + DoubleText(x.elevation);
            if (x.requiredClearance) {
                text += ", \"requiredClearance\": " + DoubleText(*x.requiredClearance);
            }
            text += " }";
        }
        members.emplace_back("crossings", text + "\n" + std::string(indent) + "]");
    }
    if (c.voltage) {
        members.emplace_back(
            "voltageClass",
            StringText(kVoltageClassNames[static_cast<std::size_t>(c.voltage->voltageClass)]));
        if (c.voltage->voltageClass == VoltageClass::kExtraHigh) {
            members.emplace_back("voltage", DoubleText(c.voltage->voltage));
        }
    }
    if (c.groundClearance) members.emplace_back("groundClearance", DoubleText(*c.groundClearance));
    if (c.creepAllowance != 0) {
        members.emplace_back("creepAllowance", std::to_string(c.creepAllowance));
    }
    return members;
}

ClearanceTable ComputeCaseClearance(const CaseFile& caseFile, const CalculationState& state) {
    return ComputeSectionClearance(caseFile.section, state);
}

ClearanceTable ComputeSectionClearance(const CaseSection& section, const CalculationState& state) {
    return ComputeClearance(state, SectionClearanceProfile(section));
}

ClearanceProfile SectionClearanceProfile(const CaseSection& section) {
    std::vector<double> lengths;
    std::vector<std::optional<double>> typed;
    for (const SectionSpan& span : section.spans) {
        lengths.push_back(AsWritten(span.length));
        typed.emplace_back(AsWritten(span.heightDifference));
    }
    ClearanceProfile profile = ClearanceProfileOf(section.clearance, lengths);
    profile.stringingTemperature = section.stringingTemperature;
    profile.sectionSupports = section.supports; // empty: dead ends and fixed supports
    if (HasGroundProfile(profile.supports)) {
        HeightDifferencesFromGround(profile.supports, typed);
    }
    return profile;
}

CaseMembers SupportGroundMembers(const SupportGround& support) {
    CaseMembers members;
    if (support.groundElevation && support.attachmentHeight) {
        members.emplace_back("groundElevation", DoubleText(*support.groundElevation));
        members.emplace_back("attachmentHeight", DoubleText(*support.attachmentHeight));
    }
    return members;
}

} // namespace orvalt
