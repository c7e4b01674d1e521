#!/usr/bin/env bash
# Feeds each file reader arbitrary bytes for SECONDS each (default 60) under libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer: the position file, the saved history and
# PGN. Fails on any crash, leak, sanitizer report or broken round trip; the input that failed
# is left in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# Each target with its checked-in seeds.
targets=("fen_reader_fuzz tests/fuzz/corpus" "history_file_fuzz tests/fuzz/history-corpus"
    "pgn_reader_fuzz tests/data/pgn")

cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHESS_FUZZ=ON \
    -DCHESS_WERROR=ON >/dev/null
for entry in "${targets[@]}"; do
    read -r target seeds <<<"$entry"
    cmake --build build/fuzz -j"$(nproc)" --target "$target"
    # New inputs go to a working corpus; the checked-in seeds stay as they are.
    mkdir -p "build/fuzz/corpus-$target"
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build/fuzz/ "build/fuzz/corpus-$target" "$seeds"
done
