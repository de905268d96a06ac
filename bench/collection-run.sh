#!/usr/bin/env bash
# Times the collection run's writing of 200 plays (one file of 10 MiB each) into the files
# themselves (velmora-cli DIR apply-in-place: tag-only writes, journaled and synced) against
# `cp -r` of the same folder, each until on the disk (the command, then `sync`), in turns. The
# plays are made up for the run and served by the stand-in Hördat service; the lookup before is
# not timed. Target: at most 0.25 of `cp -r`. Arguments: rounds (default 3), plays (default 200),
# MiB a file (default 10). The files are made in $VELMORA_BENCH_DIR or the temporary directory.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_APP=OFF \
  -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target velmora-cli velmora_curl hoerdat-standin >/dev/null
exec /usr/bin/python3 bench/collection_run.py "$build" "${1:-3}" "${2:-200}" "${3:-10}"
