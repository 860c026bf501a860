// The section's supports in a case file: written and read back the same,
// left out when the case has none, and every refusal naming its key.
#include <gtest/gtest.h>

#include <string>

#include "engine/case/case_file.h"
#include "support/golden_file.h"

namespace orvalt {
namespace {

// The 18.2 mm golden case (two spans) with `supports` put into its section.
std::string WithSupports(const std::string& supports) {
    std::string text = test::GoldenBytes("example_18_2mm_v2.o99case");
    const std::string spansEnd = "      }\n    ]\n  },\n  \"fieldCheck\"";
    const std::size_t at = text.find(spansEnd);
    EXPECT_NE(at, std::string::npos);
    text.insert(at + std::string("      }\n    ]").size(), ",\n    \"supports\": " + supports);
    return text;
}

TEST(CaseFileSupports, WrittenAndReadBackTheSame) {
    const CaseReadResult plain = ParseCaseFile(test::GoldenBytes("example_18_2mm_v2.o99case"));
    ASSERT_TRUE(plain.caseFile) << plain.error;
    EXPECT_TRUE(plain.caseFile->section.supports.empty());

    const CaseReadResult read = ParseCaseFile(WithSupports(
        R"([{"type": "deadEnd"}, {"type": "suspension", "stringLength": 1.0, "stringWeight": 35.0},)"
        R"( {"type": "deadEnd"}])"));
    ASSERT_TRUE(read.caseFile) << read.error;
    EXPECT_TRUE(read.warnings.empty());
    const std::vector<SectionSupport>& s = read.caseFile->section.supports;
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].type, SupportType::kDeadEnd);
    EXPECT_EQ(s[1].type, SupportType::kSuspension);
    EXPECT_EQ(s[1].stringLength, 1.0);
    EXPECT_EQ(s[1].stringWeight, 35.0);
    EXPECT_EQ(s[2].type, SupportType::kDeadEnd);

    CaseFile changed = *read.caseFile;
    changed.section.supports[1] = {SupportType::kSuspension, 0.1 + 0.2, 1e-3};
    for (const CaseFile& c : {*read.caseFile, changed}) {
        const std::string bytes = EncodeCaseFile(c);
        const CaseReadResult again = ParseCaseFile(bytes);
        ASSERT_TRUE(again.caseFile) << again.error;
        EXPECT_EQ(*again.caseFile, c);
        EXPECT_EQ(EncodeCaseFile(*again.caseFile), bytes);
    }
    changed.section.supports[1] = {SupportType::kFixed, 0.0, 0.0};
    EXPECT_NE(EncodeCaseFile(changed).find(R"("type": "fixed")"), std::string::npos);
    EXPECT_EQ(EncodeCaseFile(*plain.caseFile), test::GoldenBytes("example_18_2mm_v2.o99case"))
        << "a case without supports keeps its bytes";
}

TEST(CaseFileSupports, RefusalsNameTheKey) {
    const struct {
        const char* supports;
        const char* error;
    } cases[] = {
        {R"({"type": "deadEnd"})", "「section.supports」が使えません。"},
        {R"([{"type": "deadEnd"}, {"type": "deadEnd"}])",
         "「section.supports」が使えません。\r\n支持点は径間の数より一つ多く（3）"},
        {R"([{"type": "deadEnd"}, {"type": "pin"}, {"type": "deadEnd"}])",
         "「section.supports[1].type」が使えません。"},
        {R"([{"type": "deadEnd"}, {"stringLength": 1}, {"type": "deadEnd"}])",
         "「section.supports[1].type」"},
        {R"([{"type": "fixed"}, {"type": "fixed"}, {"type": "deadEnd"}])",
         "「section.supports[0].type」が使えません。\r\n区間の両端の支持点は"},
        {R"([{"type": "deadEnd"}, {"type": "suspension", "stringLength": 0}, {"type": "deadEnd"}])",
         "「section.supports[1].stringLength」が使えません。\r\n0 より大きい数"},
        {R"([{"type": "deadEnd"}, {"type": "suspension"}, {"type": "deadEnd"}])",
         "「section.supports[1].stringLength」"},
        {R"([{"type": "deadEnd"}, {"type": "suspension", "stringLength": 1, "stringWeight": -1}, {"type": "deadEnd"}])",
         "「section.supports[1].stringWeight」が使えません。\r\n0 以上の数"},
    };
    for (const auto& c : cases) {
        const CaseReadResult read = ParseCaseFile(WithSupports(c.supports));
        EXPECT_FALSE(read.caseFile) << c.supports;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << c.supports << "\n" << read.error;
    }
    const CaseReadResult warned = ParseCaseFile(WithSupports(
        R"([{"type": "deadEnd"}, {"type": "fixed", "colour": 1}, {"type": "deadEnd"}])"));
    ASSERT_TRUE(warned.caseFile) << warned.error;
    EXPECT_EQ(warned.warnings.size(), 1u);
}

