#include "app/file_replace.h"

#include <fstream>
#include <random>
#include <system_error>

namespace chess {
namespace {

// A name beside the target that no other save is using; the directory must be the same so
// that the rename cannot cross file systems.
std::filesystem::path temporaryNameBeside(const std::filesystem::path &path)
{
    static std::mt19937 generator{std::random_device{}()};
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(generator() % 1000000);
    return temporary;
}

bool writeWholeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace

bool replaceFileContents(const std::filesystem::path &path, std::string_view bytes)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    const std::filesystem::path temporary = temporaryNameBeside(path);
    if (!writeWholeFile(temporary, bytes)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace chess
