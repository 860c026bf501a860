// Reading a case file: the JSON's shape (format, version, keys, types) is
// checked here; the values themselves go as text through the same form logic
// as the windows' OK and 保存, so a file is refused where the windows refuse.

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>
#include <span>
#include <unordered_set>

#include "engine/calculation/stringing_chart.h"
#include "engine/case/case_clearance_json.h"
#include "engine/case/case_file.h"
#include "engine/case/case_keys.h"
#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/section_form.h"
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

// The version of the file, 1 or 2.
int CheckFormatAndVersion(const Json& root) {
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
    if (!version.is_number_integer() || version.get<std::int64_t>() < kOldestCaseFileVersion ||
        version.get<std::int64_t>() > kCaseFileVersion) {
        RefuseField("version", std::to_string(kOldestCaseFileVersion) + " か " +
                                   std::to_string(kCaseFileVersion) + " を書いてください。");
    }
    return static_cast<int>(version.get<std::int64_t>());
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
    if (box == kBoxIceThickness) return Join("conditions", case_keys::kIce[0]);
    if (box == kBoxIceSpecificGravity) return Join("conditions", case_keys::kIce[1]);
    return "conditions";
}

// The boxes' texts, from the wire and the conditions objects.
ConditionsFormInput FormInput(const Json& wire, const Json& conditions) {
    ConditionsFormInput input;
    // The ice boxes as the file writes them; a case without the ice gets the
    // start-up ice.
    const std::pair<int, std::string_view> iceBoxes[] = {
        {kBoxIceThickness, case_keys::kIce[0]}, {kBoxIceSpecificGravity, case_keys::kIce[1]}};
    input.boxes[kBoxIceThickness] = std::to_string(CalculationState{}.iceThickness);
    input.boxes[kBoxIceSpecificGravity] = "0.9";
    for (const auto& [box, key] : iceBoxes) {
        if (const auto value = conditions.find(key); value != conditions.end()) {
            input.boxes[static_cast<std::size_t>(box)] = NumberText(*value);
        }
    }
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

CaseIce ReadIce(const Json& conditions);

// The wire, the conditions and the ice, checked by the windows' own form
// logic (the ice first as the file must write it: a whole thickness).
ConditionsValues ReadWireAndConditions(const Json& root, CaseIce& ice) {
    const Json& wire = Object(Member(root, "", "wire"), "wire");
    const Json& conditions = Object(Member(root, "", "conditions"), "conditions");
    ReadIce(conditions);
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
    ice = ok.ice;
    return ok.values;
}

// A whole temperature [degC] as the conditions window takes one.
std::int16_t Temperature(const Json& value, std::string_view field) {
    const double number = Number(value, field);
    if (std::floor(number) != number) {
        RefuseField(field, "温度は整数で書いてください。");
    }
    if (number < kLowestTemperature || number > kHighestTemperature) {
        RefuseField(field, "-273 から 32767 までの温度を書いてください。");
    }
    return static_cast<std::int16_t>(number);
}

CaseChartRange ReadChart(const Json& chart) {
    Object(chart, "chart");
    CaseChartRange range;
    range.from = Temperature(Member(chart, "chart", "from"), "chart.from");
    range.to = Temperature(Member(chart, "chart", "to"), "chart.to");
    range.step = Whole16(Member(chart, "chart", "step"), "chart.step");
    try {
        ChartTemperatures(range.from, range.to, range.step);
    } catch (const CalculationError& e) {
        RefuseField("chart", e.what());
    }
    return range;
}

// The spans, checked by the section window's table (ReadSectionSpans), each
// refusal naming the span's key: "section.spans[2].length".
std::vector<SectionSpan> ReadSpans(const Json& spans, std::string_view field,
                                   std::vector<std::string>& warnings) {
    if (!spans.is_array()) {
        RefuseField(field, "[ ] で囲んだ径間の並びを書いてください。");
    }
    if (spans.empty()) {
        return {};
    }
    std::vector<std::array<std::string, 2>> rows;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const std::string spanField = std::string(field) + "[" + std::to_string(i) + "]";
        const Json& span = Object(spans[i], spanField);
        std::array<std::string, 2> row;
        for (std::size_t column = 0; column < case_keys::kSpan.size(); ++column) {
            const std::string_view key = case_keys::kSpan[column];
            Number(Member(span, spanField, key), Join(spanField, key));
            row[column] = NumberText(span[std::string(key)]);
        }
        rows.push_back(std::move(row));
        WarnUnknownKeys(span, case_keys::kSpan, spanField, warnings);
    }
    const SectionSpansResult read = ReadSectionSpans(rows);
    if (read.refusal) {
        const std::size_t row = std::min(read.refusal->row, spans.size() - 1);
        RefuseField(std::string(field) + "[" + std::to_string(row) + "]." +
                        std::string(case_keys::kSpan[static_cast<std::size_t>(
                            read.refusal->column)]),
                    read.refusal->message);
    }
    return read.spans;
}

