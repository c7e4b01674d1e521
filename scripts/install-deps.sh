#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running (`run`), building the web page
# (`web`) or building and testing (`test`) need, only those that are missing. Runs apt-get as
# root, or through sudo.
set -euo pipefail

run_packages=(cmake g++ make qt6-base-dev fonts-ipafont-gothic fonts-ipafont-mincho)
web_packages=(cmake make emscripten nodejs python3)
test_packages=("${run_packages[@]}" emscripten nodejs chromium firefox-esr
    libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
    xvfb xauth xdotool xclip imagemagick x11-utils dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0
    orca speech-dispatcher
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 locales
    wixl msitools
    desktop-file-utils appstream dpkg-dev lintian man-db file zip pgn-extract)

case "${1:-}" in
run) wanted=("${run_packages[@]}") ;;
web) wanted=("${web_packages[@]}") ;;
test) wanted=("${test_packages[@]}") ;;
*) echo "usage: $0 run|web|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
# The page test installs puppeteer-core with npm. Debian's npm conflicts with the nodejs builds
# that bring their own, so it is wanted only where no npm is found.
[ "$1" = test ] && ! command -v npm >/dev/null && missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
