#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 into build/win32 and tests it under Wine:
# the unit tests with no display, then the program itself in Xvfb (tests/win32/gui_smoke.sh),
# its game menu and its clock (game_menu_smoke.sh, clock_smoke.sh), at three display scales
# (tests/win32/scale_smoke.sh), then its installer (tests/win32/msi_test.sh). Leaves what a
# Windows user downloads, the zip and the MSI, in build/win32. Skips only when the cross
# compiler is absent.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
    echo "== Windows program skipped: no x86_64-w64-mingw32-g++-posix (scripts/install-deps.sh test installs it)"
    exit 0
fi
started=$SECONDS
build=build/win32

echo "== Windows: cross-build"
cmake -S . -B $build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DCHESS_WERROR=ON >/dev/null
cmake --build $build -j"$(nproc)"
# One self-contained program: anything beyond these system DLLs would have to be shipped.
# The rest, such as the file choosers' comdlg32, are loaded only when needed: an import
# would load them, and the libraries they pull in, at every start.
imports=$(x86_64-w64-mingw32-objdump -p $build/win32/chessboard.exe | awk '/DLL Name:/ { print tolower($3) }' | sort)
unexpected=$(grep -vxE 'comctl32|gdi32|kernel32|msvcrt|user32' <<<"${imports//.dll/}" || true)
[ -z "$unexpected" ] || { echo "chessboard.exe imports DLLs beyond those it must: $unexpected" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' $build/CMakeCache.txt)
ls -l $build/chessboard-"$version"-windows.zip $build/chessboard-"$version".msi

# A fresh Wine prefix for every run, removed afterwards (it takes about 700 MB).
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanUp() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanUp EXIT
cleanUp
echo "== Windows: Wine prefix"
env -u DISPLAY wineboot -i >/dev/null 2>&1
# Wine draws the frames itself, so the screenshots show captions without a window manager.
env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wineserver -w

echo "== Windows: unit tests under Wine"
env -u DISPLAY ctest --test-dir $build --output-on-failure -j"$(nproc)"
# A server started without a display would make the program exit at once without a window.
wineserver -w

echo "== Windows: the program under Wine in Xvfb"
# Wine takes its ANSI code page and fonts from the locale, which must exist; a private copy
# needs no root.
export LOCPATH=$PWD/$build/locale
[ -d "$LOCPATH/ja_JP.UTF-8" ] || { mkdir -p "$LOCPATH" && localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8"; }
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    tests/win32/gui_smoke.sh $build/win32/chessboard.exe $build $build/tests/win32/screen_reader_client.exe

echo "== Windows: the game menu: moves taken back, the game resumed, PGN saved and opened"
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    tests/win32/game_menu_smoke.sh $build/win32/chessboard.exe $build $build/tests/win32/screen_reader_client.exe

echo "== Windows: the players' clock, run out in a minute"
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    tests/win32/clock_smoke.sh $build/win32/chessboard.exe $build $build/tests/win32/screen_reader_client.exe

echo "== Windows: the program at 150 % and 200 % display scale"
xvfb-run --auto-servernum --server-args="-screen 0 1600x1200x24 -nolisten tcp" \
    tests/win32/scale_smoke.sh $build/win32/chessboard.exe $build $build/tests/win32/screen_reader_client.exe \
    $build/tests/win32/dpi_change.exe tests/win32/board_at_200_percent.png

echo "== Windows: the installer under Wine in Xvfb"
wineserver -k # a fresh server for the locale
LC_ALL=ja_JP.UTF-8 xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    tests/win32/msi_test.sh $build/chessboard-"$version".msi $build

echo "== Windows: passed in $((SECONDS - started)) s"
