// A fresh folder of its own for each test, under the system's temporary
// folder, removed afterwards (its permissions restored first, for tests that
// take them away).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace orvalt::test {

class TempFolderTest : public ::testing::Test {
protected:
    // `prefix` names the folder after the kind of test ("orvalt_catalogue").
    void MakeFolder(const std::string& prefix) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        std::replace(name.begin(), name.end(), '/', '_');
        folder_ = std::filesystem::temp_directory_path() /
                  (prefix + "_" + std::to_string(::getpid()) + "_" + name);
        RemoveFolder();
        std::filesystem::create_directories(folder_);
    }

    void TearDown() override { RemoveFolder(); }

    // Removes the folder with everything in it, also what a test made
    // read-only: Windows removes no file that carries the read-only mark.
    void RemoveFolder() {
        std::error_code ignored;
        const auto add = std::filesystem::perm_options::add;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, add, ignored);
        for (std::filesystem::recursive_directory_iterator it(folder_, ignored), end;
             !ignored && it != end; it.increment(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, add,
                                         ignored);
        }
        std::filesystem::remove_all(folder_, ignored);
    }

    // Every name in the folder, sorted: shows a temporary file left behind.
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path folder_;
};

} // namespace orvalt::test
