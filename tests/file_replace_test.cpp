#include "app/file_replace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace chess {
namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> namesIn(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileReplace : public ::testing::Test {
protected:
    std::filesystem::path folder;

    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("chess-replace-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override
    {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path write(const std::string &name, std::string_view bytes)
    {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    }
};

// Every failure must leave the old file byte for byte and nothing beside it.
class FailedSave : public FileReplace {
protected:
    const std::string old = "1  e2-e4      e7-e5\r\n2  g1-f3      ";
    std::filesystem::path path;

    void SetUp() override
    {
        FileReplace::SetUp();
        path = write("game.txt", old);
    }
    void expectOldFileAlone(bool saved)
    {
        EXPECT_FALSE(saved);
        EXPECT_EQ(readFile(path), old);
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{"game.txt"});
    }
    std::string newBytes() const { return std::string(64 * 1024, 'n'); }
};

#ifndef _WIN32

TEST_F(FileReplace, KeepsThePermissionBits)
{
    for (const mode_t mode : {0600, 0640, 0755}) {
        const auto path = write("game.txt", "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(replaceFileContents(path, "new"));
        struct stat status;
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(readFile(path), "new");
    }
}

TEST_F(FileReplace, SavesThroughASymbolicLinkAndKeepsIt)
{
    const auto real = write("real.txt", "old");
    std::filesystem::create_directory(folder / "links");
    const auto link = folder / "links" / "game.txt";
    std::filesystem::create_symlink("../real.txt", link);
    ASSERT_TRUE(replaceFileContents(link, "new"));
    EXPECT_EQ(readFile(real), "new");
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link), "../real.txt");
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"links", "real.txt"}));
    EXPECT_EQ(namesIn(folder / "links"), std::vector<std::string>{"game.txt"});
}

TEST_F(FailedSave, InAReadOnlyFolder)
{
    std::filesystem::permissions(
        folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                    std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    // Root may write into any folder, so root saves as the unprivileged user instead.
    const bool asRoot = ::geteuid() == 0;
    if (asRoot && ::seteuid(65534) != 0)
        GTEST_SKIP() << "running as root, and cannot act as the user nobody";
    const bool saved = replaceFileContents(path, newBytes());
    ASSERT_TRUE(!asRoot || ::seteuid(0) == 0);
    expectOldFileAlone(saved);
}

// A file size limit makes a write fail part way as a full disk does, for root as well.
TEST_F(FailedSave, WhenTheDiskFillsUp)
{
    rlimit normal;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &normal), 0);
    rlimit small = normal;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = replaceFileContents(path, newBytes());
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &normal), 0);
    std::signal(SIGXFSZ, oldHandler);
    expectOldFileAlone(saved);
}

#else

// Another program holding the file open without sharing stops the replace.
TEST_F(FailedSave, WhileAnotherProgramHoldsTheFile)
{
    HANDLE held =
        CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool saved = replaceFileContents(path, newBytes());
    CloseHandle(held);
    expectOldFileAlone(saved);
}

#endif

} // namespace
} // namespace chess
