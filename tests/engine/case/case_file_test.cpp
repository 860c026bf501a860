// The case file: its exact bytes, the round trip of random designs, every
// kind of refusal with its message, and unknown keys kept out with a warning.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "engine/calculation/stringing_chart.h"
#include "engine/case/case_file.h"
#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/section_form.h"
#include "support/golden_file.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::ExpectMatchesGolden;
using test::GoldenBytes;

CaseFile Example1Case() {
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    return CaseFromState(state, "○○線 No.12〜No.18", {},
                         CaseSection{.spans = {{120.0f, 0.0f}, {250.0f, 15.0f}}, .supports = {}, .clearance = {}});
}

// The file this version writes, and the version 1 file of the same design.
constexpr std::string_view kGolden = "example_18_2mm_v2.o99case";
constexpr std::string_view kGoldenVersion1 = "example_18_2mm.o99case";

TEST(CaseFile, WorkedExampleIsWrittenAsTheGoldenFile) {
    ExpectMatchesGolden(EncodeCaseFile(Example1Case()), std::string(kGolden));
}

TEST(CaseFile, BothVersionsReadBackAsTheWorkedExample) {
    for (const std::string_view golden : {kGolden, kGoldenVersion1}) {
        const CaseReadResult read = ParseCaseFile(GoldenBytes(golden));
        ASSERT_TRUE(read.caseFile) << golden << ": " << read.error;
        EXPECT_EQ(*read.caseFile, Example1Case()) << golden;
        EXPECT_TRUE(read.warnings.empty()) << golden;
        // Saved again, a version 1 file becomes this version's file.
        EXPECT_EQ(EncodeCaseFile(*read.caseFile), GoldenBytes(kGolden)) << golden;
    }
}

// A positive float of any bit pattern between about 1e-3 and 1e6.
float RandomConstant(std::mt19937& random) {
    std::uniform_int_distribution<std::uint32_t> bits(std::bit_cast<std::uint32_t>(1e-3f),
                                                      std::bit_cast<std::uint32_t>(1e6f));
    return std::bit_cast<float>(bits(random));
}

CaseFile RandomCase(std::mt19937& random) {
    static const std::array<std::string, 4> names = {"計算例1", "ＡＣＳＲ １６０ mm2",
                                                     "〜 \"HDCC\" 〜", ""};
    const auto whole = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    CaseFile c;
    c.title =
        names[static_cast<std::size_t>(whole(0, 3))] + "\t\\ 区間 " + std::to_string(whole(0, 99));
    c.conditions.wire.wireName = names[static_cast<std::size_t>(whole(0, 3))];
    for (float WireRecord::*field : kWireValueFields) {
        c.conditions.wire.*field = RandomConstant(random);
    }
    ConditionsValues& v = c.conditions;
    v.windPressureHigh = static_cast<float>(whole(0, 1000));
    v.windPressureLow = static_cast<float>(whole(0, 1000));
    v.windPressureStudy = static_cast<float>(whole(0, 1000));
    v.temperatureHigh = static_cast<std::int16_t>(whole(-273, 1000));
    v.temperatureLow = static_cast<std::int16_t>(whole(-273, 1000));
    v.temperatureStudy = static_cast<std::int16_t>(whole(-273, 1000));
    v.spanStart = static_cast<float>(whole(1, 30000));
    v.spanEnd = static_cast<float>(whole(1, 30000));
    v.spanStep = static_cast<float>(whole(1, 500) * (whole(0, 1) ? 1 : -1));
    c.chart = {static_cast<std::int16_t>(whole(-50, 0)), static_cast<std::int16_t>(whole(0, 150)),
               static_cast<std::int16_t>(whole(5, 50))};
    c.ice = {static_cast<std::int16_t>(whole(kThinnestIce, kThickestIce)),
             std::uniform_real_distribution<float>(0.1f, 1.0f)(random)};
    c.section.stringingTemperature = static_cast<std::int16_t>(whole(-273, 32767));
    for (int i = whole(0, 3); i > 0; --i) {
        const float height = std::bit_cast<float>(
            std::uniform_int_distribution<std::uint32_t>(0, 0x7F7FFFFF)(random));
        c.section.spans.push_back({RandomConstant(random), whole(0, 1) ? height : -height});
    }
    v.loadClassHigh = whole(0, 1) ? LoadClass::kKou : LoadClass::kCustom;
    constexpr LoadClass kLowClasses[] = {LoadClass::kCustom, LoadClass::kOtsu, LoadClass::kHei,
                                         LoadClass::kKouOtsuLarger, LoadClass::kSnow};
    v.loadClassLow = kLowClasses[whole(0, 4)];
    v.bundle = whole(0, 1) == 1;
    c.units = whole(0, 1) ? UnitSystem::kSi : UnitSystem::kKgf;
    c.fieldCheck.waves = whole(kFewestWaves, kMostWaves);
    if (whole(0, 1)) {
        c.fieldCheck.sightingA = std::bit_cast<double>(
            std::uniform_int_distribution<std::uint64_t>(0, 0x7FEFFFFFFFFFFFFF)(random));
    }
    return c;
}

