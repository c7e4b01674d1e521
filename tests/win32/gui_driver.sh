# The means of driving the Windows program under Wine on an X display with no window
# manager, judging only what a user sees: windows by their names, pixels, the clipboard and
# the saved files. Sourced by the GUI tests, which set:
#
#   exe       the program            out       the folder for the files it writes
#   shots     the screenshot folder  dpi       the display's scale (LogPixels), 96 if unset
#   client    screen_reader_client.exe
#
# `start` and `fail` keep the program's process in `program`, and `fail` ends `listener` too.
dpi=${dpi:-96}
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

# The device pixel where a picture coordinate begins at the display's `dpi`, as the program
# scales its picture.
device() { echo $(($1 * dpi / 96)); }
# A square's edges in picture pixels, such as e2's: left 200, top 260.
squareLeft() { echo $((40 + 40 * ($(printf '%d' "'${1:0:1}") - 97))); }
squareTop() { echo $((20 + 40 * (8 - ${1:1:1}))); }
# Screen pixels of a square: the middle of its device pixels, and for frameIs the middle of
# its top edge, where a frame is drawn.
squareX() { echo $((originX + ($(device "$(squareLeft "$1")") + $(device $(($(squareLeft "$1") + 40)))) / 2)); }
squareY() { echo $((originY + ($(device "$(squareTop "$1")") + $(device $(($(squareTop "$1") + 40)))) / 2)); }
frameIs() { pixelIs "$(squareX "$1")" $((originY + $(device "$(squareTop "$1")"))) "$2"; }
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
parkPointer() { xdotool mousemove $((originX + $(device 300))) $((originY + $(device 390))); }
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

# Finds the client area's top left on the screen from a screenshot of the window, named
# `shot`: there the picture's background colour first shows.
findOrigin() {
    local origin
    screenshot Chess "$1"
    origin=$(convert "$shots/$1" txt:- | awk -F: '/#C8FFFF/ && !found { found = 1; print $1 }')
    [ -n "$origin" ] || fail "no board picture in the window"
    originX=$((X + ${origin%,*}))
    originY=$((Y + ${origin#*,}))
}
# Ends every Windows process of the prefix at once and returns only when the server has gone:
# a program started while it is still going down would go down with it.
killWine() {
    wineserver -k
    wineserver -w
}
start() { # locale [screenshot name]
    LC_ALL=$1 wine "$exe" >"$out/wine.log" 2>&1 &
    program=$!
    waitFor windowNamed Chess || fail "the window \"Chess\" did not appear"
    findOrigin "${2:-start.png}"
}
finish() {
    openMenu
    xdotool key Up Return # from the first item round to 終了(&X)
    local status=0
    wait "$program" || status=$?
    program=
    [ "$status" -eq 0 ] || fail "the program exited with $status"
}

# Keys reach the window under the parked pointer.
pressKeys() {
    parkPointer
    xdotool key "$@"
}

# The screen reader client listening in a process of its own, its events ("event|id|role|
# name|states") in OUT/heard.txt; the scripts' `heard` finds a line after listenFromHere,
# so an earlier event of the same cell cannot pass.
listenFromHere() { heardFrom=$(wc -l <"$out/heard.txt"); }
startListening() {
    LC_ALL=C.UTF-8 wine "$client" listen >"$out/heard.txt" 2>&1 &
    listener=$!
    heardFrom=0
    waitFor heard listening || fail "the screen reader client does not listen"
}

# What the screen reader client reads of the board: the client size, the cells as
# "id|role|name|states|WxH+X+Y", the focus and the status.
readBoard() { LC_ALL=C.UTF-8 wine "$client" board | tr -d '\r' >"$out/board.txt"; }
boardShows() { grep -qxF "$1" "$out/board.txt"; }
