// Walking UTF-8 one character at a time, and writing a character as UTF-8:
// what the catalogue needs to check and shorten names, without a library.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvalt {

// What NextUtf8 gives for a sequence that is not well-formed UTF-8.
inline constexpr char32_t kBadUtf8 = 0xFFFFFFFF;

// The character that starts at `i`, with `i` moved past it; kBadUtf8 for an
// ill-formed sequence (an overlong form, a surrogate, beyond U+10FFFF, a cut
// sequence), with `i` moved past its longest well-formed start, at least one
// byte. `i` must be before the end.
inline char32_t NextUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned lead = byte(i++);
    if (lead < 0x80) {
        return lead;
    }
    int more = 0;
    char32_t c = 0;
    unsigned low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, c = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, c = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return kBadUtf8;
    }
    for (int n = 0; n < more; ++n, low = 0x80, high = 0xBF) {
        if (i >= text.size() || byte(i) < low || byte(i) > high) {
            return kBadUtf8;
        }
        c = (c << 6) | (byte(i++) & 0x3F);
    }
    return c;
}

// Appends `c` (a Unicode scalar value) to `out` as UTF-8.
inline void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int more = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLeadMarks[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLeadMarks[more] | (c >> (6 * more)));
    for (int n = more - 1; n >= 0; --n) {
        out += static_cast<char>(0x80 | ((c >> (6 * n)) & 0x3F));
    }
}

} // namespace orvalt
