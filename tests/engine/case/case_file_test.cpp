// The case file: its exact bytes, the round trip of random designs, every
// kind of refusal with its message, and unknown keys kept out with a warning.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "engine/calculation/stringing_chart.h"
#include "engine/case/case_file.h"
#include "engine/catalogue/catalogue_file.h"
#include "support/golden_file.h"
#include "support/temp_folder.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::ExpectMatchesGolden;
using test::GoldenBytes;

CaseFile Example1Case() {
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    return CaseFromState(state, "○○線 No.12〜No.18", {}, {{120.0f, 0.0f}, {250.0f, 15.0f}});
}

TEST(CaseFile, WorkedExampleIsWrittenAsTheGoldenFile) {
    ExpectMatchesGolden(EncodeCaseFile(Example1Case()), "example_18_2mm.o99case");
}

TEST(CaseFile, GoldenFileReadsBackAsTheWorkedExample) {
    const CaseReadResult read = ParseCaseFile(GoldenBytes("example_18_2mm.o99case"));
    ASSERT_TRUE(read.caseFile) << read.error;
    EXPECT_EQ(*read.caseFile, Example1Case());
    EXPECT_TRUE(read.warnings.empty());
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
    for (int i = whole(0, 3); i > 0; --i) {
        const float height = std::bit_cast<float>(
            std::uniform_int_distribution<std::uint32_t>(0, 0x7F7FFFFF)(random));
        c.section.push_back({RandomConstant(random), whole(0, 1) ? height : -height});
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
    std::string bytes = GoldenBytes("example_18_2mm.o99case");
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

TEST(CaseFile, BadFilesAreRefusedWithTheirMessage) {
    const std::string notCase =
        "orvalt99 のケースファイルではありません。\r\n「format」が "
        "\"orvalt99-case\" のファイルを開いてください。";
    const BadFile files[] = {
        {"not JSON", "{\"format\": x}",
         "ケースファイルを JSON として読めません（12 "
         "バイト目）。\r\nファイルが壊れていないか確かめてください。"},
        {"a JSON array", "[1, 2]", notCase},
        {"wrong format", GoldenWith("orvalt99-case", "orvalt98-case"), notCase},
        {"version 2", GoldenWith("\"version\": 1", "\"version\": 2"),
         "このケースファイルは新しい版（version 2）の orvalt99 で書かれたため、開けません。"},
        {"version 0", GoldenWith("\"version\": 1", "\"version\": 0"),
         FieldMessage("version", "1 を書いてください。")},
        {"missing wire key", GoldenWith("\"area\": 160,", ""),
         "ケースファイルに「wire.area」がありません。"},
        {"missing conditions", GoldenWith("\"conditions\"", "\"condition\""),
         "ケースファイルに「conditions」がありません。"},
        {"a string for a number", GoldenWith("\"spanEnd\": 400", "\"spanEnd\": \"400\""),
         FieldMessage("conditions.spanEnd", "数値を書いてください。")},
        {"a temperature of 1.5", GoldenWith("\"temperatureLow\": -15", "\"temperatureLow\": 1.5"),
         FieldMessage("conditions.temperatureLow", "温度は整数で書いてください。")},
        {"a name with a comma", GoldenWith("計算例1", "計算例,1"),
         FieldMessage("wire.name", *CheckWireName("計算例,1"))},
        {"a name with ä", GoldenWith("計算例1", "ä"),
         FieldMessage("wire.name", *CheckWireName("ä"))},
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
        {"a chart temperature of 40000", GoldenWith("\"to\": 40", "\"to\": 40000"),
         FieldMessage("chart.to", "-32768 から 32767 までの整数を書いてください。")},
        {"a section that is no list", GoldenWith("\"section\": [", "\"section\": 5, \"spans\": ["),
         FieldMessage("section", "[ ] で囲んだ径間の並びを書いてください。")},
        {"a section length of 1e39", GoldenWith("\"length\": 250", "\"length\": 1e39"),
         FieldMessage("section[1].length",
                      "値が大きすぎます。\r\n扱える範囲の数値を書いてください。")},
    };
    for (const BadFile& file : files) {
        const CaseReadResult read = ParseCaseFile(file.bytes);
        EXPECT_FALSE(read.caseFile) << file.what;
        EXPECT_EQ(read.error, file.message) << file.what;
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
    const CaseReadResult read = ParseCaseFile(R"({"format": "orvalt99-case", "version": 1,
        "wire": {"name": "計算例1", "diameterHigh": 18.2, "diameterLow": 18.2, "area": 160,
                 "unitWeight": 0.6, "expansionCoeff": 18, "elasticModulus": 9000, "maxTension": 1500},
        "conditions": {"windPressureHigh": 100, "windPressureLow": 50, "windPressureStudy": 0,
                       "temperatureHigh": 15, "temperatureLow": -15, "temperatureStudy": 90,
                       "spanStart": 100, "spanEnd": 400, "spanStep": 10}})");
    ASSERT_TRUE(read.caseFile) << read.error;
    CaseFile expected = Example1Case();
    expected.title.clear();
    expected.section.clear();
    EXPECT_EQ(*read.caseFile, expected);
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

TEST(CaseFile, ApplyingSetsWhatTheConditionsWindowsOkSets) {
    CalculationState state;
    state.iceThickness = 12;
    CaseFile c = Example1Case();
    c.conditions.spanStep = 50.0f;
    ApplyCase(c, state);
    EXPECT_EQ(state.currentWire, test::WorkedExample1());
    EXPECT_EQ(state.spanStep, 50.0f);
    // A case without the ice brings the start-up ice, as OK brings the boxes'.
    EXPECT_EQ(state.iceThickness, 9);
    EXPECT_EQ(state.iceSpecificGravity, 0.9f);
    EXPECT_EQ(CaseFromState(state, c.title, c.chart, c.section), c);
}

} // namespace
} // namespace orvalt
