#!/usr/bin/env bash
# The players' clock of the Windows program under Wine, with a real one-minute wait: the
# clock dialog refuses a bad entry of the players' own control and takes a good one; the
# status bar gains the clock part, named by both times in words; the clock runs for Black
# after White's first move, says the times on T, stops and runs again from the game menu,
# and when Black's minute is up White has won. Judged by what a screen reader reads and
# hears, the screen's pixels and how often the program's thread wakes up.
#
#   clock_smoke.sh PROGRAM.exe OUTPUT_DIR SCREEN_READER_CLIENT.exe
#
# DISPLAY, WINEPREFIX and LOCPATH come from the caller, as for gui_smoke.sh. Screenshots:
# OUTPUT_DIR/screenshots/clock-*.png.
set -euo pipefail
exe=$1
shots=$2/screenshots
out=$2/clock-files
client=$3
rm -rf "$out"
mkdir -p "$shots" "$out"
source "$(dirname "$0")/gui_driver.sh"

# The window in front as the screen reader client reads it: "dialog CAPTION", then a
# "role|name|states" line for each control.
readDialog() { LC_ALL=C.UTF-8 wine "$client" dialog | tr -d '\r' >"$out/dialog.txt"; }
dialogHas() { grep -qF "$1" "$out/dialog.txt"; }
frontDialogIs() { readDialog && [ "$(head -1 "$out/dialog.txt")" = "dialog $1" ] && dialogHas "$2"; }
# The clock part as a screen reader finds it in the status bar: "name|WxH+X+Y".
part() { readBoard && sed -n 's/^status part //p' "$out/board.txt"; }
partNamed() { [[ "$(part)" =~ ^$1\| ]]; }
# The part's pixels on the screen now.
partPixels() { import -window root -crop "$partSize+$((originX + partX))+$((originY + partY))" -depth 8 rgb:- | md5sum; }
partMoved() { [ "$(partPixels)" != "$1" ]; }
clockWindows() { xdotool search --onlyvisible --name '^対局時計$' | wc -l; }
# The times the program's window thread has gone to sleep and woken up again so far.
wakeups() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$program/status"; }
wakeupsIn3s() {
    local before
    before=$(wakeups)
    sleep 3
    echo $(($(wakeups) - before))
}
heard() { tail -n +$((heardFrom + 1)) "$out/heard.txt" | tr -d '\r' | grep -qx "$1"; }

echo "-- no clock: no part, no timer"
start ja_JP.UTF-8 clock-start.png
startListening
[ -z "$(part)" ] || fail "a clock part without a clock: $(part)"
import -window root "$out/no-clock.png"
idle=$(wakeupsIn3s)
echo "the idle window woke up $idle times in 3 s"
((idle <= 5)) || fail "the idle window woke up $idle times in 3 s"

echo "-- the clock dialog: the core's choices, labelled fields, a bad entry refused"
pressKeys alt+g t
waitFor windowNamed 対局時計 || fail "no clock dialog"
screenshot 対局時計 clock-dialog.png
waitFor frontDialogIs 対局時計 '|なし|focused' || fail "the dialog read: $(cat "$out/dialog.txt")"
for line in '|5分+3秒|' '|10分+0秒|' '|15分+10秒|' '|30分+0秒|' '|自分で設定|' 'text|分|' 'text|秒|'; do
    dialogHas "$line" || fail "the dialog read: no \"$line\" in $(cat "$out/dialog.txt")"
done
pressKeys Tab ctrl+a 0 Return # 0 minutes, in the first field
waitFor frontDialogIs 対局時計 '|分は1～180、秒は0～60で入力して下さい|' || fail "no box for 0 minutes: $(cat "$out/dialog.txt")"
pressKeys Return
waitFor frontDialogIs 対局時計 'text|分|focused' || fail "the minutes field has not the focus again: $(cat "$out/dialog.txt")"
[ "$(clockWindows)" = 1 ] || fail "the dialog did not stay open after the box"
pressKeys 1 Tab ctrl+a 0 Return # one minute, no seconds
waitFor noWindowNamed 対局時計 || fail "the dialog stayed open"

echo "-- the clock part"
waitFor partNamed 'White 1 minute, Black 1 minute\.' || fail "the clock part: $(part)"
waitFor heard 'live|Clock set. White 1 minute, Black 1 minute.' || fail "the clock set was not spoken"
place=$(part)
place=${place#*|}
partSize=${place%%+*} place=${place#*+}
partX=${place%+*} partY=${place#*+}
shown=$(partPixels)
[ "$shown" != "$(convert "$out/no-clock.png" -crop "$partSize+$((originX + partX))+$((originY + partY))" -depth 8 rgb:- | md5sum)" ] ||
    fail "the clock part shows nothing at $partSize+$partX+$partY"
screenshot Chess clock-set.png

echo "-- White's first move starts Black's time"
play e2e4
blackRunning='White 1 minute, Black 5[0-9] seconds\.'
waitFor partNamed "$blackRunning" || fail "Black's time does not run: $(part)"
shown=$(partPixels)
running=$(wakeupsIn3s)
echo "the running clock woke the window up $running times in 3 s"
((running >= 20)) || fail "the running clock woke the window up only $running times in 3 s"
partMoved "$shown" || fail "the clock part shows the same after 3 s"
listenFromHere
pressKeys t
waitFor heard 'live|White 1 minute, Black [0-9]* seconds\.' || fail "T did not say the times"
screenshot Chess clock-running.png

echo "-- stopped and running again from the game menu"
pressKeys alt+g p
waitFor heard 'live|Clock stopped.' || fail "the clock did not stop"
stopped=$(part)
pressKeys alt+g
sleep 1
screenshot Chess clock-menu-stopped.png # 時計を動かす(P)
pressKeys Escape Escape
[ "$(part)" = "$stopped" ] || fail "the stopped clock moved on: $stopped, then $(part)"
pressKeys alt+g p
waitFor heard 'live|Clock running.' || fail "the clock did not run again"

echo "-- Black's time runs out (about a minute)"
deadline=$((SECONDS + 90))
until windowNamed 'Win!!'; do
    ((SECONDS < deadline)) || fail "no win box 90 s after Black's time began: $(part)"
    sleep 1
done
heard 'live|Ten seconds left for Black.' || fail "the ten-second warning was not heard"
waitFor frontDialogIs 'Win!!' '|白の勝ち|' || fail "the win box read: $(cat "$out/dialog.txt")"
screenshot 'Win!!' clock-win-box.png
screenshot Chess clock-time-up.png
answer 'Win!!' Return
waitFor heard "live|Black's time is up. White has won." || fail "the time up was not spoken"
readBoard
boardShows 'status White has won!!' || fail "status after the time up: $(grep status "$out/board.txt")"
partNamed 'White 1 minute, Black 0 seconds\.' || fail "the clock part after the time up: $(part)"
stood=$(wakeupsIn3s)
echo "the stopped clock woke the window up $stood times in 3 s"
((stood <= 5)) || fail "the clock still wakes the window up after the game: $stood times in 3 s"
finish
wait "$listener" || fail "the screen reader client failed: $(cat "$out/heard.txt")"
listener=
echo "-- all passed; screenshots in $shots"