// The supports, one more than the spans, each refusal naming its key:
// "section.supports[2].stringLength". Each support's "type" (with a
// suspension string's length and weight) goes to `supports`, given for every
// support or for none (none: the defaults); its "groundElevation" and
// "attachmentHeight" go to `ground`, filled only when some support has them.
void ReadSupports(const Json& supports, std::size_t spanCount, std::vector<SectionSupport>& result,
                  std::vector<SupportGround>& ground, std::vector<std::string>& warnings) {
    const std::string_view field = "section.supports";
    if (!supports.is_array()) {
        RefuseField(field, "[ ] で囲んだ支持点の並びを書いてください。");
    }
    if (supports.size() != spanCount + 1) {
        RefuseField(field, "支持点は径間の数より一つ多く（" + std::to_string(spanCount + 1) +
                               "）書いてください。");
    }
    const auto hasAny = [&](auto keys) {
        return std::any_of(supports.begin(), supports.end(), [&](const Json& support) {
            return support.is_object() &&
                   std::any_of(keys.begin(), keys.end(), [&](std::string_view key) {
                       return support.contains(std::string(key));
                   });
        });
    };
    const bool typed = hasAny(case_keys::kSupport);
    const bool grounded = hasAny(case_keys::kSupportGround);
    std::vector<std::string_view> known(case_keys::kSupport.begin(), case_keys::kSupport.end());
    known.insert(known.end(), case_keys::kSupportGround.begin(), case_keys::kSupportGround.end());
    for (std::size_t j = 0; j < supports.size(); ++j) {
        const std::string supportField = std::string(field) + "[" + std::to_string(j) + "]";
        const Json& support = Object(supports[j], supportField);
        if (typed) {
            const Json& type = Member(support, supportField, "type");
            const auto word =
                std::find(case_keys::kSupportTypes.begin(), case_keys::kSupportTypes.end(),
                          type.is_string() ? type.get<std::string>() : std::string());
            if (word == case_keys::kSupportTypes.end()) {
                RefuseField(Join(supportField, "type"),
                            "\"deadEnd\"、\"fixed\"、\"suspension\" のどれかを書いてください。");
            }
            SectionSupport s;
            s.type = static_cast<SupportType>(word - case_keys::kSupportTypes.begin());
            const bool end = j == 0 || j + 1 == supports.size();
            if (end && s.type != SupportType::kDeadEnd) {
                RefuseField(Join(supportField, "type"), "区間の両端の支持点は \"deadEnd\" です。");
            }
            if (s.type == SupportType::kSuspension) {
                const std::string lengthField = Join(supportField, "stringLength");
                s.stringLength = Number(Member(support, supportField, "stringLength"), lengthField);
                if (!(std::isfinite(s.stringLength) && s.stringLength > 0.0)) {
                    RefuseField(lengthField, "0 より大きい数を書いてください。");
                }
                if (const auto w = support.find("stringWeight"); w != support.end()) {
                    const std::string weightField = Join(supportField, "stringWeight");
                    s.stringWeight = Number(*w, weightField);
                    if (!(std::isfinite(s.stringWeight) && s.stringWeight >= 0.0)) {
                        RefuseField(weightField, "0 以上の数を書いてください。");
                    }
                }
            }
            result.push_back(s);
        }
        if (grounded) {
            try {
                ground.push_back(ReadSupportGround(support, supportField));
            } catch (const CaseFieldError& e) {
                RefuseField(e.field, e.detail);
            }
        }
        WarnUnknownKeys(support, known, supportField, warnings);
    }
}

