// The Windows half of a durable replace, compiled into the core of the Windows build only.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include "app/durable_file.h"

#include <windows.h>

#include <algorithm>

namespace chess::detail {

// A new file gets the folder's inherited rights, as the replaced one had; the replace below
// refuses a read-only target, which therefore stays as it was.
bool writeNewFileDurably(const std::filesystem::path &file, std::string_view bytes,
                         const std::filesystem::path &)
{
    HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    bool written = true;
    while (written && !bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 20));
        DWORD done = 0;
        written = WriteFile(handle, bytes.data(), chunk, &done, nullptr) && done > 0;
        bytes.remove_prefix(done);
    }
    written = FlushFileBuffers(handle) && written;
    written = CloseHandle(handle) && written;
    if (!written)
        DeleteFileW(file.c_str());
    return written;
}

// MOVEFILE_WRITE_THROUGH returns only once the rename has reached the disk.
bool renameDurably(const std::filesystem::path &from, const std::filesystem::path &to)
{
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

} // namespace chess::detail
