// How the text outputs end and join their lines: CR LF, as the report has
// always been written and printed; and how they align a cell in the
// report's fixed-pitch face.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvalt {

inline constexpr std::string_view kLineEnd = "\r\n";

// Appends `text` and a line end.
inline void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += kLineEnd;
}

// Display columns in the fixed-pitch face: ASCII one, other characters of
// these texts (kanji, kana, ℃; three bytes in UTF-8) two.
inline std::size_t DisplayColumns(std::string_view text) {
    std::size_t columns = 0;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            ++columns;
        } else if (byte >= 0xC0) {
            columns += 2;
        }
    }
    return columns;
}

// `text` right-aligned in `width` display columns (written whole when longer).
inline void AppendRight(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t columns = DisplayColumns(text);
    if (columns < width) {
        out.append(width - columns, ' ');
    }
    out += text;
}

// `text` left-aligned in `width` display columns.
inline void AppendLeft(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    const std::size_t columns = DisplayColumns(text);
    if (columns < width) {
        out.append(width - columns, ' ');
    }
}

} // namespace orvalt