// One "supports" array holds the type and the ground of each support; a file
// with only one of them keeps only that one, and "type" goes on every support
// or on none.
TEST(CaseFileSupports, TypeAndGroundShareTheSupports) {
    const struct {
        const char* supports;
        std::size_t types;
        std::size_t grounds;
    } kept[] = {
        {R"([{"type": "deadEnd", "groundElevation": 100, "attachmentHeight": 12},)"
         R"( {"type": "suspension", "stringLength": 1.5, "stringWeight": 40, "groundElevation": 101,)"
         R"( "attachmentHeight": 14}, {"type": "deadEnd"}])",
         3, 3},
        {R"([{"groundElevation": 100, "attachmentHeight": 12}, {}, {}])", 0, 3},
        {R"([{"type": "deadEnd"}, {"type": "fixed"}, {"type": "deadEnd"}])", 3, 0},
    };
    for (const auto& c : kept) {
        const CaseReadResult read = ParseCaseFile(WithSupports(c.supports));
        ASSERT_TRUE(read.caseFile) << c.supports << "\n" << read.error;
        EXPECT_TRUE(read.warnings.empty()) << c.supports;
        EXPECT_EQ(read.caseFile->section.supports.size(), c.types) << c.supports;
        EXPECT_EQ(read.caseFile->section.clearance.supports.size(), c.grounds) << c.supports;
        const std::string bytes = EncodeCaseFile(*read.caseFile);
        EXPECT_EQ(bytes.find("\"supports\""), bytes.rfind("\"supports\"")) << bytes;
        const CaseReadResult again = ParseCaseFile(bytes);
        ASSERT_TRUE(again.caseFile) << again.error << "\n" << bytes;
        EXPECT_EQ(*again.caseFile, *read.caseFile) << bytes;
    }
    const CaseReadResult both = ParseCaseFile(WithSupports(kept[0].supports));
    ASSERT_TRUE(both.caseFile);
    EXPECT_EQ(both.caseFile->section.supports[1].stringLength, 1.5);
    EXPECT_EQ(both.caseFile->section.clearance.supports[1].attachmentHeight, 14.0);
    EXPECT_FALSE(both.caseFile->section.clearance.supports[2].groundElevation);

    const struct {
        const char* supports;
        const char* error;
    } refused[] = {
        {R"([{"type": "deadEnd", "groundElevation": 100, "attachmentHeight": 12},)"
         R"( {"groundElevation": 101, "attachmentHeight": 14}, {"type": "deadEnd"}])",
         "「section.supports[1].type」"},
        {R"([{"type": "deadEnd"}, {"type": "fixed", "groundElevation": 101}, {"type": "deadEnd"}])",
         "「section.supports[1]」が使えません。"},
        {R"([{"groundElevation": 100, "attachmentHeight": 12}, {}])",
         "「section.supports」が使えません。\r\n支持点は径間の数より一つ多く（3）"},
    };
    for (const auto& c : refused) {
        const CaseReadResult read = ParseCaseFile(WithSupports(c.supports));
        EXPECT_FALSE(read.caseFile) << c.supports;
        EXPECT_NE(read.error.find(c.error), std::string::npos) << c.supports << "\n" << read.error;
    }
}

} // namespace
} // namespace orvalt
