#!/usr/bin/env bash
# Times a tagged copy of a 200 MiB file to a new name on an XFS image with reflink, loop-mounted
# for the run: velmora-cli with SHARE_AUDIO=1 against `cp` (which clones) and `cp --reflink=never`
# (a real copy), the tools taking turns, and the new space each copy takes. Needs root (or sudo)
# for the loop mount and xfsprogs (installed here if missing); says so and stops where the machine
# does not allow loop mounts. Targets: within a few milliseconds of `cp`, at most 0.1 of a real
# copy, new space under 1 % of the file. Arguments: the number of rounds (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
command -v mkfs.xfs >/dev/null ||
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends xfsprogs
build=${VELMORA_BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_APP=OFF \
  -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target velmora-cli velmora_curl >/dev/null

work=$(mktemp -d)
cleanup() {
  "${sudo[@]}" umount "$work/mnt" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/mnt"
truncate -s 1200M "$work/xfs.img"
mkfs.xfs -q -m reflink=1 "$work/xfs.img"
if ! "${sudo[@]}" mount -o loop "$work/xfs.img" "$work/mnt" 2>/dev/null; then
  echo "share-audio: this machine does not allow a loop mount; nothing measured." >&2
  exit 0
fi
"${sudo[@]}" chown "$(id -u):$(id -g)" "$work/mnt"
/usr/bin/python3 bench/share_audio.py "$build/cli/velmora-cli" "$work/mnt" "${1:-15}"
