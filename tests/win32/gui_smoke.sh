#!/usr/bin/env bash
# Plays the Windows program under Wine on an X display with no window manager, judging only
# what a user sees (gui_driver.sh) and what a screen reader hears, through
# SCREEN_READER_CLIENT.exe in a process of its own.
#
#   gui_smoke.sh PROGRAM.exe OUTPUT_DIR SCREEN_READER_CLIENT.exe
#
# DISPLAY and WINEPREFIX come from the caller, and LOCPATH when the ja_JP.UTF-8 locale is
# not installed. The Japanese locale gives Wine the fonts for the screenshots in
# OUTPUT_DIR/screenshots; a last short run in C.UTF-8 shows that the texts do not depend on
# the Windows code page. The files the program saves go to OUTPUT_DIR/smoke-files.
set -euo pipefail
exe=$1
shots=$2/screenshots
out=$2/smoke-files
client=$3
rm -rf "$shots" "$out"
mkdir -p "$shots" "$out"
source "$(dirname "$0")/gui_driver.sh"

echo "-- start, menu"
start ja_JP.UTF-8
openMenu
screenshot Chess menu.png # the record items greyed before the first move
xdotool key Escape Escape

echo "-- a game up to castling"
play e2e4 e7e5 g1f3 b8c6 f1c4 g8f6 e1g1
screenshot Chess window.png
record=$'1  e2-e4      e7-e5\n2  g1-f3      b8-c6\n3  f1-c4      g8-f6\n4  o-o        '

echo "-- copy, view and save the record"
menuCommand 5
waitFor clipboardHolds "$record" || fail "clipboard: $(xclip -o -selection clipboard | od -c | head)"
menuCommand 3
waitFor windowNamed 棋譜 || fail "no record box"
screenshot 棋譜 message-box.png
answer 棋譜 Return
menuCommand 4
chooseFile 名前をつけて保存 "$out/record.txt"
waitFor fileHolds "$out/record.txt" "${record//$'\n'/$'\r\n'}" || fail "saved record: $(od -c "$out/record.txt" | head)"

echo "-- save the position, load it and save it again"
fen='r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQ1RK1 b kq - 5 4'
menuCommand 1
chooseFile 名前をつけて保存 "$out/position.fen"
waitFor fileHolds "$out/position.fen" "$fen" || fail "saved position: $(cat "$out/position.fen")"
menuCommand 0 # reset
waitFor lookAlike e4 e6 || fail "the reset left the pawn on e4"
menuCommand 2
chooseFile 盤面を開く "$out/position.fen"
waitFor lookAlike e2 a6 || fail "the loaded position has a pawn on e2"
menuCommand 1
chooseFile 名前をつけて保存 "$out/position-again.fen"
waitFor fileHolds "$out/position-again.fen" "$fen" || fail "position after loading: $(cat "$out/position-again.fen")"

echo "-- promotion to a knight"
menuCommand 0
play d2d4 e7e5 d4e5 f7f6 e5f6 g8h6 f6g7 f8c5
pickUp g7
doubleClick h8
waitFor windowNamed プロモーション || fail "no promotion dialog"
screenshot プロモーション promotion-dialog.png
answer プロモーション Tab Tab Tab space # from Queen through Rook and Bishop to Knight
waitFor frameIs h8 '#FF0000' || fail "no red frame after the promotion"
menuCommand 5
record=$'1  d2-d4      e7-e5\n2  d4-e5      f7-f6\n3  e5-f6      g8-h6\n4  f6-g7      f8-c5\n5  g7-h8=N    '
waitFor clipboardHolds "$record" || fail "record after the promotion: $(xclip -o -selection clipboard)"
finish

