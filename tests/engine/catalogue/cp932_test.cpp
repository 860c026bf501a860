// Code page 932 as Windows writes it: the Microsoft mappings (0x5C is a
// backslash, 81 60 is U+FF5E, the NEC and IBM rows) and a strict refusal of
// bytes and characters it has no code for.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/catalogue/cp932.h"

namespace orvalt {
namespace {

TEST(Cp932, MicrosoftMappingsAndStrictErrors) {
    EXPECT_EQ(DecodeCp932("\x5c"), "\\");     // not a yen sign
    EXPECT_EQ(DecodeCp932("\x81\x60"), "～"); // U+FF5E, not U+301C
    EXPECT_EQ(DecodeCp932("\x87\x40\x87\x8a"), "①㈱");
    EXPECT_EQ(DecodeCp932("\xfa\x40"), "ⅰ");
    EXPECT_EQ(DecodeCp932("\xb1\xdd"), "ｱﾝ");
    EXPECT_EQ(DecodeCp932("\x83\x5c"), "ソ");
    EXPECT_EQ(DecodeCp932("\x81\x7f"), std::nullopt); // 0x7F is no trail byte
    EXPECT_EQ(DecodeCp932("\x83"), std::nullopt);     // cut off
    EXPECT_EQ(EncodeCp932("ä"), std::nullopt);
    EXPECT_EQ(EncodeCp932("A\xff"), std::nullopt);
    EXPECT_EQ(EncodeCp932("表"), "\x95\x5c");
}

} // namespace
} // namespace orvalt
