// Whole files as bytes: what the program wrote, golden files, the data shipped
// beside the program. Binary both ways, so CR LF and code page 932 stay as
// they are.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvalt::test {

// The bytes of the file, or nothing when it cannot be opened (missing, a
// folder, no read permission). An empty file gives an empty string.
inline std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    if (std::filesystem::is_directory(path)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Creates or replaces the file with exactly `bytes`; a failure fails the test.
inline void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) ADD_FAILURE() << "could not write " << path;
}

// The lines of a text whose lines all end in CR LF; an unterminated last
// line is kept as it is, so that a comparison shows it.
inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace orvalt::test
