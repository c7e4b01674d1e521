#!/usr/bin/env bash
# Shows the Windows program at 100 %, 150 % and 200 % display scale (Wine's LogPixels 96, 144
# and 192 in the caller's prefix, back to 96 at the end) and checks that one factor scales it
# all: the client area, the square a double-click at a square's device-pixel centre picks up,
# the cells a screen reader is told, and at 200 % the board's pixels against the Qt program's
# own board at 200 % (REFERENCE.png: e2 picked up, labels left out). At 100 % the program is
# also told that its window moved to a 200 % monitor and back (DPI_CHANGE.exe): it must take
# the size it asked for and show the 200 % board, then the 100 % one again, pixel for pixel;
# the clock part of the status bar, set before, doubles its width and comes back alike.
#
#   scale_smoke.sh PROGRAM.exe OUTPUT_DIR SCREEN_READER_CLIENT.exe DPI_CHANGE.exe REFERENCE.png
#
# DISPLAY (large enough for a 200 % window), WINEPREFIX and LOCPATH as for gui_smoke.sh.
# Screenshots: OUTPUT_DIR/screenshots/scale-DPI.png, dpi-changed-192.png and
# promotion-dialog-192.png.
set -euo pipefail
exe=$1
shots=$2/screenshots
out=$2/scale-files
client=$3
dpiChange=$4
reference=$5
mkdir -p "$shots"
rm -rf "$out"
mkdir -p "$out"
source "$(dirname "$0")/gui_driver.sh"

logPixels() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
setDpi() {
    dpi=$1
    logPixels "$dpi"
    killWine # the next server reads it
}
# "WxH+X+Y" of a picture rectangle's device pixels in the client area.
scaledRect() { # left top right bottom
    echo "$(($(device "$3") - $(device "$1")))x$(($(device "$4") - $(device "$2")))+$(device "$1")+$(device "$2")"
}
# The board inside its outline (picture pixels 39-360 by 19-340) as the screen shows it now.
boardShot() {
    local board
    board=$(scaledRect 39 19 361 341)
    import -window root -crop "${board%%+*}+$((originX + $(device 39)))+$((originY + $(device 19)))" "$1"
}
boardIs() { # the image it must equal
    boardShot "$out/board-now.png"
    [ "$(compare -metric AE "$out/board-now.png" "$1" null: 2>&1)" = 0 ]
}
windowSizeIs() {
    eval "$(xdotool search --onlyvisible --name '^Chess$' getwindowgeometry --shell | head -6)"
    [ "${WIDTH}x$HEIGHT" = "$1" ]
}
# Tells the program its window is at `to` DPI now, and checks that it took the size it asked
# for and shows the board of that scale.
moveToScale() { # to, the board image expected there
    local from=$dpi
    wine "$dpiChange" "$1" "$from" | tr -d '\r' >"$out/dpi-change.txt"
    local asked
    asked=$(sed -n 's/^asked //p' "$out/dpi-change.txt")
    grep -qx "window $asked" "$out/dpi-change.txt" || fail "from $from to $1 DPI: $(cat "$out/dpi-change.txt")"
    waitFor windowSizeIs "$asked" || fail "the window is ${WIDTH}x$HEIGHT after the change to $1 DPI, not $asked"
    dpi=$1
    waitFor boardIs "$2" || fail "after the change to $1 DPI the board is not the one of that scale"
}

# The clock part as a screen reader finds it: "WxH+X+Y" in the client area.
clockPart() { readBoard && sed -n 's/^status part .*|//p' "$out/board.txt"; }

windowAt192=
for setting in 96 144 192; do
    echo "-- at $setting DPI"
    setDpi $setting
    start ja_JP.UTF-8 "scale-$dpi.png"
    readBoard
    clientSize=$(sed -n 's/^client //p' "$out/board.txt")
    if [ "$dpi" = 96 ]; then
        windowSizeIs 400x470 || fail "the window is ${WIDTH}x$HEIGHT at 100 %, not 400x470"
        clientAt96=$clientSize
    fi
    echo "client area $clientSize, window ${WIDTH}x$HEIGHT"
    expected=$(device "${clientAt96%x*}")x$(device "${clientAt96#*x}")
    [ "$clientSize" = "$expected" ] || fail "client area $clientSize at $dpi DPI, not $expected"
    for line in "0|table|Chess board||$(scaledRect 40 20 360 340)" \
        "53|cell|e2, white pawn|focused|$(scaledRect 200 260 240 300)" \
        "1|cell|a8, black rook||$(scaledRect 40 20 80 60)" "64|cell|h1, white rook||$(scaledRect 320 300 360 340)"; do
        boardShows "$line" || fail "the board read: no \"$line\" in $(cat "$out/board.txt")"
    done
    ! grep '^hit test' "$out/board.txt" || fail "a cell's middle hits another cell at $dpi DPI"

    pickUp e2
    screenshot Chess "scale-$dpi.png"
    case $dpi in
    96)
        boardShot "$out/board-96.png"
        parkPointer
        xdotool key alt+g t
        waitFor windowNamed 対局時計 || fail "no clock dialog"
        answer 対局時計 Down Return # 5分+3秒
        partAt96=$(clockPart)
        [ -n "$partAt96" ] || fail "no clock part at 96 DPI"
        moveToScale 192 "$reference"
        windowAt192=${WIDTH}x$HEIGHT
        screenshot Chess dpi-changed-192.png
        # Twice as wide, but for the status bar's borders between the parts, which keep theirs.
        partAt192=$(clockPart)
        widthAt96=${partAt96%%x*} widthAt192=${partAt192%%x*}
        ((widthAt192 >= 2 * widthAt96 && widthAt192 <= 2 * widthAt96 + 4)) ||
            fail "the clock part is $partAt192 at 192 DPI, $partAt96 at 96"
        moveToScale 96 "$out/board-96.png"
        [ "$(clockPart)" = "$partAt96" ] || fail "the clock part is $(clockPart) back at 96 DPI, not $partAt96"
        ;;
    192)
        boardIs "$reference" || fail "the board at 200 % differs from the Qt program's: see $out/board-now.png"
        windowSizeIs "$windowAt192" || fail "started at 192 DPI the window is ${WIDTH}x$HEIGHT, moved there $windowAt192"
        echo "-- the promotion dialog at $dpi DPI"
        printf '4k3/P7/8/8/8/8/8/4K3 w - - 0 1' >"$out/promotion.fen"
        menuCommand 2
        chooseFile 盤面を開く "$out/promotion.fen"
        waitFor lookAlike e2 e4 || fail "the position did not load"
        pickUp a7
        doubleClick a8
        waitFor windowNamed プロモーション || fail "no promotion dialog"
        screenshot プロモーション "promotion-dialog-$dpi.png"
        answer プロモーション Return
        waitFor frameIs a8 '#FF0000' || fail "no red frame after the promotion"
        ;;
    esac
    finish
done
logPixels 96 # for what runs next in the prefix
echo "-- all passed; screenshots in $shots"
