#pragma once

#include "app/chess_clock.h"

#include <windows.h>

#include <optional>

namespace chess::win32 {

// The clock dialog over `owner`, with `current` checked: the chosen control, or nullopt when
// it was cancelled. The players' own control is checked before the dialog closes; a bad one
// is reported and the dialog stays open.
std::optional<TimeControl> chooseTimeControlIn(HWND owner, TimeControl current);

} // namespace chess::win32
