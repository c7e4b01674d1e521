#pragma once

#include <filesystem>
#include <string_view>

namespace chess {

// Makes `path` hold exactly `bytes`. The new content is written to a temporary file beside
// it and renamed over the old one only once it is complete, so a failure at any point
// leaves the old file as it was. Returns false on failure.
bool replaceFileContents(const std::filesystem::path &path, std::string_view bytes);

} // namespace chess
