#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs the reader's for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/deps.sh
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLATNOVNIK_GUI=OFF -DPLATNOVNIK_TESTS=OFF -DPLATNOVNIK_BENCH=OFF -DPLATNOVNIK_FUZZ=ON
cmake --build build-fuzz -j"$(nproc)"
mkdir -p build-fuzz/corpus
./build-fuzz/fuzz/fuzz_nacitaj build-fuzz/corpus fuzz/seeds -max_total_time="$seconds" -print_final_stats=1
