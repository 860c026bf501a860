// The case document: which changes mark it, what opening and saving clear,
// and that a refused open or a failed save leaves it as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "engine/case/case_document.h"
#include "support/files.h"
#include "support/temp_folder.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

ConditionsValues Example1Conditions() {
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    return CaseFromState(state).conditions;
}

class CaseDocumentTest : public test::TempFolderTest {
protected:
    void SetUp() override { MakeFolder("orvalt_document"); }

    // A document with conditions, saved as `name`: nothing unsaved.
    CaseDocument SavedDocument(const std::string& name) {
        CaseDocument document;
        document.setConditions(Example1Conditions());
        EXPECT_TRUE(document.save(folder_ / name).ok);
        return document;
    }
};

// Every setter marks a saved document when it changes what the document
// holds, and only then; each change tells the host once.
TEST_F(CaseDocumentTest, MarkedByEveryChangeAndByNothingElse) {
    struct Row {
        const char* what;
        std::function<void(CaseDocument&)> edit;
        bool marks;
    };
    const ConditionsValues conditions = Example1Conditions();
    ConditionsValues warmer = conditions;
    warmer.temperatureStudy = 80;
    const Row rows[] = {
        {"same conditions", [&](CaseDocument& d) { d.setConditions(conditions); }, false},
        {"study temperature", [&](CaseDocument& d) { d.setConditions(warmer); }, true},
        {"same title", [](CaseDocument& d) { d.setTitle(""); }, false},
        {"title", [](CaseDocument& d) { d.setTitle("○○線"); }, true},
        {"same chart", [](CaseDocument& d) { d.setChart(CaseChartRange{}); }, false},
        {"chart", [](CaseDocument& d) { d.setChart({-10, 60, 10}); }, true},
        {"no section", [](CaseDocument& d) { d.setSectionSpans({}); }, false},
        {"section", [](CaseDocument& d) { d.setSectionSpans({{120.0f, 5.0f}}); }, true},
        {"same whole section", [](CaseDocument& d) { d.setSection(CaseSection{}); }, false},
        {"stringing temperature",
         [](CaseDocument& d) { d.setSection({.stringingTemperature = 20, .spans = {}, .supports = {}, .clearance = {}}); }, true},
        {"supports",
         [](CaseDocument& d) {
             d.setSection({.spans = {{120.0f, 5.0f}, {90.0f, 0.0f}},
                           .supports = {{SupportType::kDeadEnd},
                                        {SupportType::kSuspension, 1.0, 35.0},
                                        {SupportType::kDeadEnd}},
                           .clearance = {}});
         },
         true},
        {"same field check", [](CaseDocument& d) { d.setFieldCheck(CaseFieldCheck{}); }, false},
        {"sighting height", [](CaseDocument& d) { d.setFieldCheck({kDefaultWaves, 2.5}); },
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CaseDocument document = SavedDocument("a.o99case");
        int told = 0;
        document.setChangeHandler([&told] { ++told; });
        row.edit(document);
        EXPECT_EQ(document.modified(), row.marks);
        EXPECT_EQ(document.hasUnsavedChanges(), row.marks);
        EXPECT_EQ(told, row.marks ? 1 : 0);
    }
}

// The first conditions are a change, even equal to the empty ones; before
// them there is nothing to save, whatever else changed.
TEST_F(CaseDocumentTest, NothingToSaveBeforeTheFirstConditions) {
    CaseDocument document;
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(document.displayName(), "無題");
    document.setTitle("表題だけ");
    EXPECT_TRUE(document.modified());
    EXPECT_FALSE(document.hasUnsavedChanges());
    document.setConditions(ConditionsValues{});
    EXPECT_TRUE(document.hasConditions());
    EXPECT_TRUE(document.hasUnsavedChanges());
}

// Saving writes what the document holds and makes its file the document's;
// opening that file gives the same content, unmodified.
TEST_F(CaseDocumentTest, SaveThenOpenGivesTheSameCaseUnmodified) {
    CaseDocument document;
    document.setConditions(Example1Conditions());
    document.setTitle("○○線 No.12〜No.18");
    document.setChart({-5, 35, 5});
    document.setSectionSpans({{120.0f, 0.0f}, {250.0f, 15.0f}});
    document.setFieldCheck({4, 2.5});
    const auto path = folder_ / std::filesystem::path(u8"線路.o99case");
    ASSERT_TRUE(document.save(path).ok);
    EXPECT_FALSE(document.modified());
    EXPECT_EQ(document.displayName(), "線路.o99case");

    CaseDocument reopened;
    const CaseReadResult read = reopened.open(path);
    ASSERT_TRUE(read.caseFile) << read.error;
    EXPECT_EQ(reopened.content(), document.content());
    EXPECT_EQ(reopened.path(), path);
    EXPECT_TRUE(reopened.hasConditions());
    EXPECT_FALSE(reopened.modified());
}

// A section whose supports carry types, strings and ground keeps one support
// more than spans when the spans change in number, so the saved file opens
// again; the supports that remain keep what they had.
TEST_F(CaseDocumentTest, SupportsFollowTheSpansInNumberAndTheFileOpensAgain) {
    const std::vector<SectionSpan> three = {{120.0f, 0.0f}, {250.0f, 15.0f}, {180.0f, -5.0f}};
    for (const std::size_t spanCount : {std::size_t{1}, std::size_t{2}, std::size_t{5}}) {
        CaseDocument document;
        document.setConditions(Example1Conditions());
        CaseSection section;
        section.spans = three;
        section.supports = {{.type = SupportType::kDeadEnd},
                            {.type = SupportType::kSuspension, .stringLength = 1.0, .stringWeight = 35.0},
                            {.type = SupportType::kFixed},
                            {.type = SupportType::kDeadEnd}};
        section.clearance.supports = {{100.0, 16.0}, {104.5, 16.0}, {98.0, 15.0}, {101.0, 16.0}};
        document.setSection(section);
        std::vector<SectionSpan> spans(spanCount, SectionSpan{150.0f, 1.0f});
        document.setSectionSpans(spans);

        const CaseSection& fitted = document.content().section;
        ASSERT_EQ(fitted.supports.size(), spanCount + 1);
        ASSERT_EQ(fitted.clearance.supports.size(), spanCount + 1);
        EXPECT_EQ(fitted.supports.front().type, SupportType::kDeadEnd);
        EXPECT_EQ(fitted.supports.back().type, SupportType::kDeadEnd);
        if (spanCount >= 2) {
            EXPECT_EQ(fitted.supports[1], section.supports[1]) << spanCount;
        }
        EXPECT_EQ(fitted.clearance.supports[0], section.clearance.supports[0]);

        const auto path = folder_ / ("fitted" + std::to_string(spanCount) + ".o99case");
        ASSERT_TRUE(document.save(path).ok);
        CaseDocument reopened;
        const CaseReadResult read = reopened.open(path);
        ASSERT_TRUE(read.caseFile) << spanCount << ": " << read.error;
        EXPECT_EQ(reopened.content().section.spans, spans);
        EXPECT_EQ(reopened.content().section.supports, fitted.supports);
    }
}

// A file the reader refuses, and a save that cannot be written, leave the
// document, its file and its mark as they were.
TEST_F(CaseDocumentTest, RefusedOpenAndFailedSaveChangeNothing) {
    CaseDocument document = SavedDocument("a.o99case");
    document.setTitle("変更");
    const CaseFile before = document.content();

    const auto bad = folder_ / "bad.o99case";
    test::WriteFileBytes(bad, "{ not json");
    EXPECT_FALSE(document.open(bad).caseFile);
    EXPECT_FALSE(document.save(folder_ / "no such folder" / "b.o99case").ok);

    EXPECT_EQ(document.content(), before);
    EXPECT_EQ(document.path(), folder_ / "a.o99case");
    EXPECT_TRUE(document.modified());
}

} // namespace
} // namespace orvalt
