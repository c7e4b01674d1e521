#!/usr/bin/env bash
# Builds the web page with Debian's emscripten into build/web and tests it: the core's
# GoogleTest programs as WebAssembly under Node, the page in the system's headless Chromium and
# Firefox ESR (tests/web/page_test.js, driven by puppeteer-core from npm, which downloads no
# browser), then the page under Orca in both (tests/web/screen_reader_page.py, in an X server
# of its own). Skips only when emscripten is absent.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v emcmake >/dev/null; then
    echo "== web page skipped: no emscripten (scripts/install-deps.sh test installs it)"
    exit 0
fi
started=$SECONDS
build=build/web
# The compiler's JavaScript steps need Debian's node modules (acorn), which a node from
# elsewhere does not search.
export NODE_PATH=/usr/share/nodejs

echo "== web: build"
# The test programs run under Node, whose fetch() would take the .wasm file for a URL.
emcmake cmake -S . -B $build -DCMAKE_BUILD_TYPE=MinSizeRel -DCHESS_WERROR=ON \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$(command -v node);--no-experimental-fetch" >/dev/null
cmake --build $build -j"$(nproc)"
(cd $build/web/site && ls -l chess.wasm chess.js)

echo "== web: puppeteer-core"
mkdir -p $build/npm
if ! cmp -s tests/web/package-lock.json $build/npm/package-lock.json || [ ! -d $build/npm/node_modules ]; then
    cp tests/web/package.json tests/web/package-lock.json $build/npm/
    (cd $build/npm && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi

echo "== web: core tests under Node, the page in Chromium and Firefox, and under Orca"
ctest --test-dir $build --output-on-failure -j"$(nproc)"
echo "== web: passed in $((SECONDS - started)) s; screenshots in $build/page-test/"
