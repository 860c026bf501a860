// The helpers of the windows that show wire records: selecting a box's whole
// text, and the seven constants written through their display patterns.
#include <QLineEdit>
#include <QList>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "support/wire_records.h"
#include "ui/base/form_helpers.h"

namespace orvalt::test {
namespace {

TEST(SelectAllTextTest, SelectsTheWholeTextOrNothingInAnEmptyBox) {
    QLineEdit box;
    box.setText(QStringLiteral("計算例 18.2"));
    box.setCursorPosition(3);
    SelectAllText(&box);
    EXPECT_EQ(box.selectedText(), box.text());
    EXPECT_EQ(box.selectionStart(), 0);

    box.clear();
    SelectAllText(&box);
    EXPECT_FALSE(box.hasSelectedText());
    EXPECT_EQ(box.cursorPosition(), 0);
}

struct RecordCase {
    WireRecord record;
    std::array<const char*, 7> shown;
};

class ShowWireRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ShowWireRecordTest, WritesTheSevenBoxesThroughTheirPatterns) {
    std::vector<std::unique_ptr<QLineEdit>> owned;
    QList<QLineEdit*> boxes;
    for (int i = 0; i < 8; ++i) {
        owned.push_back(std::make_unique<QLineEdit>(QStringLiteral("untouched")));
        boxes.push_back(owned.back().get());
    }
    ShowWireRecord(GetParam().record, boxes);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(boxes[i]->text(), QLatin1String(GetParam().shown[i])) << i;
    EXPECT_EQ(boxes[7]->text(), QStringLiteral("untouched")) << "only Text1(0)..Text1(6)";
}

INSTANTIATE_TEST_SUITE_P(
    Records, ShowWireRecordTest,
    ::testing::Values(RecordCase{WireRecord{}, {"0.00", "0", "0.0000", "0.00", "0.0", "0.0", "0"}},
                      RecordCase{{.wireName = "x",
                                  .diameterHigh = 18.2f,
                                  .diameterLow = 18.25f,
                                  .area = 160.0f,
                                  .unitWeight = 0.6f,
                                  .expansionCoeff = 18.0f,
                                  .elasticModulus = 9000.0f,
                                  .maxTension = 1500.0f},
                                 {"18.00", "9000", "0.6000", "160.00", "18.2", "18.3", "1500"}},
                      RecordCase{{.wireName = "x",
                                  .diameterHigh = 18.29f,
                                  .diameterLow = 18.29f,
                                  .area = 198.1f,
                                  .unitWeight = 0.60123f,
                                  .expansionCoeff = 19.2f,
                                  .elasticModulus = 8902.4f,
                                  .maxTension = 2557.5f},
                                 {"19.20", "8902", "0.6012", "198.10", "18.3", "18.3", "2558"}},
                      RecordCase{{.wireName = "x",
                                  .diameterHigh = -1.0f,
                                  .diameterLow = 123456.0f,
                                  .area = 0.005f,
                                  .unitWeight = 12.34567f,
                                  .expansionCoeff = 0.004f,
                                  .elasticModulus = 0.5f,
                                  .maxTension = 99999.0f},
                                 {"0.00", "1", "12.3457", "0.01", "-1.0", "123456.0", "99999"}}),
    [](const ::testing::TestParamInfo<RecordCase>& info) {
        return "Record" + std::to_string(info.index);
    });

} // namespace
} // namespace orvalt::test
