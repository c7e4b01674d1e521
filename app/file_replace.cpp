#include "app/file_replace.h"

#include "app/durable_file.h"
#include "app/texts.h"

#include <cstdio>
#include <random>
#include <system_error>

namespace chess {
namespace {

// The file a path names in the end: a link is followed, so that the save replaces the file
// it points to and the link stays. Returns the last link when links form a loop.
std::filesystem::path followLinks(std::filesystem::path path)
{
    std::error_code error;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(path, error); ++hops) {
        std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = path.parent_path() / target; // an absolute target replaces the whole path
    }
    return path;
}

// A name beside the target that no other save is using; the folder must be the same so that
// the rename cannot cross file systems.
std::filesystem::path temporaryNameBeside(const std::filesystem::path &path)
{
    // One generator a thread: the history is saved from a thread of its own.
    thread_local std::mt19937_64 generator{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".tmp%016llx", static_cast<unsigned long long>(generator()));
    std::filesystem::path temporary = path;
    temporary += suffix;
    return temporary;
}

} // namespace

bool replaceFileContents(const std::filesystem::path &path, std::string_view bytes)
{
    const std::filesystem::path target = followLinks(path);
    std::error_code error;
    if (std::filesystem::is_directory(target, error) || std::filesystem::is_symlink(target, error))
        return false;
    const std::filesystem::path temporary = temporaryNameBeside(target);
    if (!detail::writeNewFileDurably(temporary, bytes, target))
        return false;
    if (!detail::renameDurably(temporary, target)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

void saveThroughChooser(Desktop &desktop, const FileChooser &chooser, std::string_view bytes)
{
    const std::optional<std::filesystem::path> path = desktop.chooseSaveFile(chooser);
    if (path && !replaceFileContents(*path, bytes))
        desktop.showMessage(texts::errorOccurred, texts::errorCaption);
}

} // namespace chess
