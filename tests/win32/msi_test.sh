#!/usr/bin/env bash
# Installs the Windows program from its MSI under Wine, silently and for the current user,
# starts it from its Start-menu shortcut, upgrades it to the next version, is refused the
# downgrade back, and removes it, checking the files, the shortcut and the entry in the list
# of installed programs at each step.
#
#   msi_test.sh CHESSBOARD.msi NEXT_VERSION.msi OUTPUT_DIR
#
# DISPLAY and WINEPREFIX come from the caller. The installer's logs go to OUTPUT_DIR/msi-logs
# and a screenshot of the installed program to OUTPUT_DIR/screenshots/installed.png.
set -euo pipefail
msi=$1
next=$2
logs=$3/msi-logs
shot=$3/screenshots/installed.png
rm -rf "$logs"
mkdir -p "$logs" "$(dirname "$shot")"
# Keeps Wine from writing .desktop files for the shortcut into the real home folder.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"

profile="$WINEPREFIX/drive_c/users/$(id -un)/AppData"
exe="$profile/Local/Programs/Chess/chessboard.exe"
shortcut="$profile/Roaming/Microsoft/Windows/Start Menu/Programs/Chess.lnk"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
waitFor() {
    local deadline=$((SECONDS + 30))
    until "$@" 2>/dev/null; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# Wine cuts msiexec's exit code to 8 bits (1603 comes back as 67): only 0 is success.
msiexec() { # log name, then the arguments
    local log=$logs/$1.log
    shift
    wine msiexec "$@" /qn /l*v "$(winepath -w "$log")" >/dev/null 2>&1
}
property() { msiinfo export "$1" Property | tr -d '\r' | awk -v name="$2" '$1 == name { print $2 }'; }
# The product's entry among the installed programs, in either hive.
entry() {
    local code hive
    code=$(property "$1" ProductCode)
    for hive in HKCU HKLM; do
        wine reg query "$hive\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" 2>/dev/null |
            tr -d '\r' && return
    done
    return 1
}
field() { awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }'; }
expectInstalled() { # the MSI that should be the installed one
    local listed icon
    [ -f "$exe" ] || fail "no $exe"
    [ -f "$shortcut" ] || fail "no shortcut $shortcut"
    # The shortcut shows the program's icon, which the installer keeps for it.
    icon=$(strings -a -el "$shortcut" | grep -io '[a-z]:.*\\chessboard\.ico$') || fail "the shortcut names no icon"
    [ -f "$(winepath -u "$icon")" ] || fail "the shortcut's icon $icon is missing"
    listed=$(entry "$1") || fail "$1 is not in the list of installed programs"
    [ "$(field DisplayName <<<"$listed")|$(field DisplayVersion <<<"$listed")|$(field Publisher <<<"$listed")" = \
        "Chess|$(property "$1" ProductVersion)|Chessboard maintainers" ] || fail "installed programs: $listed"
}
boardShown() { import -window root -crop 400x470+0+0 -depth 8 txt:- | grep -c '#C8FFFF' >/dev/null; }
noWindow() { ! xdotool search --onlyvisible --name '^Chess$' >/dev/null; }

echo "-- install $(basename "$msi")"
msiexec install /i "$(winepath -w "$msi")" || fail "the install failed: $logs/install.log"
expectInstalled "$msi"

echo "-- start it from the Start-menu shortcut"
wine start /unix "$shortcut" >/dev/null 2>&1
timeout 60 xdotool search --sync --onlyvisible --name '^Chess$' >/dev/null || fail "no window \"Chess\""
waitFor boardShown || fail "no board in the window"
import -window root -crop 400x470+0+0 "$shot"
# Asks the program to close, as its close box would.
wine taskkill /im chessboard.exe >/dev/null 2>&1
waitFor noWindow || fail "the program did not close"

echo "-- upgrade to $(basename "$next"), then try to go back"
msiexec upgrade /i "$(winepath -w "$next")" || fail "the upgrade failed: $logs/upgrade.log"
expectInstalled "$next"
! entry "$msi" >/dev/null || fail "the replaced version is still listed"
! msiexec downgrade /i "$(winepath -w "$msi")" || fail "the older version installed over the newer"
expectInstalled "$next"

echo "-- remove"
msiexec remove /x "$(winepath -w "$next")" || fail "the removal failed: $logs/remove.log"
[ ! -e "$(dirname "$exe")" ] || fail "$(dirname "$exe") is still there"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
! entry "$next" >/dev/null || fail "still in the list of installed programs"
echo "-- all passed"
