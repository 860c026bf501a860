// The usage text shipped beside the program must say what the program does.
// Here: how the report's template number (定規) follows from the K value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "engine/calculation/calculation_state.h"
#include "engine/catalogue/cp932.h"
#include "engine/forms/conditions_form.h"
#include "support/files.h"

namespace orvalt {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string ShippedUsageText() {
    const std::filesystem::path path =
        std::filesystem::path(ORVALT_SOURCE_DIR) / "data" / "orvalt99.txt";
    const std::optional<std::string> bytes = test::ReadFileBytes(path);
    EXPECT_TRUE(bytes && !bytes->empty()) << path;
    const std::optional<std::string> text = DecodeCp932(bytes.value_or(""));
    EXPECT_TRUE(text) << "not code page 932: " << path;
    return text.value_or("");
}

TEST(ShippedUsageText, StatesHowTheTemplateNumberFollowsFromTheKValue) {
    const std::string text = ShippedUsageText();
    // Not every number in the template column is a template of the table:
    // below 70 and from 160 on the column repeats the K value.
    EXPECT_THAT(text, Not(HasSubstr("番号（71 から 160）")));
    EXPECT_THAT(text, HasSubstr("K値が 70 から 159 のとき：K値以上で最も小さい定規の番号\r\n"));
    EXPECT_THAT(text, HasSubstr("K値が 69 以下、または 160 以上のとき：K値と同じ数"));
    EXPECT_THAT(text, HasSubstr("K値 75 なら 77"));
    EXPECT_THAT(text, HasSubstr("K値 59 なら 59"));

    // The templates listed are those of the program's table, in its order.
    std::string listed;
    for (const std::int16_t number : templateTable) {
        listed += (listed.empty() ? "" : "、") + std::to_string(number);
    }
    EXPECT_THAT(text, HasSubstr("（" + listed + " から選びます。"));
}

// The ice boxes are read on OK: the text gives the ranges the form accepts.
TEST(ShippedUsageText, SaysWhatTheIceBoxesAccept) {
    const std::string text = ShippedUsageText();
    EXPECT_THAT(text, Not(HasSubstr("被氷の欄は表示だけ")));
    EXPECT_THAT(text, HasSubstr("被氷の欄（mm、0 から " + std::to_string(kIceThicknessMax) + "）"));
    EXPECT_THAT(text, HasSubstr("比重の欄（0.1 から 1.0）"));
}

TEST(ShippedUsageText, KeepsItsCrLfLineEnds) {
    const std::string text = ShippedUsageText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
        }
        if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
        }
    }
}

} // namespace
} // namespace orvalt
