#!/usr/bin/env bash
# The game menu of the Windows program under Wine: takes moves back and forward with the
# keys, closes the program, resumes the game in a new run, ends that run hard and resumes
# again; then saves a game as PGN and opens one. Judges by the status text a screen reader
# reads, the record on the clipboard and the saved file.
#
#   game_menu_smoke.sh PROGRAM.exe OUTPUT_DIR SCREEN_READER_CLIENT.exe
#
# DISPLAY, WINEPREFIX and LOCPATH come from the caller, as for gui_smoke.sh.
set -euo pipefail
exe=$1
shots=$2/screenshots
out=$2/history-files
client=$3
rm -rf "$out"
mkdir -p "$shots" "$out"
source "$(dirname "$0")/gui_driver.sh"

whiteThinking='status Turn:White　thinking･･･'
blackThinking='status Turn:Black　thinking･･･'
twoMoves=$'1  e2-e4      e7-e5\n'
threeMoves=$'1  e2-e4      e7-e5\n2  g1-f3      '
history=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local' | head -1)/Chess/history
rm -f "$history"

statusIs() { readBoard && boardShows "$1"; }
expectStatus() { waitFor statusIs "$1" || fail "$2: $(grep status "$out/board.txt")"; }
expectRecord() {
    menuCommand 5
    waitFor clipboardHolds "$1" || fail "$2: $(xclip -o -selection clipboard | od -c | head)"
}
resume() {
    pressKeys alt+g l
    expectStatus "$1" "status after resuming"
}

echo "-- moves taken back and made again"
start ja_JP.UTF-8 history-start.png
play e2e4 e7e5 g1f3
pressKeys ctrl+z
expectStatus "$whiteThinking" "status after Ctrl+Z"
expectRecord "$twoMoves" "record after Ctrl+Z"
pressKeys ctrl+y
expectStatus "$blackThinking" "status after Ctrl+Y"
pressKeys ctrl+z ctrl+shift+z
expectStatus "$blackThinking" "status after Ctrl+Z, Ctrl+Shift+Z"
expectRecord "$threeMoves" "record after taking back and replaying"
parkPointer
xdotool key alt+g
sleep 1
screenshot Chess game-menu.png
xdotool key Escape Escape
finish
[ -s "$history" ] || fail "no saved history at $history"

echo "-- a new run resumes the game; one ended hard resumes too"
start ja_JP.UTF-8 history-second-run.png
resume "$blackThinking"
expectRecord "$threeMoves" "record of the resumed game"
pressKeys ctrl+z
expectStatus "$whiteThinking" "status after Ctrl+Z in the resumed game"
waitFor grep -q '^steps 3$' "$history" || fail "the step taken back was not saved"
killWine
wait "$program" || true
program=
start ja_JP.UTF-8 history-third-run.png
resume "$whiteThinking"
expectRecord "$twoMoves" "record after the hard end"

echo "-- a game saved as PGN, and a PGN opened"
menuCommand 0
play d2d4 d7d5
pressKeys alt+g s
chooseFile 名前をつけて保存 "$out/game.pgn"
day=$(date +%Y.%m.%d)
pgn=$'[Event "Casual game"]\n[Site "?"]\n[Date "'$day$'"]\n[Round "-"]\n[White "White"]\n[Black "Black"]\n[Result "*"]\n\n1. d4 d5 *\n\n'
waitFor fileHolds "$out/game.pgn" "$pgn" || fail "saved PGN: $(cat "$out/game.pgn")"
printf '[Event "Elsewhere"]\r\n\r\n1. e4 {best by test} e5 2. Nf3 Nc6 $1 (2... d6) *\r\n' >"$out/opened.pgn"
pressKeys alt+g o
chooseFile "PGN を開く" "$out/opened.pgn"
expectStatus "$whiteThinking" "status after opening the PGN"
expectRecord $'1  e2-e4      e7-e5\n2  g1-f3      b8-c6\n' "record of the opened PGN"
finish
echo "-- all passed"