TEST(CaseFile, RandomDesignsReadBackBitForBit) {
    std::mt19937 random(20240518);
    for (int i = 0; i < 2000; ++i) {
        const CaseFile written = RandomCase(random);
        const std::string bytes = EncodeCaseFile(written);
        const CaseReadResult read = ParseCaseFile(bytes);
        ASSERT_TRUE(read.caseFile) << read.error << "\n" << bytes;
        ASSERT_EQ(*read.caseFile, written) << bytes;
        ASSERT_EQ(EncodeCaseFile(*read.caseFile), bytes);
        ASSERT_TRUE(read.warnings.empty());
    }
}

// The golden file with one text replaced, for the tables below.
std::string GoldenWith(std::string_view from, std::string_view to) {
    std::string bytes = GoldenBytes(kGolden);
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

struct BadFile {
    const char* what;
    std::string bytes;
    std::string message;
};

std::string FieldMessage(std::string_view field, std::string_view detail) {
    return "ケースファイルの「" + std::string(field) + "」が使えません。\r\n" + std::string(detail);
}

std::string Version1With(std::string_view from, std::string_view to) {
    std::string bytes = GoldenBytes(kGoldenVersion1);
    const std::size_t at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

// The bytes as UTF-16LE with its byte order mark (ASCII and BMP only).
std::string Utf16(std::string_view utf8) {
    std::string out = "\xFF\xFE";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        char32_t c = b;
        std::size_t n = 1;
        if (b >= 0xE0) {
            c = ((b & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3Fu);
            n = 3;
        } else if (b >= 0xC0) {
            c = ((b & 0x1Fu) << 6) | (utf8[i + 1] & 0x3Fu);
            n = 2;
        }
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
        i += n;
    }
    return out;
}

TEST(CaseFile, BadFilesAreRefusedWithTheirMessage) {
    const std::string notCase =
        "orvalt99 のケースファイルではありません。\r\n「format」が "
        "\"orvalt99-case\" のファイルを開いてください。";
    const std::string tooLarge = "値が大きすぎます。扱える範囲の数値を書いてください。";
    const std::string temperature = "-273 から 32767 までの温度を書いてください。";
    const BadFile files[] = {
        {"not JSON", "{\"format\": x}",
         "ケースファイルを JSON として読めません（12 "
         "バイト目）。\r\nファイルが壊れていないか確かめてください。"},
        {"a JSON array", "[1, 2]", notCase},
        {"wrong format", GoldenWith("orvalt99-case", "orvalt98-case"), notCase},
        {"a later version", GoldenWith("\"version\": 2", "\"version\": 3"),
         "このケースファイルは新しい版（version 3）の orvalt99 で書かれたため、開けません。"},
        {"version 0", GoldenWith("\"version\": 2", "\"version\": 0"),
         FieldMessage("version", "1 か 2 を書いてください。")},
        {"missing wire key", GoldenWith("\"area\": 160,", ""),
         "ケースファイルに「wire.area」がありません。"},
        {"missing conditions", GoldenWith("\"conditions\"", "\"condition\""),
         "ケースファイルに「conditions」がありません。"},
        {"a key written twice", GoldenWith("\"area\": 160,", "\"area\": 160, \"area\": 161,"),
         "ケースファイルの「wire.area」が二度書かれています。\r\n一つの { } の中では、同じ項目は"
         "一度だけ書いてください。"},
        {"a string for a number", GoldenWith("\"spanEnd\": 400", "\"spanEnd\": \"400\""),
         FieldMessage("conditions.spanEnd", "数値を書いてください。")},
        {"a number beyond double", GoldenWith("\"area\": 160", "\"area\": 1e309"),
         FieldMessage("wire.area", tooLarge)},
        {"a negative number beyond double", GoldenWith("\"area\": 160", "\"area\": -1e309"),
         FieldMessage("wire.area", tooLarge)},
        {"a 400-digit integer", GoldenWith("\"length\": 250", "\"length\": 1" + std::string(399, '0')),
         FieldMessage("section.spans[1].length", tooLarge)},
        {"a file in UTF-16", Utf16(GoldenBytes(kGolden)),
         "ケースファイルが UTF-8 ではありません（UTF-16 などで保存されています）。\r\nUTF-8 "
         "で保存し直してください。"},
        {"a file over 16 MB", GoldenWith("\"title\"", std::string(kMaxCaseFileBytes, ' ') + "\"title\""),
         "ケースファイルが大きすぎます（" + std::to_string(kMaxCaseFileBytes + GoldenBytes(kGolden).size()) +
             " バイト）。\r\n16 MB までのファイルを開いてください。"},
        {"nesting without end", std::string(100000, '['),
         "ケースファイルの { } や [ ] の入れ子が深すぎます。\r\nファイルが壊れていないか確かめてください。"},
        {"a temperature of 1.5", GoldenWith("\"temperatureLow\": -15", "\"temperatureLow\": 1.5"),
         FieldMessage("conditions.temperatureLow", "温度は整数で書いてください。")},
        {"a name with a comma", GoldenWith("計算例1", "計算例,1"),
         FieldMessage("wire.name", *CheckWireName("計算例,1"))},
        {"a name with ä", GoldenWith("計算例1", "ä"),
         FieldMessage("wire.name", *CheckWireName("ä"))},
        {"ice of 51 mm", GoldenWith("\"iceThickness\": 9", "\"iceThickness\": 51"),
         FieldMessage("conditions.iceThickness",
                      "被氷の厚さは 0 から 50 までの整数（mm）を書いてください。")},
        {"ice of gravity 0", GoldenWith("\"iceSpecificGravity\": 0.9", "\"iceSpecificGravity\": 0"),
         FieldMessage("conditions.iceSpecificGravity",
                      "氷の比重は 0.1 から 1.0 までの数値を書いてください。")},
        {"a chart step of 0", GoldenWith("\"step\": 10", "\"step\": 0"),
         FieldMessage("chart",
                      [] {
                          try {
                              ChartTemperatures(-10, 40, 0);
                          } catch (const CalculationError& e) {
                              return std::string(e.what());
                          }
                          return std::string("ChartTemperatures accepted a step of 0");
                      }())},
        {"a chart temperature below absolute zero", GoldenWith("\"from\": -10", "\"from\": -274"),
         FieldMessage("chart.from", temperature)},
        {"a chart temperature of 40000", GoldenWith("\"to\": 40", "\"to\": 40000"),
         FieldMessage("chart.to", temperature)},
        {"a stringing temperature of 1.5",
         GoldenWith("\"stringingTemperature\": 15", "\"stringingTemperature\": 1.5"),
         FieldMessage("section.stringingTemperature", "温度は整数で書いてください。")},
        {"a section that is no object", GoldenWith("\"section\": {", "\"section\": 5, \"x\": {"),
         FieldMessage("section", "{ } で囲んだ項目の並びを書いてください。")},
        {"spans that are no list", GoldenWith("\"spans\": [", "\"spans\": 5, \"x\": ["),
         FieldMessage("section.spans", "[ ] で囲んだ径間の並びを書いてください。")},
        {"a span length of 0", GoldenWith("\"length\": 250", "\"length\": 0"),
         FieldMessage("section.spans[1].length",
                      "径間 2 の径間長は 0 より大きい数値で入力してください")},
        {"a version 1 span length of 1e39", Version1With("\"length\": 250", "\"length\": 1e39"),
         FieldMessage("section[1].length", "径間 2 の径間長は 0 より大きい数値で入力してください")},
        {"11 waves", GoldenWith("\"waves\": 3", "\"waves\": 11"),
         FieldMessage("fieldCheck.waves", "波の数は 1 から 10 までの整数を書いてください。")},
        {"a sighting height below 0", GoldenWith("\"sightingA\": null", "\"sightingA\": -1"),
         FieldMessage("fieldCheck.sightingA",
                      "視準高 a は 0 以上の数値（m）か、等長法なら null を書いてください。")},
        {"乙種 in the high season",
         GoldenWith("\"spanStep\": 10", "\"spanStep\": 10, \"loadClassHigh\": \"otsu\""),
         FieldMessage("conditions.loadClassHigh",
                      "荷重区分は \"custom\"、\"kou\" のどれかを書いてください。")},
        {"a class by its Japanese name",
         GoldenWith("\"spanStep\": 10", "\"spanStep\": 10, \"loadClassLow\": \"乙種\""),
         FieldMessage("conditions.loadClassLow",
                      "荷重区分は \"custom\"、\"otsu\"、\"hei\"、\"kouOtsuLarger\"、\"snow\" "
                      "のどれかを書いてください。")},
        {"bundle as a number", GoldenWith("\"spanStep\": 10", "\"spanStep\": 10, \"bundle\": 1"),
         FieldMessage("conditions.bundle", "true か false を書いてください。")},
        {"units in capitals", GoldenWith("\"version\": 2", "\"version\": 2, \"units\": \"SI\""),
         FieldMessage("units", "\"kgf\" か \"si\" を書いてください。")},
    };
    for (const BadFile& file : files) {
        const CaseReadResult read = ParseCaseFile(file.bytes);
        EXPECT_FALSE(read.caseFile) << file.what;
        EXPECT_EQ(read.error, file.message) << file.what;
        EXPECT_TRUE(read.warnings.empty()) << file.what;
    }
}

// The spans are checked by the section window's own table: a file is refused
// exactly where the table would refuse the same numbers, naming the key.
TEST(CaseFile, SpansAreCheckedByTheSectionWindowsRules) {
    struct SpanCase {
        std::string_view length, height; // of the second span
        std::string_view field;          // refused there, or accepted when empty
    };
    const SpanCase cases[] = {
        {"0", "15", "section.spans[1].length"},
        {"-5", "15", "section.spans[1].length"},
        {"1e39", "15", "section.spans[1].length"},
        {"250", "1e39", "section.spans[1].heightDifference"},
        {"0.001", "-1e30", ""},
    };
    for (const SpanCase& c : cases) {
        const SectionSpansResult table =
            ReadSectionSpans({{"120", "0"}, {std::string(c.length), std::string(c.height)}});
        const CaseReadResult read = ParseCaseFile(
            GoldenWith("\"length\": 250,\n        \"heightDifference\": 15",
                       "\"length\": " + std::string(c.length) +
                           ",\n        \"heightDifference\": " + std::string(c.height)));
        if (c.field.empty()) {
            ASSERT_FALSE(table.refusal) << c.length;
            ASSERT_TRUE(read.caseFile) << read.error;
            EXPECT_EQ(read.caseFile->section.spans, table.spans);
        } else {
            ASSERT_TRUE(table.refusal) << c.length;
            EXPECT_EQ(read.error, FieldMessage(c.field, table.refusal->message)) << c.length;
        }
    }
}

// Values are checked by the conditions window's own OK: a file is refused
// exactly when the window would refuse the same text in that box, with the
// window's message behind the key.
struct FormCase {
    std::string_view from, to; // in the golden file
    int box;                   // the conditions window's box of that key
    std::string_view field;
    std::string_view boxText;
};

TEST(CaseFile, ValuesAreCheckedByTheConditionsWindowsRules) {
    const FormCase cases[] = {
        {"\"temperatureLow\": -15", "\"temperatureLow\": 40000", kBoxTemperatureLow,
         "conditions.temperatureLow", "40000"},
        {"\"spanStep\": 10", "\"spanStep\": 0", kBoxSpanStep, "conditions.spanStep", "0"},
        {"\"windPressureLow\": 50", "\"windPressureLow\": 1e39", kBoxWindPressureLow,
         "conditions.windPressureLow", "1e+39"},
        {"\"elasticModulus\": 9000", "\"elasticModulus\": -1e300", kBoxElasticModulus,
         "wire.elasticModulus", "-1e+300"},
    };
    for (const FormCase& c : cases) {
        ConditionsFormInput input;
        for (int box = 0; box < kConditionsBoxCount; ++box)
            input.boxes[static_cast<std::size_t>(box)] = "1";
        input.boxes[static_cast<std::size_t>(c.box)] = c.boxText;
        const ConditionsFormResult window = ReadConditionsForm(input);
        const CaseReadResult read = ParseCaseFile(GoldenWith(c.from, c.to));
        if (window.refusal) {
            EXPECT_EQ(read.error, FieldMessage(c.field, window.refusal->message)) << c.to;
        } else {
            ASSERT_TRUE(read.caseFile) << c.to << ": " << read.error;
        }
    }
    // These the window refuses today, so the file must be refused too.
    EXPECT_FALSE(
        ParseCaseFile(GoldenWith("\"temperatureLow\": -15", "\"temperatureLow\": 40000")).caseFile);
    EXPECT_FALSE(
        ParseCaseFile(GoldenWith("\"windPressureLow\": 50", "\"windPressureLow\": 1e39")).caseFile);
}

TEST(CaseFile, ConditionsAreStoredAsTheWindowsOkStoresThem) {
    const CaseReadResult read =
        ParseCaseFile(GoldenWith("\"spanStart\": 100", "\"spanStart\": 100.9"));
    ASSERT_TRUE(read.caseFile) << read.error;
    EXPECT_EQ(read.caseFile->conditions.spanStart, 100.0f);
    // The wire constants are the float nearest to the number.
    EXPECT_EQ(ParseCaseFile(GoldenWith("\"area\": 160", "\"area\": 160.3"))
                  .caseFile->conditions.wire.area,
              160.3f);
}

TEST(CaseFile, UnknownKeysAreLeftOutWithAWarning) {
    std::string bytes =
        GoldenWith("\"name\": \"計算例1\",", "\"name\": \"計算例1\", \"colour\": \"red\",");
    bytes.insert(bytes.find("\"title\""), "\"author\": {\"x\": 1},\n  ");
    const CaseReadResult read = ParseCaseFile(bytes);
    ASSERT_TRUE(read.caseFile) << read.error;
    EXPECT_EQ(*read.caseFile, Example1Case());
    EXPECT_EQ(
        read.warnings,
        (std::vector<std::string>{
            "ケースファイルの「author」はこの版では使わない項目なので、読み飛ばしました。",
            "ケースファイルの「wire.colour」はこの版では使わない項目なので、読み飛ばしました。"}));
}

TEST(CaseFile, OptionalPartsTakeTheirDefaults) {
    const std::string wireAndConditions = R"(
        "wire": {"name": "計算例1", "diameterHigh": 18.2, "diameterLow": 18.2, "area": 160,
                 "unitWeight": 0.6, "expansionCoeff": 18, "elasticModulus": 9000, "maxTension": 1500},
        "conditions": {"windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                       "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": 90,
                       "spanStart": 100, "spanEnd": 400, "spanStep": 10})";
    CaseFile expected = Example1Case();
    expected.title.clear();
    expected.section = {};
    for (const std::string& file :
         {R"({"format": "orvalt99-case", "version": 1,)" + wireAndConditions + "}",
          R"({"format": "orvalt99-case", "version": 2,)" + wireAndConditions + "}",
          R"({"format": "orvalt99-case", "version": 2, "section": {}, "fieldCheck": {},)" +
              wireAndConditions + "}"}) {
        const CaseReadResult read = ParseCaseFile(file);
        ASSERT_TRUE(read.caseFile) << read.error;
        EXPECT_EQ(*read.caseFile, expected) << file;
    }
}

// The fuzz target's seeds, replayed here in every build: each is read or
// refused as its name says, and what is read writes back to the same case
// and bytes.
TEST(CaseFile, FuzzSeedsAreReadOrRefusedAndWhatIsReadRoundTrips) {
    const std::filesystem::path corpus =
        std::filesystem::path(ORVALT_SOURCE_DIR) / "fuzz" / "case_corpus";
    const std::vector<std::string> accepted = {"field_check_and_ice.o99case", "golden_v1.o99case",
                                               "golden_v2.o99case", "section_4spans.o99case"};
    std::vector<std::string> seen;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string name = entry.path().filename().string();
        seen.push_back(name);
        const CaseReadResult read = ParseCaseFile(*test::ReadFileBytes(entry.path()));
        const bool expected =
            std::find(accepted.begin(), accepted.end(), name) != accepted.end();
        ASSERT_EQ(read.caseFile.has_value(), expected) << name << ": " << read.error;
        EXPECT_EQ(read.error.empty(), expected) << name;
        if (!read.caseFile) continue;
        const std::string written = EncodeCaseFile(*read.caseFile);
        const CaseReadResult again = ParseCaseFile(written);
        ASSERT_TRUE(again.caseFile) << name << ": " << again.error;
        EXPECT_EQ(*again.caseFile, *read.caseFile) << name;
        EXPECT_EQ(EncodeCaseFile(*again.caseFile), written) << name;
    }
    EXPECT_GE(seen.size(), 10u);
}