echo "-- a whole game with the keyboard alone, heard by a screen reader"
heard() { tail -n +$((heardFrom + 1)) "$out/heard.txt" | tr -d '\r' | grep -qxF "$1"; }
# Presses `keys` and waits until the screen reader has heard each line after them.
hearAfter() { # keys line...
    listenFromHere
    pressKeys $1
    shift
    local line
    for line in "$@"; do waitFor heard "$line" || fail "not heard: $line"; done
}
blue='#0000FF'
red='#FF0000'
# Pick-ups and put-downs in turn, each shown by its frame: "e4" types the square and
# Return, "e4:Down Return" gives the keys that go to e4 and act there.
keySteps() {
    local step square keys frame=$blue
    for step in "$@"; do
        square=${step%%:*} keys=${step#*:}
        [ "$keys" != "$step" ] || keys="${square:0:1} ${square:1:1} Return"
        pressKeys $keys
        waitFor frameIs "$square" $frame || fail "no $frame frame on $square after the keys $keys"
        [ $frame = $blue ] && frame=$red || frame=$blue
    done
}
start ja_JP.UTF-8
startListening
readBoard
[ "$(grep -c '^[0-9]*|cell|' "$out/board.txt")" -eq 64 ] || fail "not 64 cells: $(cat "$out/board.txt")"
for line in 'children 64' '0|table|Chess board||320x320+40+20' '1|cell|a8, black rook||40x40+40+20' \
    '53|cell|e2, white pawn|focused|40x40+200+260' '37|cell|e4, empty||40x40+200+180' \
    'focus 53' 'status Ready'; do
    boardShows "$line" || fail "the board read: no \"$line\" in $(cat "$out/board.txt")"
done
! grep -q '^hit test' "$out/board.txt" || fail "$(grep '^hit test' "$out/board.txt")"

lookAlike e3 e5 || fail "a focus mark before any key"
hearAfter Up 'focus|45|cell|e3, empty|focused'
lookAlike e3 e5 && fail "no focus mark on e3"
screenshot Chess keyboard-mark.png
pressKeys Down
waitFor lookAlike e3 e5 || fail "the focus mark stayed on e3"
hearAfter Return 'selection|53|cell|e2, white pawn|focused selected' 'live|e2, white pawn, picked up'
hearAfter 'e 5 Return' 'live|illegal move'
waitFor frameIs e2 $blue || fail "the refused move dropped the piece"
hearAfter 'Down Return' 'selectionremove|53|cell|e2, empty|' 'namechange|53|cell|e2, empty|' \
    'namechange|37|cell|e4, white pawn|focused' 'live|e2 to e4. Black to move.'
waitFor frameIs e4 $red || fail "no red frame on e4"
keySteps 'f7:f 7 space' 'f5:Down Down Return' e4 f5 g7 'g6:Down Return' f5 g6 f8 'g7:Down Right Return' \
    g6 'h7:Up Right Return' a7 'a6:Down Return'
keySteps 'g1:End Page_Down Left Return' # from a6 by h6 and h1
pressKeys Escape # put back: the frame returns to the last move
waitFor frameIs a6 $red || fail "Escape did not put the knight back"
keySteps g1:Return 'f3:Up Up Left Return' a6 'a5:Down Return' f1 c4 a5 'a4:Down Return'
keySteps e1
hearAfter 'End Left Return' 'live|e1 to g1, castling king side. Black to move.'
keySteps b7 'b6:Down Return'
keySteps h7
pressKeys Page_Up Left Return # h8, g8: the pawn takes the knight
waitFor windowNamed プロモーション || fail "no promotion dialog"
answer プロモーション Tab Tab Tab Tab Left Left Left Return # round to Queen, back round to Rook
waitFor frameIs g8 $red || fail "no red frame after the promotion"
hearAfter Down 'focus|15|cell|g7, black bishop|focused' # the board has the focus again
keySteps b6 'b5:Down Return'
keySteps g8
listenFromHere
pressKeys Left Left Return # the rook takes the king
waitFor windowNamed 'Win!!' || fail "no win box"
answer 'Win!!' Return
waitFor heard 'live|g8 to e8, takes black king. White has won.' || fail "the win was not spoken"
hearAfter Down 'focus|13|cell|e7, black pawn|focused'
readBoard
boardShows 'status White has won!!' || fail "status after the win: $(grep status "$out/board.txt")"
screenshot Chess keyboard-game.png
menuCommand 5
record=$'1  e2-e4      f7-f5\n2  e4-f5      g7-g6\n3  f5-g6      f8-g7\n4  g6-h7      a7-a6\n5  g1-f3      a6-a5\n6  f1-c4      a5-a4\n7  o-o        b7-b6\n8  h7-g8=R    b6-b5\n'
waitFor clipboardHolds "$record" || fail "record of the keyboard game: $(xclip -o -selection clipboard)"
finish
wait "$listener" || fail "the screen reader client failed: $(cat "$out/heard.txt")"
listener=

echo "-- the record box in C.UTF-8, where the ANSI code page is 1252"
killWine # a fresh server for the new locale
start C.UTF-8
play e2e4
lookAlike e4 c2 || fail "a focus mark on the square the mouse played"
menuCommand 3
waitFor windowNamed 棋譜 || fail "no record box captioned 棋譜 in C.UTF-8"
answer 棋譜 Return
finish
echo "-- all passed; screenshots in $shots"
