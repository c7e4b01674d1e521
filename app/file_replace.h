#pragma once

#include "app/desktop.h"

#include <filesystem>
#include <string_view>

namespace chess {

// Makes `path` hold exactly `bytes`, durably: the new content is written to a temporary file
// beside it, pushed to the disk, and only then renamed over the old one, so a failure or a
// power cut at any point leaves either the old file or the new one, and no temporary file.
// A replaced file keeps its permissions, and a symbolic link keeps pointing where it did:
// the file it points to is the one replaced. Returns false on failure.
bool replaceFileContents(const std::filesystem::path &path, std::string_view bytes);

// Asks with `chooser` where to save and replaces that file by `bytes` as above; a failure is
// said in a box and leaves the old file as it was. A cancelled chooser saves nothing.
void saveThroughChooser(Desktop &desktop, const FileChooser &chooser, std::string_view bytes);

} // namespace chess
