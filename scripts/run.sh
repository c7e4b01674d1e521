#!/usr/bin/env bash
# Builds the program (installing what it needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build/run -DCMAKE_BUILD_TYPE=Release -DCHESS_BUILD_TESTS=OFF >/dev/null
cmake --build build/run -j"$(nproc)"
exec build/run/qt/chessboard "$@"
