#pragma once

#include <filesystem>
#include <string_view>

// The two steps of a durable replace that differ between operating systems: the POSIX ones
// are in app/durable_file_posix.cpp, the Windows ones in win32/durable_file.cpp.
namespace chess::detail {

// Creates `file`, which must not exist, holding `bytes`, with the permissions of `modelledOn`
// when that exists, and returns once the bytes are on the disk. On failure nothing is left.
bool writeNewFileDurably(const std::filesystem::path &file, std::string_view bytes,
                         const std::filesystem::path &modelledOn);

// Renames `from` over `to` and returns once the rename itself is on the disk. On failure
// `from` is left where it was.
bool renameDurably(const std::filesystem::path &from, const std::filesystem::path &to);

} // namespace chess::detail
