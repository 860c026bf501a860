// Byte-for-byte comparison of a composed text with a file under
// tests/engine/golden/. On a difference the test names the first differing
// line and leaves the composed text beside the test program (<name>.actual)
// for diffing. With ORVALT_UPDATE_GOLDEN=1 in the environment the golden file
// is written instead (only for producing a new one; check it by eye before
// keeping it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "support/files.h"

namespace orvalt::test {

// The golden files: the reports, charts and CSV of the worked examples
// (.txt, .csv) and the catalogue files (.dat). The window tests compare with
// the same files.
inline std::filesystem::path GoldenPath(std::string_view name) {
    return std::filesystem::path(ORVALT_SOURCE_DIR) / "tests" / "engine" / "golden" / name;
}

// The golden file's bytes; a missing file fails the test and gives "".
inline std::string GoldenBytes(std::string_view name) {
    const std::optional<std::string> bytes = ReadFileBytes(GoldenPath(name));
    if (!bytes) ADD_FAILURE() << "golden file " << GoldenPath(name) << " is missing";
    return bytes.value_or("");
}

// First line (1-based, split at "\r\n") where the two texts differ.
inline std::string DescribeFirstDifference(const std::string& expected, const std::string& actual) {
    std::size_t line = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
        if (expected[i] != actual[i]) {
            const auto lineOf = [start](const std::string& s) {
                const std::size_t end = s.find("\r\n", start);
                return s.substr(start, end == std::string::npos ? std::string::npos : end - start);
            };
            std::ostringstream os;
            os << "first difference on line " << line << ":\n  expected [" << lineOf(expected)
               << "]\n  actual   [" << lineOf(actual) << "]";
            return os.str();
        }
        if (expected[i] == '\n') {
            ++line;
            start = i + 1;
        }
    }
    std::ostringstream os;
    os << "one text is a prefix of the other: expected " << expected.size() << " bytes, actual "
       << actual.size() << " bytes";
    return os.str();
}

inline void ExpectMatchesGolden(const std::string& actual, std::string_view name) {
    const std::filesystem::path path = GoldenPath(name);
    const std::string actualFile = std::string(name) + ".actual";
    const char* update = std::getenv("ORVALT_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        WriteFileBytes(path, actual);
        GTEST_SKIP() << "wrote " << path << "; check it by eye and run again without "
                     << "ORVALT_UPDATE_GOLDEN";
    }
    const std::optional<std::string> expected = ReadFileBytes(path);
    if (!expected) {
        WriteFileBytes(actualFile, actual);
        FAIL() << "golden file " << path << " is missing; the composed text is in " << actualFile;
    }
    if (*expected != actual) {
        WriteFileBytes(actualFile, actual);
        ADD_FAILURE() << name << " differs from the golden file; the composed text is in "
                      << actualFile << "\n"
                      << DescribeFirstDifference(*expected, actual);
    }
}

} // namespace orvalt::test