// The section's ground, crossings and voltage (case_clearance.h).
void ReadSectionGround(const Json& section, CaseClearance& clearance,
                       std::vector<std::string>& warnings) {
    try {
        ReadSectionClearance(section, "section", clearance, warnings);
    } catch (const CaseFieldError& e) {
        RefuseField(e.field, e.detail);
    }
}

// Version 1: the array of spans; version 2: the section object.
CaseSection ReadSection(const Json& section, int version, std::vector<std::string>& warnings) {
    CaseSection result;
    if (version == 1) {
        result.spans = ReadSpans(section, "section", warnings);
        return result;
    }
    Object(section, "section");
    if (const auto t = section.find("stringingTemperature"); t != section.end()) {
        result.stringingTemperature = Temperature(*t, "section.stringingTemperature");
    }
    if (const auto spans = section.find("spans"); spans != section.end()) {
        result.spans = ReadSpans(*spans, "section.spans", warnings);
    }
    if (const auto supports = section.find("supports"); supports != section.end()) {
        ReadSupports(*supports, result.spans.size(), result.supports, result.clearance.supports,
                     warnings);
    }
    ReadSectionGround(section, result.clearance, warnings);
    std::vector<std::string_view> known(case_keys::kSection.begin(), case_keys::kSection.end());
    known.insert(known.end(), case_keys::kSectionClearance.begin(),
                 case_keys::kSectionClearance.end());
    WarnUnknownKeys(section, known, "section", warnings);
    return result;
}

// conditions.iceThickness and conditions.iceSpecificGravity, each optional.
CaseIce ReadIce(const Json& conditions) {
    CaseIce ice;
    if (const auto t = conditions.find("iceThickness"); t != conditions.end()) {
        const double number = Number(*t, "conditions.iceThickness");
        if (std::floor(number) != number || number < kThinnestIce || number > kThickestIce) {
            RefuseField("conditions.iceThickness",
                        "被氷の厚さは " + std::to_string(kThinnestIce) + " から " +
                            std::to_string(kThickestIce) + " までの整数（mm）を書いてください。");
        }
        ice.thickness = static_cast<std::int16_t>(number);
    }
    if (const auto g = conditions.find("iceSpecificGravity"); g != conditions.end()) {
        const double number = Number(*g, "conditions.iceSpecificGravity");
        if (!(number >= 0.1 && number <= 1.0)) {
            RefuseField("conditions.iceSpecificGravity",
                        "氷の比重は 0.1 から 1.0 までの数値を書いてください。");
        }
        ice.specificGravity = static_cast<float>(number);
    }
    return ice;
}

// The field check settings as the field check view takes them.
CaseFieldCheck ReadFieldCheck(const Json& fieldCheck, std::vector<std::string>& warnings) {
    Object(fieldCheck, "fieldCheck");
    CaseFieldCheck result;
    if (const auto waves = fieldCheck.find("waves"); waves != fieldCheck.end()) {
        const double number = Number(*waves, "fieldCheck.waves");
        if (std::floor(number) != number || number < kFewestWaves || number > kMostWaves) {
            RefuseField("fieldCheck.waves", "波の数は " + std::to_string(kFewestWaves) +
                                                " から " + std::to_string(kMostWaves) +
                                                " までの整数を書いてください。");
        }
        result.waves = static_cast<int>(number);
    }
    if (const auto a = fieldCheck.find("sightingA"); a != fieldCheck.end() && !a->is_null()) {
        const double number = Number(*a, "fieldCheck.sightingA");
        if (!(std::isfinite(number) && number >= 0.0)) {
            RefuseField("fieldCheck.sightingA",
                        "視準高 a は 0 以上の数値（m）か、等長法なら null を書いてください。");
        }
        result.sightingA = number;
    }
    WarnUnknownKeys(fieldCheck, case_keys::kFieldCheck, "fieldCheck", warnings);
    return result;
}

