#!/usr/bin/env bash
# Builds the web page (installing what it needs) and serves it on this computer:
#     scripts/run-web.sh [PORT]
# The folder build/web-run/web/site is the whole page; any web server can serve it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build/web-run -DCMAKE_BUILD_TYPE=MinSizeRel -DCHESS_BUILD_TESTS=OFF >/dev/null
cmake --build build/web-run -j"$(nproc)"
port=${1:-8000}
echo "The board is at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web-run/web/site
