#!/usr/bin/env bash
# Installs the Windows program from its MSI under Wine, silently and for the current user,
# starts it from its Start-menu shortcut and removes it again, checking the files, the
# shortcut and the entry in the list of installed programs.
#
#   msi_test.sh CHESSBOARD.msi OUTPUT_DIR
#
# DISPLAY and WINEPREFIX come from the caller. The installer's log goes to OUTPUT_DIR/msi.log
# and a screenshot of the installed program to OUTPUT_DIR/screenshots/installed.png.
set -euo pipefail
msi=$1
out=$2
# Keeps Wine from writing .desktop files for the shortcut into the real home folder.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d"
profile="$WINEPREFIX/drive_c/users/$(id -un)/AppData"
exe="$profile/Local/Programs/Chess/chessboard.exe"
shortcut="$profile/Roaming/Microsoft/Windows/Start Menu/Programs/Chess.lnk"
read -r code version < <(msiinfo export "$msi" Property | tr -d '\r' |
    awk '$1 == "ProductCode" { c = $2 } $1 == "ProductVersion" { v = $2 } END { print c, v }')
fail() { echo "FAIL: $*" >&2; exit 1; }
# Wine cuts msiexec's exit code to 8 bits (1603 comes back as 67): only 0 is success.
msiexec() { wine msiexec "$1" "$(winepath -w "$msi")" /qn /l*v "$(winepath -w "$out/msi.log")" >/dev/null 2>&1; }
# The product's entry among the installed programs; Wine keeps even a per-user one in HKLM.
listed() {
    wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" 2>/dev/null |
        tr -d '\r' | awk '/ (DisplayName|DisplayVersion|Publisher) / { $2 = ""; print }'
}
waitUntil() { timeout 30 bash -c "until $1; do sleep 0.2; done" >/dev/null 2>&1; }

echo "-- install $(basename "$msi"), start it from the Start-menu shortcut, remove it"
msiexec /i || fail "the install failed: $out/msi.log"
[ -f "$exe" ] && [ -f "$shortcut" ] && [ "$(listed)" = "$(printf 'DisplayName  Chess\nDisplayVersion  %s\nPublisher  %s' \
    "$version" 'Chessboard maintainers')" ] || fail "program, shortcut or entry missing: $(listed)"
wine start /unix "$shortcut" >/dev/null 2>&1
waitUntil "xdotool search --onlyvisible --name '^Chess\$' && import -window root -crop 400x470+0+0 -depth 8 txt:- |
    grep -c '#C8FFFF'" || fail "no window \"Chess\" with the board"
import -window root -crop 400x470+0+0 "$out/screenshots/installed.png"
wine taskkill /im chessboard.exe >/dev/null 2>&1 # asks it to close, as its close box would
waitUntil "! xdotool search --onlyvisible --name '^Chess\$'" || fail "the program did not close"
msiexec /x || fail "the removal failed: $out/msi.log"
[ ! -e "$(dirname "$exe")" ] && [ ! -e "$shortcut" ] && [ -z "$(listed)" ] || fail "program, shortcut or entry left"
echo "-- all passed"
