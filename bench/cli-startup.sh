#!/usr/bin/env bash
# Times what a script pays for each call of velmora-cli: "velmora-cli FILE show" against
# "id3v2 -l FILE" (Debian's id3v2, installed here if missing) on the same small tagged file, in
# the same run, alternating. Prints the milliseconds a call of each and their ratio; the target
# is a ratio of at most 1.2. Arguments: the number of calls of each (default 300).
set -euo pipefail
cd "$(dirname "$0")/.."
calls=${1:-300}
if ! command -v id3v2 >/dev/null; then
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends id3v2
fi
build=${VELMORA_BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_APP=OFF \
  -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target velmora-cli velmora_curl >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A file with a tag both read: one MPEG frame behind an ID3v2.3 tag with a title.
printf 'ID3\3\0\0\0\0\0\23TIT2\0\0\0\11\0\0\0Der Fall\377\373\220\0' > "$work/a.mp3"
head -c 413 /dev/zero >> "$work/a.mp3"

# Wall-clock seconds of n calls of a command, by the shell's own clock.
time_calls() {
  local start end
  start=$(date +%s%N)
  for _ in $(seq "$calls"); do "$@" >/dev/null 2>&1 || true; done
  end=$(date +%s%N)
  echo $(( (end - start) / calls ))
}
ours=0 theirs=0
for _ in 1 2 3; do
  ours=$(( ours + $(time_calls "$build/cli/velmora-cli" "$work/a.mp3" show) ))
  theirs=$(( theirs + $(time_calls id3v2 -l "$work/a.mp3") ))
done
awk -v o="$ours" -v t="$theirs" 'BEGIN {
  printf "velmora-cli FILE show: %.2f ms a call\nid3v2 -l FILE:         %.2f ms a call\nratio: %.2f (target at most 1.2)\n",
         o / 3e6, t / 3e6, o / t }'
