#!/usr/bin/env bash
# Feeds the position file reader arbitrary bytes for SECONDS (default 60) under libFuzzer
# with AddressSanitizer and UndefinedBehaviorSanitizer. Fails on any crash, leak, sanitizer
# report or broken round trip; the input that failed is left in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHESS_FUZZ=ON \
    -DCHESS_WERROR=ON >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target fen_reader_fuzz

# New inputs go to the working corpus; the checked-in seeds stay as they are.
mkdir -p build/fuzz/corpus
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build/fuzz/tests/fuzz/fen_reader_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/ build/fuzz/corpus tests/fuzz/corpus
