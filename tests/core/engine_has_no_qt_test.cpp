// The engine must build and test without Qt: none of its sources or their
// headers may include a Qt header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(EngineLibrary, IncludesNoQtHeader) {
    std::stringstream list(ORVALT_ENGINE_SOURCES);
    std::string source;
    int checked = 0;
    while (std::getline(list, source, ';')) {
        std::filesystem::path cpp(source);
        for (const auto& file : {cpp, std::filesystem::path(cpp).replace_extension(".h")}) {
            std::ifstream in(file);
            if (!in) continue;
            ++checked;
            std::string line;
            while (std::getline(in, line)) {
                EXPECT_EQ(line.find("#include <Q"), std::string::npos) << file << ": " << line;
                EXPECT_EQ(line.find("#include \"Q"), std::string::npos) << file << ": " << line;
            }
        }
    }
    EXPECT_GE(checked, 6); // the list really reached the sources
}

} // namespace
