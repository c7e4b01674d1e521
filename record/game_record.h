#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chess {

// The move list of the current game in long algebraic notation: a White entry of fixed
// width, then the Black entry and CR LF, so that each move pair forms one line. The text is
// plain ASCII. No record exists until the first move is appended and after it is freed.
struct GameRecord {
    std::optional<std::string> text;

    bool exists() const { return text.has_value(); }
    // The text, or an empty one when no record exists.
    std::string_view view() const { return text ? std::string_view(*text) : std::string_view(); }
};

} // namespace chess