// conditions.loadClassHigh / loadClassLow: the key of a class offered for
// that season; absent, 任意.
LoadClass ReadLoadClass(const Json& conditions, std::string_view key, bool highSeason) {
    const auto value = conditions.find(key);
    if (value == conditions.end()) return LoadClass::kCustom;
    const std::string field = Join("conditions", key);
    std::optional<LoadClass> loadClass;
    if (value->is_string()) loadClass = LoadClassWithKey(value->get<std::string>());
    if (!loadClass || !(highSeason ? InfoOf(*loadClass).highSeason : InfoOf(*loadClass).lowSeason)) {
        std::string keys;
        for (const LoadClassInfo& info : kLoadClasses) {
            if (highSeason ? info.highSeason : info.lowSeason) {
                keys += (keys.empty() ? "\"" : "、\"") + std::string(info.key) + "\"";
            }
        }
        RefuseField(field, "荷重区分は " + keys + " のどれかを書いてください。");
    }
    return *loadClass;
}

void ReadLoadClasses(const Json& conditions, ConditionsValues& values) {
    values.loadClassHigh = ReadLoadClass(conditions, case_keys::kLoadClassHigh, true);
    values.loadClassLow = ReadLoadClass(conditions, case_keys::kLoadClassLow, false);
    if (const auto bundle = conditions.find(case_keys::kBundle); bundle != conditions.end()) {
        if (!bundle->is_boolean()) {
            RefuseField(Join("conditions", case_keys::kBundle), "true か false を書いてください。");
        }
        values.bundle = bundle->get<bool>();
    }
}

UnitSystem ReadUnits(const Json& root) {
    const auto units = root.find(case_keys::kUnits);
    if (units == root.end()) return UnitSystem::kKgf;
    std::optional<UnitSystem> read;
    if (units->is_string()) read = UnitSystemNamed(units->get<std::string>());
    if (!read) {
        RefuseField(case_keys::kUnits, "\"kgf\" か \"si\" を書いてください。");
    }
    return *read;
}

CaseFile ReadCase(const Json& root, std::vector<std::string>& warnings) {
    const int version = CheckFormatAndVersion(root);
    CaseFile caseFile;
    caseFile.conditions = ReadWireAndConditions(root, caseFile.ice);
    ReadLoadClasses(root["conditions"], caseFile.conditions);
    caseFile.units = ReadUnits(root);
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
        caseFile.section = ReadSection(*section, version, warnings);
    }
    if (const auto fieldCheck = root.find("fieldCheck");
        version >= 2 && fieldCheck != root.end()) {
        caseFile.fieldCheck = ReadFieldCheck(*fieldCheck, warnings);
    }
    std::vector<std::string_view> topKeys(case_keys::kTop.begin(), case_keys::kTop.end());
    topKeys.push_back(case_keys::kUnits);
    if (version == 1) {
        std::erase(topKeys, "fieldCheck");
    }
    WarnUnknownKeys(root, topKeys, "", warnings);
    std::vector<std::string_view> wireKeys{"name"};
    for (const auto& k : case_keys::kWire) wireKeys.push_back(k.key);
    WarnUnknownKeys(root["wire"], wireKeys, "wire", warnings);
    std::vector<std::string_view> conditionKeys(case_keys::kIce.begin(), case_keys::kIce.end());
    for (const auto& k : case_keys::kConditions) conditionKeys.push_back(k.key);
    conditionKeys.insert(conditionKeys.end(),
                         {case_keys::kLoadClassHigh, case_keys::kLoadClassLow, case_keys::kBundle});
    WarnUnknownKeys(root["conditions"], conditionKeys, "conditions", warnings);
    return caseFile;
}

// Where the parser is, as the file's field names say it ("wire.area",
// "section.spans[2]"), and a refusal of a key written twice in one object
// or of nesting deeper than any case file needs.
class ParseTracker {
public:
    bool Event(Json::parse_event_t event, const Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start:
                if (frames_.size() >= kDeepest) {
                    Refuse("ケースファイルの { } や [ ] の入れ子が深すぎます。\r\nファイルが壊れていないか"
                           "確かめてください。");
                }
                frames_.push_back(Frame{event == Json::parse_event_t::object_start, {}, 0, {}});
                break;
            case Json::parse_event_t::key: {
                Frame& frame = frames_.back();
                frame.key = parsed.get<std::string>();
                if (!frame.keys.insert(frame.key).second) {
                    Refuse("ケースファイルの「" + Path() +
                           "」が二度書かれています。\r\n一つの { } の中では、同じ項目は一度だけ"
                           "書いてください。");
                }
                break;
            }
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                frames_.pop_back();
                Advance();
                break;
            case Json::parse_event_t::value: Advance(); break;
        }
        return true;
    }

    // The field the parser is in, "" at the top.
    std::string Path() const {
        std::string path;
        for (const Frame& frame : frames_) {
            if (frame.object) {
                if (frame.key.empty() && frame.keys.empty()) break;
                if (!path.empty()) path += '.';
                path += frame.key;
            } else {
                path += "[" + std::to_string(frame.index) + "]";
            }
        }
        return path;
    }

