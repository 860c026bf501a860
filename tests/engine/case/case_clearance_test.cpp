// The case file's ground, crossings and voltage: a section object written
// and read back as it was, each refusal naming its key, and the height
// differences of a case checked against its ground.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/case/case_file.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

CaseFile GroundCase() {
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    CaseFile c = CaseFromState(state, "離隔", {});
    c.section.spans = {{180.0f, 4.5f}, {220.3f, -7.5f}};
    CaseClearance& clearance = c.section.clearance;
    clearance.supports = {{100.0, 12.0}, {104.5, 12.0}, {98.0, 11.0}};
    clearance.ground = {{60.0, 101.2}, {250.25, 103.0}};
    clearance.crossings = {{300.0, CrossingKind::kRoad, 100.4, std::nullopt},
                           {120.0, CrossingKind::kLine, 109.0, 1.2}};
    clearance.voltage = LineVoltage{VoltageClass::kExtraHigh, 66.0};
    clearance.groundClearance = 6.5;
    clearance.creepAllowance = 15;
    return c;
}

TEST(CaseClearance, SectionObjectReadsBackAsWritten) {
    const CaseFile written = GroundCase();
    const std::string bytes = EncodeCaseFile(written);
    const CaseReadResult read = ParseCaseFile(bytes);
    ASSERT_TRUE(read.caseFile) << read.error << "\n" << bytes;
    EXPECT_EQ(*read.caseFile, written) << bytes;
    EXPECT_TRUE(read.warnings.empty());
    EXPECT_NE(bytes.find("\"kind\": \"電線・通信線\""), std::string::npos) << bytes;
    // Without any of the keys the section has none of them.
    CaseFile plain = written;
    plain.section.clearance = {};
    for (const char* key : {"supports", "ground", "crossings", "voltage", "creepAllowance"}) {
        EXPECT_EQ(EncodeCaseFile(plain).find(key), std::string::npos) << key;
    }
}

TEST(CaseClearance, RefusalsNameTheKey) {
    const std::string bytes = EncodeCaseFile(GroundCase());
    struct Case {
        const char* from;
        const char* to;
        const char* field;
    } const cases[] = {
        {"\"kind\": \"道路\"", "\"kind\": 3", "section.crossings[0].kind"},
        {"\"voltageClass\": \"特別高圧\"", "\"voltageClass\": \"超高圧\"", "section.voltageClass"},
        {"\"voltage\": 66.0", "\"voltage\": 6.6", "section.voltage"},
        {"\"creepAllowance\": 15", "\"creepAllowance\": 2.5", "section.creepAllowance"},
        {"\"elevation\": 101.2", "\"elevation\": \"高い\"", "section.ground[0].elevation"},
        {"\"attachmentHeight\": 11.0", "\"attachment\": 11.0", "section.supports[2]"},
        {"\"distance\": 300.0, ", "", "section.crossings[0].distance"},
    };
    for (const Case& c : cases) {
        std::string changed = bytes;
        const std::size_t at = changed.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        changed.replace(at, std::string(c.from).size(), c.to);
        const CaseReadResult read = ParseCaseFile(changed);
        EXPECT_FALSE(read.caseFile) << c.field;
        EXPECT_EQ(
            read.error.rfind("ケースファイルの「" + std::string(c.field) + "」が使えません。", 0),
            0u)
            << read.error;
    }
}

TEST(CaseClearance, TypedHeightDifferencesMustFollowTheGround) {
    CaseFile c = GroundCase();
    CalculationState state;
    ApplyCase(c, state);
    RunCalculation(state);
    EXPECT_EQ(ComputeCaseClearance(c, state).spans.size(), 2u); // 4.5 and -7.5 agree
    c.section.spans[1].heightDifference = -7.49f;
    try {
        ComputeCaseClearance(c, state);
        FAIL() << "a height difference 10 mm off was accepted";
    } catch (const CalculationError& e) {
        EXPECT_NE(std::string(e.what()).find("径間 2 の高低差 -7.49 m が"), std::string::npos)
            << e.what();
    }
}

// The case's supports hang the wire: a suspension string in the middle
// swings and moves the clamp, so the clearances are those of the exact
// section on those supports, not on fixed ones.
TEST(CaseClearance, TheCasesSupportsHangTheWire) {
    CaseFile c = GroundCase();
    CalculationState state;
    ApplyCase(c, state);
    RunCalculation(state);
    const ClearanceTable fixed = ComputeCaseClearance(c, state);
    c.section.supports = {{SupportType::kDeadEnd, 0.0, 0.0},
                          {SupportType::kSuspension, 1.5, 40.0},
                          {SupportType::kDeadEnd, 0.0, 0.0}};
    const ClearanceTable strung = ComputeCaseClearance(c, state);
    ClearanceProfile profile = ClearanceProfileOf(c.section.clearance, {180.0, 220.3});
    profile.sectionSupports = c.section.supports;
    profile.stringingTemperature = c.section.stringingTemperature;
    const ClearanceTable expected = ComputeClearance(state, profile);
    ASSERT_EQ(strung.crossings.size(), 2u);
    bool moved = false;
    for (std::size_t i = 0; i < strung.spans.size(); ++i) {
        EXPECT_EQ(strung.spans[i].minimumClearance, expected.spans[i].minimumClearance) << i;
        moved |=
            std::abs(strung.spans[i].minimumClearance - fixed.spans[i].minimumClearance) > 1e-4;
    }
    for (std::size_t i = 0; i < strung.crossings.size(); ++i) {
        EXPECT_EQ(strung.crossings[i].clearance, expected.crossings[i].clearance) << i;
        moved |= std::abs(strung.crossings[i].clearance - fixed.crossings[i].clearance) > 1e-4;
    }
    EXPECT_TRUE(moved) << "the suspension string changed no clearance";
}

} // namespace
} // namespace orvalt
