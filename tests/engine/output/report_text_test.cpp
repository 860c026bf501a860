// The result report's fixed-column layout, from states set up by hand.

#include "engine/output/report_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/golden_file.h"
#include "support/result_rows.h"

namespace orvalt {
namespace {

using test::Block;

using test::SplitLines;

using test::ExpectMatchesGolden;

SpanRow Row(float span, ConditionResult high, ConditionResult low, ConditionResult study) {
    high.span = low.span = study.span = span;
    SpanRow row;
    row.block = {high, low, study};
    return row;
}

// A report of the made-up ACSR 160 wire: the start-up conditions, chosen load
// factors and two table rows, the second with a two-digit span.
CalculationState Acsr160State() {
    CalculationState state;
    state.currentWire.wireName = "ACSR 160";
    state.currentWire.area = 160.5f;
    state.currentWire.diameterHigh = 18.2f;
    state.currentWire.diameterLow = 18.2f;
    state.currentWire.unitWeight = 0.6184f;
    state.currentWire.elasticModulus = 8000.0f;
    state.currentWire.expansionCoeff = 18.9f;
    state.currentWire.maxTension = 1500.0f; // not in the report
    state.loadFactorHigh = 1.234567f;
    state.loadFactorLow = 2.345678f;
    state.loadFactorStudy = 1.0f;
    state.weightPerArea = 0.0038529; // not in the report
    state.maxStress = 9.345794f;     // not in the report
    state.hasCriticalSpan = false;
    state.resultTable = {
        Row(150.0f, Block(0, 2.345f, 1234.56f, 75, 77), Block(0, 1.987f, 1456.78f, 64, 64),
            Block(0, 3.456f, 987.65f, 88, 90)),
        Row(90.0f, Block(0, 0.842f, 1301.2f, 93, 98), Block(0, 0.711f, 1456.78f, 104, 106),
            Block(0, 1.512f, 987.65f, 163, 163)),
    };
    return state;
}

std::string Spaces(std::size_t count) { return std::string(count, ' '); }

TEST(ComposeResultReport, ReproducesTheAcsr160LayoutByteForByte) {
    ExpectMatchesGolden(ComposeResultReport(Acsr160State()), "acsr160_layout.txt");
}

TEST(ComposeResultReport, EndsEveryLineWithCrLfAndUsesNoTabs) {
    const std::string text = ComposeResultReport(Acsr160State());
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find('\t'), std::string::npos);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(text[i - 1], '\r') << "lone LF at byte " << i;
        }
        if (text[i] == '\r') {
            ASSERT_LT(i + 1, text.size());
            EXPECT_EQ(text[i + 1], '\n') << "lone CR at byte " << i;
        }
    }
}

TEST(ComposeResultReport, HasTwentyTwoLinesBeforeOneLinePerRow) {
    CalculationState state = Acsr160State();
    EXPECT_EQ(SplitLines(ComposeResultReport(state)).size(), 24u);

    state.resultTable.clear();
    for (int i = 0; i <= 30; ++i) {
        const float span = 100.0f + 10.0f * static_cast<float>(i);
        state.resultTable.push_back(Row(span, Block(0, 1.0f, 1000.0f, 80, 80),
                                        Block(0, 1.0f, 1500.0f, 75, 77),
                                        Block(0, 2.0f, 300.0f, 110, 114)));
    }
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    ASSERT_EQ(lines.size(), 22u + 31u);
    EXPECT_EQ(lines[22].substr(0, 5), "  100");
    EXPECT_EQ(lines[52].substr(0, 5), "  400");
}

TEST(ComposeResultReport, WritesTheWireNameAsStored) {
    CalculationState state = Acsr160State();
    state.currentWire.wireName = "ＡＣＳＲ ①㈱ｿ 160mm²";
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[2], "線\u3000\u3000\u3000種          :  ＡＣＳＲ ①㈱ｿ 160mm²");
}

TEST(ComposeResultReport, LeavesZeroKValueAndTemplateColumnsBlank) {
    CalculationState state = Acsr160State();
    state.resultTable = {Row(150.0f, Block(0, 2.345f, 1234.56f, 0, 0),
                             Block(0, 1.987f, 1456.78f, 64, 0), Block(0, 3.456f, 987.65f, 0, 90))};
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    ASSERT_EQ(lines.size(), 23u);
    // Each zero leaves its four columns blank; the line keeps its length.
    EXPECT_EQ(lines[22],
              "  150"
              "    2.345"
              "  1234.56" +
                  Spaces(4) + Spaces(4) +
                  "    1.987"
                  "  1456.78"
                  "  64" +
                  Spaces(4) +
                  "    3.456"
                  "   987.65" +
                  Spaces(4) + "  90");
    EXPECT_EQ(lines[22].size(), 83u);
}

