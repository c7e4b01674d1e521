#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace chess::testing {

// An empty folder of the running test's own, named after it and the run's seed so that runs
// side by side never share one; the test removes it when done.
inline std::filesystem::path freshTestFolder(std::string_view prefix)
{
    const ::testing::UnitTest &run = *::testing::UnitTest::GetInstance();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (std::string(prefix) + std::to_string(run.random_seed()) + "-" + run.current_test_info()->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace chess::testing
