// Code page 932 as Windows writes it: the Microsoft mappings (0x5C is a
// backslash, 81 60 is U+FF5E, the NEC and IBM rows) and a strict refusal of
// bytes and characters it has no code for.
#include <gtest/gtest.h>

#include <cstdint>
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

// The points where ICU's table (Linux) and Windows' own table differ, settled
// the same way on both.
TEST(Cp932, ControlCodesAreThemselves) {
    for (const char code : {'\x1a', '\x1c', '\x7f', '\x01', '\x1f'}) {
        const std::string one(1, code);
        EXPECT_EQ(DecodeCp932(one), one) << static_cast<int>(code);
        EXPECT_EQ(EncodeCp932(one), one) << static_cast<int>(code);
        EXPECT_EQ(DecodeCp932ForDisplay(one), one) << static_cast<int>(code);
    }
}

TEST(Cp932, ByteEightyHasNoCode) {
    EXPECT_EQ(DecodeCp932("a\x80"), std::nullopt);
    EXPECT_EQ(EncodeCp932("a\u0080"), std::nullopt);
    EXPECT_EQ(DecodeCp932ForDisplay("a\x80"
                                    "b"),
              "a\uFFFD"
              "b");
    EXPECT_EQ(DecodeCp932("\x81\x80"), "÷"); // as a trail byte it is fine
}

// Characters one table drops silently or writes as bytes that read back as
// something else: encoding refuses them, as it refuses ä.
TEST(Cp932, CharactersThatWouldNotComeBackAreRefused) {
    for (const char* c : {"\u200B", "\u00AD", "\uFEFF", "\uFE0F", "\u200D", "\U000E0100", "\u2060",
                          "\uF86F", "\uF8F0", "\uF8F3", "\u00A0"}) {
        EXPECT_EQ(EncodeCp932(std::string("電線") + c + "A"), std::nullopt) << c;
    }
    EXPECT_EQ(EncodeCp932("\xED\xA0\x80"), std::nullopt); // a surrogate, not UTF-8
    EXPECT_EQ(EncodeCp932("\xC0\xAF"), std::nullopt);     // an overlong "/"
}

// Damaged text shows the same on both systems: one U+FFFD for each sequence
// that has no code, a lead byte taking a trail byte with it.
TEST(Cp932, DisplayMarksEachBadSequenceOnce) {
    const struct {
        const char* bytes;
        const char* shown;
    } cases[] = {
        {"a\x85\x40z", "a\uFFFDz"},  // unassigned pair
        {"a\x81\x20z", "a\uFFFD z"}, // lead byte, then no trail byte
        {"\xa0\xfd\xfe\xff", "\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\x83\x5c\x83", "ソ\uFFFD"}, // cut off at the end
        {"\xb1\x81\x7f", "ｱ\uFFFD\x7f"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeCp932ForDisplay(c.bytes), c.shown) << c.shown;
    }
}

// FNV-1a over a table's entries: a refusal counts as the entry "-".
void Mix(std::uint64_t& hash, const std::optional<std::string>& entry) {
    for (const char c : entry.value_or("-") + "|") {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
}

// Every one- and two-byte sequence decoded and every BMP character encoded,
// summed up: the Linux and the Windows build give the same sum, so they read
// and write the same bytes for every text. Whatever decodes can be written
// again and reads back the same (the NEC and IBM duplicates of a character
// are written as one of them).
TEST(Cp932, WholeTableIsTheSameOnEverySystem) {
    std::uint64_t decoded = 14695981039346656037ull;
    for (unsigned code = 0; code < 0x10000; ++code) {
        std::string bytes;
        if (code >= 0x100) {
            bytes += static_cast<char>(code >> 8);
        }
        bytes += static_cast<char>(code & 0xFF);
        const std::optional<std::string> text = DecodeCp932(bytes);
        Mix(decoded, text);
        if (text) {
            const std::optional<std::string> again = EncodeCp932(*text);
            ASSERT_TRUE(again) << std::hex << code;
            EXPECT_EQ(DecodeCp932(*again), text) << std::hex << code;
        }
    }
    std::uint64_t encoded = 14695981039346656037ull;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) {
            continue;
        }
        std::string utf8;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
        Mix(encoded, EncodeCp932(utf8));
    }
    // The sums of the table as ICU and as Windows give it once settled; a
    // change in either system's table, or in what cp932.cpp settles, shows here.
    EXPECT_EQ(decoded, 12031134130690397592u);
    EXPECT_EQ(encoded, 12161733128803197881u);
}

} // namespace
} // namespace orvalt