// The span is written unpadded: its width shifts the rest of the line.
struct SpanWidthCase {
    float span;
    const char* lineStart;
    std::size_t lineLength;
};

std::ostream& operator<<(std::ostream& os, const SpanWidthCase& c) {
    return os << "span " << c.span;
}

class SpanWidthTest : public testing::TestWithParam<SpanWidthCase> {};

TEST_P(SpanWidthTest, ShiftsTheRestOfTheLine) {
    CalculationState state = Acsr160State();
    state.resultTable = {Row(GetParam().span, Block(0, 2.345f, 1234.56f, 75, 77),
                             Block(0, 1.987f, 1456.78f, 64, 64),
                             Block(0, 3.456f, 987.65f, 88, 90))};
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    ASSERT_EQ(lines.size(), 23u);
    const std::string rest =
        "    2.345  1234.56  75  77    1.987  1456.78  64  64    3.456   987.65  88  90";
    EXPECT_EQ(lines[22], GetParam().lineStart + rest);
    EXPECT_EQ(lines[22].size(), GetParam().lineLength);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, SpanWidthTest,
    testing::Values(SpanWidthCase{90.0f, "  90", 82}, SpanWidthCase{150.0f, "  150", 83},
                    SpanWidthCase{1500.0f, "  1500", 84}, SpanWidthCase{32767.0f, "  32767", 85},
                    SpanWidthCase{5.0f, "  5", 81},
                    SpanWidthCase{0.0f, "  ", 80},       // "####" writes 0 as nothing
                    SpanWidthCase{99.5f, "  100", 83})); // halves away from zero

TEST(ComposeResultReport, KeepsTheSignOfNegativeTemperaturesInTheirColumns) {
    CalculationState state = Acsr160State();
    state.temperatureHigh = -5;
    state.temperatureLow = -30;
    state.temperatureStudy = -140;
    state.windPressureStudy = 80.0f;
    state.iceThicknessStudy = 12;
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[12], "高温季  " + Spaces(9) + "100.0" + Spaces(10) + "-5.0");
    EXPECT_EQ(lines[13], "低温季  " + Spaces(10) + "50.0" + Spaces(9) + "-30.0" + Spaces(12) +
                             "9.00" + Spaces(13) + "0.900");
    EXPECT_EQ(lines[14],
              "検討条件" + Spaces(10) + "80.0" + Spaces(8) + "-140.0" + Spaces(11) + "12.00");
}

TEST(ComposeResultReport, WritesLoadFactorsBelowOneWithoutLeadingZero) {
    CalculationState state = Acsr160State();
    state.loadFactorHigh = 0.5f;
    state.loadFactorLow = 0.9999999f;
    state.loadFactorStudy = 12.3456789f;
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[18],
              Spaces(8) + ".500000" + Spaces(15) + "1.000000" + Spaces(12) + "12.345680");
}

TEST(ComposeResultReport, WritesTheCriticalSpanUnderItsHeadingWhenThereIsOne) {
    CalculationState state = Acsr160State();
    state.hasCriticalSpan = true;
    state.criticalSpan = 308.32714;
    std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[18], Spaces(7) + "1.234567" + Spaces(15) + "2.345678" + Spaces(13) +
                             "1.000000" + Spaces(7) + "308.33");
    // The value ends three columns before the end of its heading, like the
    // load factors; the heading's full-width characters take two columns.
    const std::string heading = lines[17];
    std::size_t headingColumns = 0;
    for (std::size_t i = 0; i < heading.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(heading[i]);
        if (c < 0x80) {
            headingColumns += 1;
        } else if (c >= 0xE0) {
            headingColumns += 2; // three-byte UTF-8: full-width here
        }
    }
    EXPECT_EQ(lines[18].size() + 3, headingColumns);

    // Rounded to float first, then written with two decimals.
    state.criticalSpan = 1234.5650000000001; // float 1234.56494..., 7 digits 1234.565
    lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[18].substr(lines[18].size() - 13), Spaces(6) + "1234.57");

    // Without a critical span the line ends after the study load factor,
    // whatever the field holds.
    state.hasCriticalSpan = false;
    lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[18],
              Spaces(7) + "1.234567" + Spaces(15) + "2.345678" + Spaces(13) + "1.000000");
}

