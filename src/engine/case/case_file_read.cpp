// Reading a case file: the JSON's shape (format, version, keys, types) is
// checked here; the values themselves go as text through the same form logic
// as the windows' OK and 保存, so a file is refused where the windows refuse.

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>
#include <span>

#include "engine/calculation/stringing_chart.h"
#include "engine/case/case_clearance_json.h"
#include "engine/case/case_file.h"
#include "engine/case/case_keys.h"
#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/wire_form.h"

namespace orvalt {
namespace {

using Json = nlohmann::json;

// Why a file is refused; thrown inside the reader, caught by ParseCaseFile.
struct Refusal {
    std::string message;
};

[[noreturn]] void Refuse(std::string message) { throw Refusal{std::move(message)}; }

[[noreturn]] void RefuseField(std::string_view field, std::string_view detail) {
    Refuse("ケースファイルの「" + std::string(field) + "」が使えません。\r\n" +
           std::string(detail));
}

std::string Join(std::string_view parent, std::string_view key) {
    return std::string(parent) + "." + std::string(key);
}

const Json& Member(const Json& object, std::string_view parent, std::string_view key) {
    const auto it = object.find(std::string(key));
    if (it == object.end()) {
        Refuse("ケースファイルに「" + (parent.empty() ? std::string(key) : Join(parent, key)) +
               "」がありません。");
    }
    return *it;
}

const Json& Object(const Json& value, std::string_view field) {
    if (!value.is_object()) {
        RefuseField(field, "{ } で囲んだ項目の並びを書いてください。");
    }
    return value;
}

double Number(const Json& value, std::string_view field) {
    if (!value.is_number()) {
        RefuseField(field, "数値を書いてください。");
    }
    return value.get<double>();
}

// A whole number of 16 bits (a temperature of the chart).
std::int16_t Whole16(const Json& value, std::string_view field) {
    const double number = Number(value, field);
    if (std::floor(number) != number || number < -32768.0 || number > 32767.0) {
        RefuseField(field, "-32768 から 32767 までの整数を書いてください。");
    }
    return static_cast<std::int16_t>(number);
}

float Single(const Json& value, std::string_view field) {
    const double number = Number(value, field);
    if (!(std::fabs(number) <= FLT_MAX)) {
        RefuseField(field, "値が大きすぎます。\r\n扱える範囲の数値を書いてください。");
    }
    return static_cast<float>(number);
}

// A JSON number as the text a box would hold: integers as they are, other
// numbers as the shortest text that reads back to the same double, and
// numbers beyond the double range as a text beyond it too.
std::string NumberText(const Json& value) {
    if (value.is_number_unsigned()) {
        return std::to_string(value.get<std::uint64_t>());
    }
    if (value.is_number_integer()) {
        return std::to_string(value.get<std::int64_t>());
    }
    const double number = value.get<double>();
    if (std::isinf(number)) {
        return number < 0 ? "-1e999" : "1e999";
    }
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, number).ptr;
    return std::string(buffer, end);
}

void WarnUnknownKeys(const Json& object, std::span<const std::string_view> known,
                     std::string_view parent, std::vector<std::string>& warnings) {
    for (const auto& [key, value] : object.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) {
            const std::string field = parent.empty() ? key : Join(parent, key);
            warnings.push_back("ケースファイルの「" + field +
                               "」はこの版では使わない項目なので、読み飛ばしました。");
        }
    }
}

void CheckFormatAndVersion(const Json& root) {
    const auto format = root.is_object() ? root.find("format") : root.end();
    if (format == root.end() || !format->is_string() ||
        format->get<std::string>() != kCaseFileFormat) {
        Refuse("orvalt99 のケースファイルではありません。\r\n「format」が \"" +
               std::string(kCaseFileFormat) + "\" のファイルを開いてください。");
    }
    const Json& version = Member(root, "", "version");
    if (version.is_number() && version.get<double>() > kCaseFileVersion) {
        Refuse("このケースファイルは新しい版（version " + NumberText(version) +
               "）の orvalt99 で書かれたため、開けません。");
    }
    if (!version.is_number_integer() || version.get<std::int64_t>() != kCaseFileVersion) {
        RefuseField("version", "1 を書いてください。");
    }
}

