#!/usr/bin/env bash
# Times a title change written into the file itself, whole process, at 20 MiB and 200 MiB:
# velmora-cli with TAG_IN_PLACE=1 against `cp` of the file and against the peers that Debian
# ships (id3v2, and mutagen through python3-mutagen), installed here if missing. The tools take
# turns in every round; the median of each is printed with its ratio to `cp`. Targets: Velmora at
# most 0.15x cp at 200 MiB, and its 200 MiB time at most twice its 20 MiB time.
# Arguments: the number of rounds (default 15). The files are made in $VELMORA_BENCH_DIR (default:
# the system's temporary directory), so point it at the disk to be measured.
set -euo pipefail
cd "$(dirname "$0")/.."
missing=()
command -v id3v2 >/dev/null || missing+=(id3v2)
/usr/bin/python3 -c 'import mutagen' 2>/dev/null || missing+=(python3-mutagen)
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
fi
build=${VELMORA_BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_APP=OFF \
  -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target velmora-cli velmora_curl >/dev/null
exec /usr/bin/python3 bench/in_place.py "$build/cli/velmora-cli" "${1:-15}"