TEST(ComposeResultReport, WritesValuesLongerThanTheirColumnsWhole) {
    CalculationState state = Acsr160State();
    state.windPressureHigh = 1e13f;
    state.resultTable = {Row(32767.0f, Block(0, 198980.2f, 1234567.0f, 12345, 32767),
                             Block(0, 12345.678f, 999.994f, 81, 85),
                             Block(0, 1.0f, 0.004f, 1, 71))};
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[12], "高温季  10000000000000.0" + Spaces(10) + "15.0");
    EXPECT_EQ(lines[22], std::string("  32767"
                                     "198980.200"
                                     "1234567.00"
                                     "12345"
                                     "32767") +
                             "12345.680"
                             "   999.99"
                             "  81"
                             "  85" +
                             "    1.000"
                             "      .00"
                             "   1"
                             "  71");
}

TEST(ComposeResultReport, WritesAHugeCriticalSpanWithoutUndefinedBehaviour) {
    CalculationState state = Acsr160State();
    state.hasCriticalSpan = true;
    state.criticalSpan = 1e300; // beyond float: the calculation would have failed first
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    EXPECT_EQ(lines[18].substr(lines[18].size() - 13), Spaces(10) + "inf");
}

TEST(ComposeResultReport, ComposesAnEmptyTableAsTheHeaderAlone) {
    CalculationState state = Acsr160State();
    state.resultTable.clear();
    const std::vector<std::string> lines = SplitLines(ComposeResultReport(state));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[21].substr(0, 8), "        ");
}

// Composing leaves nothing behind for the next report: the same state gives
// the golden text a second time.
TEST(ComposeResultReport, GivesTheSameTextASecondTime) {
    const CalculationState state = Acsr160State();
    ExpectMatchesGolden(ComposeResultReport(state), "acsr160_layout.txt");
    ExpectMatchesGolden(ComposeResultReport(state), "acsr160_layout.txt");
}

// A whole report written out by hand: a one-row table of a made-up wire whose
// every value has a different width, the conditions left as they start.
TEST(ComposeResultReport, WritesASmallReportLineForLine) {
    CalculationState state;
    state.currentWire = {.wireName = "W",
                         .diameterHigh = 5.0f,
                         .diameterLow = 6.5f,
                         .area = 22.0f,
                         .unitWeight = 0.2f,
                         .expansionCoeff = 23.0f,
                         .elasticModulus = 7000.0f,
                         .maxTension = 420.0f};
    state.loadFactorHigh = 4.0f;
    state.loadFactorLow = 3.5f;
    state.loadFactorStudy = 1.0f;
    state.hasCriticalSpan = false;
    state.resultTable = {Row(30.0f, Block(0, 0.5f, 400.0f, 70, 71), Block(0, 0.25f, 420.0f, 0, 0),
                             Block(0, 1.0f, 99.5f, 160, 160))};
    const std::vector<std::string> expected = {
        "                    /* 最大使用張力計算表 */",
        "///// 架渉線定数 /////",
        "線\u3000\u3000\u3000種          :  W",
        "計算断面積  [mm2]   :  22.00",
        "外径(高温季)[mm]    :  5.00",
        "外径(低温季)[mm]    :  6.50",
        "単位長重量  [kg/m]  :  0.20000",
        "弾性係数    [kg/mm2]:  7000.0",
        "線膨張係数  [/℃]   :  23.00*10^-6",
        "",
        "///// 基本条件 /////",
        "        架渉線風圧[kg/m2]      温度[℃]       被氷[mm2]          比重",
        "高温季           100.0          15.0",
        "低温季            50.0         -15.0            9.00             0.900",
        "検討条件           0.0          90.0            0.00",
        "",
        "計算結果",
        "高温季負荷係数[QH]     低温季負荷係数[QL]   検討時負荷係数[Qs]  臨界径間[m]",
        "       4.000000               3.500000             1.000000",
        "",
        "径間[m]    ***本線高温季***          ***本線低温季***          ***本線検討条件***",
        "        弛 度   張 力   K値 定規  弛 度   張 力   K値 定規  弛 度   張 力   K値 定規",
        "  30    0.500   400.00  70  71    0.250   420.00            1.000    99.50 160 160",
    };
    EXPECT_EQ(SplitLines(ComposeResultReport(state)), expected);
}

} // namespace
} // namespace orvalt
