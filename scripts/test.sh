#!/usr/bin/env bash
# Builds everything and runs every test (installing what they need): the core and Qt
# tests, the installed program and its .deb, the same core tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, short fuzzing runs of the position file, saved history and PGN
# readers, the Windows program under Wine, the web page (the core tests under Node, the page in
# headless Chromium and Firefox, and under Orca in both), and the format check. Exits non-zero on
# the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
jobs=$(nproc)

echo "== format"
git ls-files -- '*.h' '*.cpp' | xargs clang-format --dry-run -Werror

echo "== build and test"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHESS_WERROR=ON -DCHESS_BUILD_BENCH=ON >/dev/null
cmake --build build/test -j"$jobs"
ctest --test-dir build/test --output-on-failure -j"$jobs"

echo "== install, package and start the installed program"
scripts/test-package.sh build/test

echo "== core tests with sanitizers"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCHESS_SANITIZE=ON -DCHESS_BUILD_QT=OFF \
    -DCHESS_WERROR=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

echo "== fuzz the position file, saved history and PGN readers"
scripts/fuzz.sh 30

echo "== the Windows program, cross-built and run under Wine"
scripts/test-win32.sh

echo "== the web page, built with emscripten and tested under Node, in Chromium and Firefox"
scripts/test-web.sh
