// The clearance table as JSON and CSV: the keys scripts read, metres to the
// centimetre with the verdict judged before rounding, and the two tables of
// the CSV.
#include <gtest/gtest.h>

#include <string>

#include "engine/output/clearance_text.h"

namespace orvalt {
namespace {

ClearanceTable Table() {
    ClearanceTable t;
    t.spans = {{7.1249, 63.5, kStudyCondition, 5.0, 2.1249, true},
               {4.996, 210.0, kLowSeason, 5.0, -0.004, false}};
    t.crossings = {{210.0, CrossingKind::kRoad, 1, 8.305, kHighSeason, 6.0, 2.305, true}};
    return t;
}

TEST(ClearanceText, JsonHasTheKeysScriptsRead) {
    EXPECT_EQ(ComposeClearanceJson(Table()),
              "{\n"
              "  \"spans\": [\n"
              "    { \"span\": 1, \"minimumClearance\": 7.12, \"distance\": 63.5, \"condition\": "
              "\"検討条件\", \"required\": 5.0, \"ok\": true },\n"
              "    { \"span\": 2, \"minimumClearance\": 5.0, \"distance\": 210.0, \"condition\": "
              "\"低温季\", \"required\": 5.0, \"ok\": false }\n"
              "  ],\n"
              "  \"crossings\": [\n"
              "    { \"distance\": 210.0, \"kind\": \"道路\", \"clearance\": 8.31, \"condition\": "
              "\"高温季\", \"required\": 6.0, \"ok\": true }\n"
              "  ]\n"
              "}\n");
    EXPECT_EQ(ComposeClearanceJson({}), "{\n  \"spans\": [],\n  \"crossings\": []\n}\n");
}

TEST(ClearanceText, CsvHoldsBothTablesWithTheVerdicts) {
    const std::string csv = ComposeClearanceCsv(Table());
    EXPECT_EQ(csv,
              "\xEF\xBB\xBF"
              "径間,最小離隔[m],距離[m],条件,必要離隔[m],余裕[m],判定,,\r\n"
              "1,7.12,63.50,検討条件,5.00,2.12,可,,\r\n"
              "2,5.00,210.00,低温季,5.00,0.00,不可,,\r\n"
              ",,,,,,,,\r\n"
              "横断物,種類,距離[m],径間,離隔[m],条件,必要離隔[m],余裕[m],判定\r\n"
              "1,道路,210.00,2,8.31,高温季,6.00,2.31,可\r\n");
}

} // namespace
} // namespace orvalt
