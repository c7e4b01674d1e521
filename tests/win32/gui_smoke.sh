#!/usr/bin/env bash
# Plays the Windows program under Wine on an X display with no window manager, judging only
# what a user sees: windows by their names, pixels, the clipboard and the saved files; and
# what a screen reader hears, through SCREEN_READER_CLIENT.exe in a process of its own.
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
program=
listener=

fail() {
    echo "FAIL: $*" >&2
    import -window root "$shots/failure.png" || true
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$listener" ] || kill "$listener" 2>/dev/null || true
    exit 1
}

# The program answers 0.3-1 s after an input and slower when the machine is busy: poll.
waitFor() {
    local deadline=$((SECONDS + 30))
    until "$@" 2>/dev/null; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -1 | awk '{print $3}'; }
pixelIs() { [ "$(pixel "$1" "$2")" = "$3" ]; }
windowNamed() { xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
noWindowNamed() { ! windowNamed "$1"; }
visibleWindows() { xdotool search --onlyvisible --name '' | sort; }
windowGone() { ! visibleWindows | grep -x "$1" >/dev/null; }
fileHolds() { [ -f "$1" ] && cmp -s "$1" <(printf '%s' "$2"); }
clipboardHolds() { [ "$(xclip -o -selection clipboard; echo .)" = "$1." ]; }

# Screen pixels of a square such as e2: its centre, and for frameIs the middle of its top
# edge, where a frame is drawn.
squareX() { echo $((originX + 60 + 40 * ($(printf '%d' "'${1:0:1}") - 97))); }
squareY() { echo $((originY + 40 + 40 * (8 - ${1:1:1}))); }
frameIs() { pixelIs "$(squareX "$1")" $(($(squareY "$1") - 20)) "$2"; }
# The insides of two squares show the same image.
squareImage() { import -window root -crop "30x30+$(($(squareX "$1") - 15))+$(($(squareY "$1") - 15))" -depth 8 rgb:- | md5sum; }
lookAlike() { [ "$(squareImage "$1")" = "$(squareImage "$2")" ]; }

doubleClick() { xdotool mousemove "$(squareX "$1")" "$(squareY "$1")" click --repeat 2 --delay 80 1; }
pickUp() {
    doubleClick "$1"
    waitFor frameIs "$1" '#0000FF' || fail "no blue frame on $1"
}
putDown() {
    doubleClick "$1"
    waitFor frameIs "$1" '#FF0000' || fail "no red frame on $1"
}
play() {
    local move
    for move in "$@"; do
        pickUp "${move:0:2}"
        putDown "${move:2:2}"
    done
}

# Keys reach Wine only while the pointer is over one of its windows: park it on the picture,
# clear of the File menu.
parkPointer() { xdotool mousemove $((originX + 300)) $((originY + 390)); }
# The popup is the one window that the key makes appear.
menuOpened() {
    menuWindow=$(comm -13 <(echo "$windowsBeforeMenu") <(visibleWindows) | head -1)
    [ -n "$menuWindow" ]
}
openMenu() {
    parkPointer
    windowsBeforeMenu=$(visibleWindows)
    xdotool key alt+f
    waitFor menuOpened || fail "the File menu did not open"
}
# Runs the File menu item `steps` places below the first (Down skips the separators).
menuCommand() {
    openMenu
    local i
    for ((i = 0; i < $1; ++i)); do xdotool key Down; done
    xdotool key Return
    waitFor windowGone "$menuWindow" || fail "the File menu did not close"
}
# Answers the box or dialog named `title` with `keys` and waits until it has gone.
answer() {
    local title=$1
    shift
    parkPointer
    xdotool key "$@"
    waitFor noWindowNamed "$title" || fail "\"$title\" stayed open"
}
# Types a full DOS path into the open chooser named `title` and confirms it.
chooseFile() {
    waitFor windowNamed "$1" || fail "no chooser \"$1\""
    parkPointer
    xdotool type --delay 20 "$(winepath -w "$2")"
    answer "$1" Return
}
screenshot() { # window name, file
    eval "$(xdotool search --onlyvisible --name "^$1\$" getwindowgeometry --shell | head -6)"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$shots/$2"
}

start() {
    LC_ALL=$1 wine "$exe" >"$out/wine.log" 2>&1 &
    program=$!
    waitFor windowNamed Chess || fail "the window \"Chess\" did not appear"
    # The picture's background colour first shows at the client area's top left.
    local origin
    screenshot Chess start.png
    origin=$(convert "$shots/start.png" txt:- | awk -F: '/#C8FFFF/ && !found { found = 1; print $1 }')
    [ -n "$origin" ] || fail "no board picture in the window"
    originX=$((X + ${origin%,*}))
    originY=$((Y + ${origin#*,}))
}
finish() {
    openMenu
    xdotool key Up Return # from the first item round to 終了(&X)
    local status=0
    wait "$program" || status=$?
    program=
    [ "$status" -eq 0 ] || fail "the program exited with $status"
}

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
# The client prints cells as "id|role|name|states|size" and events as "event|id|role|name|states".
readBoard() { LC_ALL=C.UTF-8 wine "$client" board | tr -d '\r' >"$out/board.txt"; }
boardShows() { grep -qxF "$1" "$out/board.txt"; }
# What was heard since listenFromHere, so an earlier event of the same cell cannot pass.
listenFromHere() { heardFrom=$(wc -l <"$out/heard.txt"); }
heard() { tail -n +$((heardFrom + 1)) "$out/heard.txt" | tr -d '\r' | grep -qxF "$1"; }
pressKeys() {
    parkPointer
    xdotool key "$@"
}
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
LC_ALL=C.UTF-8 wine "$client" listen >"$out/heard.txt" 2>&1 &
listener=$!
heardFrom=0
waitFor heard listening || fail "the screen reader client does not listen"
readBoard
[ "$(grep -c '^[0-9]*|cell|' "$out/board.txt")" -eq 64 ] || fail "not 64 cells: $(cat "$out/board.txt")"
for line in 'children 64' '0|table|Chess board||320x320' '1|cell|a8, black rook||40x40' \
    '53|cell|e2, white pawn|focused|40x40' '37|cell|e4, empty||40x40' \
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
wineserver -k # a fresh server for the new locale; -w would wait on the services left running
start C.UTF-8
play e2e4
lookAlike e4 c2 || fail "a focus mark on the square the mouse played"
menuCommand 3
waitFor windowNamed 棋譜 || fail "no record box captioned 棋譜 in C.UTF-8"
answer 棋譜 Return
finish
echo "-- all passed; screenshots in $shots"
