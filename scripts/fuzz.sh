#!/usr/bin/env bash
# Feeds the position file reader, then the PGN reader, arbitrary bytes for SECONDS each
# (default 60) under libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer. Fails on
# any crash, leak, sanitizer report or broken round trip; the input that failed is left in
# build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHESS_FUZZ=ON \
    -DCHESS_WERROR=ON >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target fen_reader_fuzz pgn_reader_fuzz

# New inputs go to the working corpus (the first folder); the checked-in seeds stay as they are.
fuzz() {
    local target=$1
    shift
    mkdir -p "$1"
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build/fuzz/ "$@"
}
fuzz fen_reader_fuzz build/fuzz/corpus tests/fuzz/corpus
fuzz pgn_reader_fuzz build/fuzz/pgn-corpus tests/data/pgn
