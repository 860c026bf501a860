// How the text outputs end and join their lines: CR LF, as the report has
// always been written and printed.
#pragma once

#include <string>
#include <string_view>

namespace orvalt {

inline constexpr std::string_view kLineEnd = "\r\n";

// Appends `text` and a line end.
inline void AppendLine(std::string& out, std::string_view text) {
    out += text;
    out += kLineEnd;
}

} // namespace orvalt
