// Byte-for-byte comparison of a composed report with a file under golden/.
// On a difference the test names the first differing line and leaves the
// composed text beside the build's test program (<name>.actual) for diffing.
// With ORVALT_UPDATE_GOLDEN=1 in the environment the golden file is written
// instead (only for producing a new one; check it by eye before keeping it).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace orvalt::testing_support {

inline std::string GoldenPath(const std::string& name)
{
    return std::string(ORVALT_TEST_DATA_DIR) + "/golden/" + name;
}

inline std::string ReadWholeFile(const std::string& path, bool& found)
{
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// First line (1-based, split at "\r\n") where the two texts differ.
inline std::string DescribeFirstDifference(const std::string& expected, const std::string& actual)
{
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

inline void ExpectMatchesGolden(const std::string& actual, const std::string& name)
{
    const std::string path = GoldenPath(name);
    const char* update = std::getenv("ORVALT_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        WriteWholeFile(path, actual);
        GTEST_SKIP() << "wrote " << path << "; check it by eye and run again without "
                     << "ORVALT_UPDATE_GOLDEN";
    }
    bool found = false;
    const std::string expected = ReadWholeFile(path, found);
    if (!found) {
        WriteWholeFile(name + ".actual", actual);
        FAIL() << "golden file " << path << " is missing; the composed text is in " << name
               << ".actual";
    }
    if (expected != actual) {
        WriteWholeFile(name + ".actual", actual);
        ADD_FAILURE() << name << " differs from the golden file; the composed text is in "
                      << name << ".actual\n"
                      << DescribeFirstDifference(expected, actual);
    }
}

} // namespace orvalt::testing_support
