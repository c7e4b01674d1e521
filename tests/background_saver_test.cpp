#include "app/background_saver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace chess {
namespace {

std::string contentsOf(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Two programs saving into the same file at once: it ends up as the whole of one program's
// last save, never a mix, and no temporary file is left. Its folder is made on the way.
TEST(BackgroundSaver, TwoSaversIntoOneFileLeaveOneWholeSave)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("chess-saver-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    const std::filesystem::path file = folder / "state" / "history";
    const auto text = [](char letter, int size) {
        return std::string(static_cast<std::size_t>(size), letter);
    };
    {
        BackgroundSaver first(file), second(file);
        for (int i = 1; i <= 200; ++i) {
            first.save(text('a', 1000 + i));
            second.save(text('b', 3000 - i));
        }
    }
    const std::string saved = contentsOf(file);
    EXPECT_TRUE(saved == text('a', 1200) || saved == text('b', 2800)) << saved.size() << " bytes";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1);
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace chess
