// The engine speaks UTF-8 std::string; the windows speak QString.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace orvalt {

inline QString FromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace orvalt