private:
    static constexpr std::size_t kDeepest = 64;

    struct Frame {
        bool object = false;
        std::string key;   // the last key of an object
        std::size_t index; // the element an array is at
        std::unordered_set<std::string> keys;
    };

    void Advance() {
        if (!frames_.empty() && !frames_.back().object) {
            ++frames_.back().index;
        }
    }

    std::vector<Frame> frames_;
};

// Bytes that are no UTF-8 text at all: UTF-16 (with or without its byte
// order mark) shows NUL bytes between its ASCII characters.
bool LooksLikeUtf16(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        return true;
    }
    return bytes.find('\0') != std::string_view::npos;
}

} // namespace

CaseReadResult ParseCaseFile(std::string_view bytes) {
    CaseReadResult result;
    if (bytes.size() > kMaxCaseFileBytes) {
        result.error = "ケースファイルが大きすぎます（" + std::to_string(bytes.size()) +
                       " バイト）。\r\n16 MB までのファイルを開いてください。";
        return result;
    }
    if (LooksLikeUtf16(bytes)) {
        result.error = "ケースファイルが UTF-8 ではありません（UTF-16 などで保存されています）。"
                       "\r\nUTF-8 で保存し直してください。";
        return result;
    }
    Json root;
    ParseTracker tracker;
    try {
        root = Json::parse(bytes, [&tracker](int, Json::parse_event_t event, Json& parsed) {
            return tracker.Event(event, parsed);
        });
    } catch (const Refusal& refusal) {
        result.error = refusal.message;
        return result;
    } catch (const Json::parse_error& e) {
        result.error = "ケースファイルを JSON として読めません（" + std::to_string(e.byte) +
                       " バイト目）。\r\nファイルが壊れていないか確かめてください。";
        return result;
    } catch (const Json::out_of_range&) {
        // A number beyond the double range (1e309, a 400-digit integer).
        result.error = "ケースファイルの「" + tracker.Path() +
                       "」が使えません。\r\n値が大きすぎます。扱える範囲の数値を書いてください。";
        return result;
    } catch (const Json::exception&) {
        result.error = "ケースファイルを JSON として読めません。\r\nファイルが壊れていないか"
                       "確かめてください。";
        return result;
    }
    try {
        result.caseFile = ReadCase(root, result.warnings);
    } catch (const Refusal& refusal) {
        result.error = refusal.message;
        result.warnings.clear();
    } catch (const Json::exception&) {
        result.error = "ケースファイルの形が正しくありません。\r\nファイルが壊れていないか"
                       "確かめてください。";
        result.warnings.clear();
    }
    return result;
}

CaseReadResult ReadCaseFile(const std::filesystem::path& path) {
    CaseReadResult result;
    std::error_code ignored;
    const std::uintmax_t size = std::filesystem::file_size(path, ignored);
    if (!ignored && size > kMaxCaseFileBytes) {
        result.error = "ケースファイル「" + path.string() + "」を読めません。\r\n" +
                       "ファイルが大きすぎます（16 MB まで）。";
        return result;
    }
    FileSnapshot snapshot;
    const int error = ReadFileSnapshot(path, snapshot);
    if (error != 0 || !snapshot.exists) {
        result.error = "ケースファイル「" + path.string() + "」を読めません。\r\n" +
                       (error == kNotARegularFile ? std::string("普通のファイルではありません")
                                                  : FileErrorReason(snapshot.exists || error != 0
                                                                        ? error
                                                                        : ENOENT));
        return result;
    }
    return ParseCaseFile(snapshot.bytes);
}

} // namespace orvalt