class CaseFileOnDisk : public test::TempFolderTest {
protected:
    void SetUp() override { MakeFolder("orvalt_case"); }
};

TEST_F(CaseFileOnDisk, WrittenFileReadsBackAndAMissingOneIsNamed) {
    const std::filesystem::path path = folder_ / "線路 A.o99case";
    ASSERT_TRUE(WriteCaseFile(path, Example1Case()).ok);
    EXPECT_EQ(ReadCaseFile(path).caseFile, Example1Case());
    const CaseReadResult missing = ReadCaseFile(folder_ / "none.o99case");
    EXPECT_FALSE(missing.caseFile);
    EXPECT_NE(missing.error.find("none.o99case"), std::string::npos) << missing.error;
}

// The classes, the 多導体 mark and the units are read as written and reach
// the state with the conditions; a case without them is 任意, single, kg.
TEST(CaseFile, LoadClassesBundleAndUnitsAreKeptWithTheDesign) {
    const CaseReadResult read = ParseCaseFile(GoldenWith(
        "\"spanStep\": 10",
        "\"spanStep\": 10, \"loadClassHigh\": \"kou\", \"loadClassLow\": \"kouOtsuLarger\", "
        "\"bundle\": true"));
    ASSERT_TRUE(read.caseFile) << read.error;
    EXPECT_TRUE(read.warnings.empty());
    CalculationState state;
    ApplyCase(*read.caseFile, state);
    EXPECT_EQ(state.loadClassHigh, LoadClass::kKou);
    EXPECT_EQ(state.loadClassLow, LoadClass::kKouOtsuLarger);
    EXPECT_TRUE(state.bundle);
    EXPECT_EQ(read.caseFile->units, UnitSystem::kKgf);

    const CaseFile plain = *ParseCaseFile(GoldenBytes(kGolden)).caseFile;
    EXPECT_EQ(plain.conditions.loadClassHigh, LoadClass::kCustom);
    EXPECT_EQ(plain.conditions.loadClassLow, LoadClass::kCustom);
    EXPECT_FALSE(plain.conditions.bundle);
    EXPECT_EQ(plain.units, UnitSystem::kKgf);
    const CaseReadResult si =
        ParseCaseFile(GoldenWith("\"version\": 2", "\"version\": 2, \"units\": \"si\""));
    ASSERT_TRUE(si.caseFile) << si.error;
    EXPECT_EQ(si.caseFile->units, UnitSystem::kSi);
}

TEST(CaseFile, ApplyingSetsWhatTheConditionsWindowsOkSets) {
    CalculationState state;
    state.iceThicknessStudy = 4;
    CaseFile c = Example1Case();
    c.conditions.spanStep = 50.0f;
    c.ice = {12, 0.5f};
    ApplyCase(c, state);
    EXPECT_EQ(state.currentWire, test::WorkedExample1());
    EXPECT_EQ(state.spanStep, 50.0f);
    EXPECT_EQ(state.iceThickness, 12);
    EXPECT_EQ(state.iceSpecificGravity, 0.5f);
    EXPECT_EQ(state.iceThicknessStudy, 4);
    EXPECT_EQ(CaseFromState(state, c.title, c.chart, c.section), c);
}

} // namespace
} // namespace orvalt
