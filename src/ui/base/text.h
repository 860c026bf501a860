// The engine speaks UTF-8 std::string; the windows speak QString.
#pragma once

#include <QString>

#include <string>

namespace orvalt {

inline QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace orvalt
