#!/usr/bin/env bash
# Builds the benchmarks in Release mode and runs them: the update of a 256 MiB file against cp
# (to a new name, and over itself against cp + sync + mv), the load cost as the file grows, and
# the update of all three parts of a play (100 MiB each) against three cp, and the page import's
# reading of 9 MiB pages made to be slow, and the reading of a collection of 3,000 small files.
# The files are made in $VELMORA_BENCH_DIR (default: the system's temporary directory), so point
# it at the disk to be measured. Extra arguments go to Google Benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_BENCH=ON \
  -DVELMORA_BUILD_APP=OFF -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target velmora_bench_update velmora_bench_load velmora_bench_parts \
  velmora_bench_page velmora_bench_collection
"$build/bench/velmora_bench_update" "$@"
"$build/bench/velmora_bench_load" "$@"
"$build/bench/velmora_bench_parts" "$@"
"$build/bench/velmora_bench_page" "$@"
"$build/bench/velmora_bench_collection" "$@"