// The name of the box, as the file calls it.
std::string FieldOfBox(int box) {
    if (box == kBoxWireName) {
        return "wire.name";
    }
    for (const auto& k : case_keys::kWire) {
        if (k.box == box) return Join("wire", k.key);
    }
    for (const auto& k : case_keys::kConditions) {
        if (k.box == box) return Join("conditions", k.key);
    }
    return "conditions";
}

// The boxes' texts, from the wire and the conditions objects.
ConditionsFormInput FormInput(const Json& wire, const Json& conditions) {
    ConditionsFormInput input;
    input.boxes[kBoxIceThickness] = std::to_string(CalculationState{}.iceThickness);
    for (const auto& k : case_keys::kWire) {
        const std::string field = Join("wire", k.key);
        Number(Member(wire, "wire", k.key), field);
        input.boxes[static_cast<std::size_t>(k.box)] = NumberText(wire[k.key]);
    }
    for (const auto& k : case_keys::kConditions) {
        const std::string field = Join("conditions", k.key);
        const double number = Number(Member(conditions, "conditions", k.key), field);
        if (case_keys::IsTemperatureBox(k.box) && std::floor(number) != number) {
            RefuseField(field, "温度は整数で書いてください。");
        }
        input.boxes[static_cast<std::size_t>(k.box)] = NumberText(conditions[k.key]);
    }
    const Json& name = Member(wire, "wire", "name");
    if (!name.is_string()) {
        RefuseField("wire.name", "電線種類の名前を文字列で書いてください。");
    }
    input.wireName = name.get<std::string>();
    return input;
}

// The wire and the conditions, checked by the windows' own form logic.
ConditionsValues ReadWireAndConditions(const Json& root) {
    const Json& wire = Object(Member(root, "", "wire"), "wire");
    const Json& conditions = Object(Member(root, "", "conditions"), "conditions");
    const ConditionsFormInput input = FormInput(wire, conditions);
    // Stored as it is, so it must read back from a catalogue as it is.
    if (const auto reason = CheckWireName(input.wireName)) {
        RefuseField("wire.name", *reason);
    }
    ConditionsFormResult ok = ReadConditionsForm(input);
    if (ok.refusal) {
        RefuseField(FieldOfBox(ok.refusal->box), ok.refusal->message);
    }
    // And as the wire settings window would save the wire into a catalogue.
    WireFormInput wireInput{.name = input.wireName, .values = {}, .adding = false};
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        wireInput.values[static_cast<std::size_t>(box)] =
            input.boxes[static_cast<std::size_t>(box)];
    }
    if (const WireFormResult saved = ReadWireForm(wireInput); saved.refusal) {
        RefuseField(FieldOfBox(saved.refusal->box), saved.refusal->message);
    }
    return ok.values;
}

CaseChartRange ReadChart(const Json& chart) {
    Object(chart, "chart");
    CaseChartRange range;
    range.from = Whole16(Member(chart, "chart", "from"), "chart.from");
    range.to = Whole16(Member(chart, "chart", "to"), "chart.to");
    range.step = Whole16(Member(chart, "chart", "step"), "chart.step");
    try {
        ChartTemperatures(range.from, range.to, range.step);
    } catch (const CalculationError& e) {
        RefuseField("chart", e.what());
    }
    return range;
}

std::vector<CaseSectionSpan> ReadSection(const Json& section, std::vector<std::string>& warnings,
                                         const std::string& at = "section") {
    if (!section.is_array()) {
        RefuseField(at, "[ ] で囲んだ径間の並びを書いてください。");
    }
    std::vector<CaseSectionSpan> spans;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const std::string field = at + "[" + std::to_string(i) + "]";
        const Json& span = Object(section[i], field);
        spans.push_back(
            {Single(Member(span, field, "length"), Join(field, "length")),
             Single(Member(span, field, "heightDifference"), Join(field, "heightDifference"))});
        WarnUnknownKeys(span, case_keys::kSpan, field, warnings);
    }
    return spans;
}

