#include "app/durable_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace chess::detail {
namespace {

bool writeAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Some file systems cannot sync a folder and say so with EINVAL; there is nothing more to do.
bool syncFolderOf(const std::filesystem::path &file)
{
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0 || errno == EINVAL;
    ::close(descriptor);
    return synced;
}

} // namespace

bool writeNewFileDurably(const std::filesystem::path &file, std::string_view bytes,
                         const std::filesystem::path &modelledOn)
{
    struct stat old;
    const bool replacing = ::stat(modelledOn.c_str(), &old) == 0;
    // A new file gets the usual rights less the umask; a replaced one exactly its old rights,
    // so a record kept private stays private.
    const int descriptor =
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
    if (descriptor < 0)
        return false;
    bool written = (!replacing || ::fchmod(descriptor, old.st_mode & 07777) == 0) &&
                   writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    written = ::close(descriptor) == 0 && written;
    if (!written)
        ::unlink(file.c_str());
    return written;
}

bool renameDurably(const std::filesystem::path &from, const std::filesystem::path &to)
{
    return ::rename(from.c_str(), to.c_str()) == 0 && syncFolderOf(to);
}

} // namespace chess::detail
