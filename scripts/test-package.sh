#!/usr/bin/env bash
# Checks the Linux program as users get it: installs it with `cmake --install`, validates the
# desktop entry and the AppStream metainfo, builds the .deb with CPack, has lintian check it,
# unpacks it into a scratch root, checks its files, dependencies and manual page, and starts
# the unpacked program once under its own Xvfb, closing it again through its File menu.
# Usage: scripts/test-package.sh [BUILD_DIR]   (default build/test; configured if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/test}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHESS_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target chessboard chessboard_docs -j"$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

scratch=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" && wait "$xvfb_pid"; } 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# The changelog's top entry is this version, of the date the metainfo gives the release.
[ "$(dpkg-parsechangelog -l packaging/changelog -S Version)" = "$version" ] ||
    fail "packaging/changelog has no entry for $version on top"
released=$(date -ud "$(dpkg-parsechangelog -l packaging/changelog -S Date)" +%F)

# Checks the installed tree under PREFIX, with the program in PREFIX/BINDIR, and validates its
# desktop entry and metainfo.
check_tree() {
    local prefix=$1 bindir=$2 entries id
    [ -x "$prefix/$bindir/chessboard" ] || fail "$prefix/$bindir/chessboard missing"
    [ -f "$prefix/share/man/man6/chessboard.6.gz" ] || fail "manual page missing in $prefix"
    entries=("$prefix"/share/applications/*.desktop)
    { [ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ]; } || fail "expected one desktop entry in $prefix"
    id=$(basename "${entries[0]}" .desktop)
    local metainfo=$prefix/share/metainfo/$id.metainfo.xml
    [ -f "$metainfo" ] || fail "$metainfo missing"
    desktop-file-validate "${entries[0]}"
    appstreamcli validate --no-net --strict "$metainfo"
    grep -qx "Exec=chessboard" "${entries[0]}" || fail "the desktop entry does not start chessboard"
    grep -qx "Icon=$id" "${entries[0]}" || fail "the desktop entry does not name the icon $id"
    grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $id.desktop"
    grep -q "<release version=\"$version\" date=\"$released\"" "$metainfo" ||
        fail "the metainfo release is not $version of $released, the changelog's"
    local icons=$prefix/share/icons/hicolor
    [ -f "$icons/scalable/apps/$id.svg" ] || fail "scalable icon missing"
    for size in 16 24 32 48 64 128 256; do
        [ -f "$icons/${size}x$size/apps/$id.png" ] || fail "${size}x$size icon missing"
    done
}

echo "-- cmake --install"
cmake --install "$build" --prefix "$scratch/prefix" --strip >/dev/null
check_tree "$scratch/prefix" bin
[ ! -e "$scratch/prefix/games" ] || fail "cmake --install puts the package's games folder in"

echo "-- cpack"
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
deb=$build/package/chessboard_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "$deb was not built"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "package section is not games"
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings"
depends=$(dpkg-deb -f "$deb" Depends)
# libqt6widgets6 and libc6 can only be there if dpkg-shlibdeps read the binary.
for package in fonts-ipafont-gothic fonts-ipafont-mincho libqt6widgets6 libc6; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "Depends lacks $package: $depends"
done
dpkg -x "$deb" "$scratch/root"
check_tree "$scratch/root/usr" games
[ ! -e "$scratch/root/usr/bin" ] || fail "the package installs usr/bin"
# The File menu is Japanese, so the page is read in a UTF-8 locale, as lintian reads it.
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$scratch/root/usr/share/man/man6/chessboard.6.gz" \
    2>"$scratch/man.log" >/dev/null
[ ! -s "$scratch/man.log" ] || fail "the manual page renders with warnings: $(cat "$scratch/man.log")"

echo "-- start the unpacked program under Xvfb"
# -displayfd picks a free display number, so parallel runs never share a server.
exec 3>"$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || fail "Xvfb did not start: $(cat "$scratch/xvfb.log")"
DISPLAY=:$(head -n1 "$scratch/display")
export DISPLAY
mkdir -m 700 "$scratch/runtime"
(
    cd "$scratch"
    unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE XDG_CURRENT_DESKTOP
    # A bus address that leads nowhere keeps D-Bus from autolaunching a daemon that outlives us.
    export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$scratch/runtime DBUS_SESSION_BUS_ADDRESS=unix:path=$scratch/no-bus
    exec "$scratch/root/usr/games/chessboard" </dev/null >"$scratch/app.log" 2>&1
) &
app_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Chess$' | head -n1) ||
    fail "no window named Chess within 30 s: $(cat "$scratch/app.log")"
[ "$(xdotool getwindowpid "$window")" = "$app_pid" ] || fail "the Chess window is not the program's"

# No window manager runs, so the window is closed the way a user would: File, then Exit (x).
# The focus has to be set first; a key sent before the menu opened is retried.
for _ in 1 2 3; do
    xdotool windowfocus --sync "$window" key alt+f sleep 0.5 key x || true
    for _ in $(seq 50); do
        kill -0 "$app_pid" 2>/dev/null || break 2
        sleep 0.1
    done
    xdotool key Escape Escape 2>/dev/null || true
done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not exit from its File menu"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "the program exited with $status: $(cat "$scratch/app.log")"
echo "package ok: $deb"
