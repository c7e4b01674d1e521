#pragma once

#include "app/desktop.h"
#include "app/game_state.h"

namespace chess {

// The record commands of the File menu. None of them changes the record; with no record
// they act on an empty text.

// Shows the record text in a box captioned "棋譜".
void viewRecord(const GameState &state, Desktop &desktop);

// Asks for a file name (preset "棋譜.txt") and writes exactly the record's bytes there,
// CR LF line ends included and nothing added. A failed write leaves any old file as it was
// and says so.
void saveRecordFile(const GameState &state, Desktop &desktop);

// Puts the record text on the clipboard.
void copyRecordToClipboard(const GameState &state, Desktop &desktop);

} // namespace chess