// The section as an object: its spans, and per support and for the whole
// section the keys of the ground and crossings (case_clearance.h).
void ReadSectionObject(const Json& section, CaseFile& caseFile,
                       std::vector<std::string>& warnings) {
    try {
        if (const auto spans = section.find("spans"); spans != section.end()) {
            caseFile.section = ReadSection(*spans, warnings, "section.spans");
        }
        if (const auto supports = section.find("supports"); supports != section.end()) {
            if (!supports->is_array()) {
                RefuseField("section.supports", "[ ] で囲んだ支持点の並びを書いてください。");
            }
            for (std::size_t i = 0; i < supports->size(); ++i) {
                const std::string field = "section.supports[" + std::to_string(i) + "]";
                const Json& support = Object((*supports)[i], field);
                caseFile.clearance.supports.push_back(ReadSupportGround(support, field));
                WarnUnknownKeys(support, case_keys::kSupportGround, field, warnings);
            }
        }
        ReadSectionClearance(section, "section", caseFile.clearance, warnings);
    } catch (const CaseFieldError& e) {
        RefuseField(e.field, e.detail);
    }
    std::vector<std::string_view> known{"spans", "supports"};
    known.insert(known.end(), case_keys::kSectionClearance.begin(),
                 case_keys::kSectionClearance.end());
    WarnUnknownKeys(section, known, "section", warnings);
}

CaseFile ReadCase(const Json& root, std::vector<std::string>& warnings) {
    CheckFormatAndVersion(root);
    CaseFile caseFile;
    caseFile.conditions = ReadWireAndConditions(root);
    if (const auto title = root.find("title"); title != root.end()) {
        if (!title->is_string()) {
            RefuseField("title", "文字列を書いてください。");
        }
        caseFile.title = title->get<std::string>();
    }
    if (const auto chart = root.find("chart"); chart != root.end()) {
        caseFile.chart = ReadChart(*chart);
        WarnUnknownKeys(*chart, case_keys::kChart, "chart", warnings);
    }
    if (const auto section = root.find("section"); section != root.end()) {
        if (section->is_object()) {
            ReadSectionObject(*section, caseFile, warnings);
        } else {
            caseFile.section = ReadSection(*section, warnings);
        }
    }
    WarnUnknownKeys(root, case_keys::kTop, "", warnings);
    std::vector<std::string_view> wireKeys{"name"};
    for (const auto& k : case_keys::kWire) wireKeys.push_back(k.key);
    WarnUnknownKeys(root["wire"], wireKeys, "wire", warnings);
    std::vector<std::string_view> conditionKeys;
    for (const auto& k : case_keys::kConditions) conditionKeys.push_back(k.key);
    WarnUnknownKeys(root["conditions"], conditionKeys, "conditions", warnings);
    return caseFile;
}

} // namespace

CaseReadResult ParseCaseFile(std::string_view bytes) {
    CaseReadResult result;
    Json root;
    try {
        root = Json::parse(bytes);
    } catch (const Json::parse_error& e) {
        result.error = "ケースファイルを JSON として読めません（" + std::to_string(e.byte) +
                       " バイト目）。\r\nファイルが壊れていないか確かめてください。";
        return result;
    }
    try {
        result.caseFile = ReadCase(root, result.warnings);
    } catch (const Refusal& refusal) {
        result.error = refusal.message;
        result.warnings.clear();
    }
    return result;
}

CaseReadResult ReadCaseFile(const std::filesystem::path& path) {
    FileSnapshot snapshot;
    const int error = ReadFileSnapshot(path, snapshot);
    if (error != 0 || !snapshot.exists) {
        CaseReadResult result;
        result.error = "ケースファイル「" + path.string() + "」を読めません。" +
                       (error > 0 ? "\r\n" + std::string(std::strerror(error)) : std::string());
        return result;
    }
    return ParseCaseFile(snapshot.bytes);
}

} // namespace orvalt
